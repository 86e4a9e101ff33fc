// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/commun/Utilisateur.h"

#include <QDialog>
#include <QFont>
#include <QList>
#include <QStringList>

#include <functional>

// Answers the program's questions from scripted lists, and records what was asked.
class UtilisateurScripte : public Utilisateur {
public:
    QList<Reponse> reponses;        // for Question; "Annuler" once the list is empty
    QList<bool> ouiNon;             // for OuiNon; "&Non" once the list is empty
    QStringList fichiers;           // for the file and folder dialogs; cancelled once the list is empty
    QList<QFont> fontes;            // for ChoisitFonte; cancelled once the list is empty
    QList<std::function<int(QDialog &)>> executions; // for Execute: fill in the dialog and answer; OK once empty

    QStringList questions;
    QStringList erreurs;
    QList<DialogueFichier> dialogues;
    QStringList dialoguesExecutes;

    Reponse Question(QWidget *, const QString &titre, const QString &texte) override
    {
        questions << titre + u'|' + texte;
        return reponses.isEmpty() ? Reponse::Annuler : reponses.takeFirst();
    }
    bool OuiNon(QWidget *, const QString &titre, const QString &texte) override
    {
        questions << titre + u'|' + texte;
        return !ouiNon.isEmpty() && ouiNon.takeFirst();
    }
    QString FichierAOuvrir(QWidget *, const DialogueFichier &dialogue) override { return Fichier(dialogue); }
    QString FichierAEnregistrer(QWidget *, const DialogueFichier &dialogue) override { return Fichier(dialogue); }
    QString DossierAOuvrir(QWidget *, const DialogueFichier &dialogue) override { return Fichier(dialogue); }
    bool ChoisitFonte(QWidget *, QFont &fonte) override
    {
        if (fontes.isEmpty())
            return false;
        fonte = fontes.takeFirst();
        return true;
    }
    void Erreur(QWidget *, const QString &texte) override { erreurs << texte; }
    void Avertissement(QWidget *, const QString &titre, const QString &texte) override
    {
        erreurs << titre + u'|' + texte;
    }
    // Recorded with the warnings, in the same form.
    void Information(QWidget *parent, const QString &titre, const QString &texte) override
    {
        Avertissement(parent, titre, texte);
    }
    int Execute(QDialog &dialogue) override
    {
        dialoguesExecutes << dialogue.windowTitle();
        return executions.isEmpty() ? int(QDialog::Accepted) : executions.takeFirst()(dialogue);
    }
    // Records the pages offered; "Plus tard" once `recuperations` is empty.
    QList<Recuperation> recuperations;
    QStringList pagesOffertes;
    Recuperation ProposeRecuperation(QWidget *, const QStringList &pages) override
    {
        pagesOffertes << pages;
        return recuperations.isEmpty() ? Recuperation::PlusTard : recuperations.takeFirst();
    }

    // Records the texts of the long-line questions; "&Garder tel quel" once `couper` is empty.
    QList<bool> couper;
    QStringList lignesLongues;
    bool CoupeLignesLongues(QWidget *, const QString &texte) override
    {
        lignesLongues << texte;
        return !couper.isEmpty() && couper.takeFirst();
    }

private:
    QString Fichier(const DialogueFichier &dialogue)
    {
        dialogues << dialogue;
        return fichiers.isEmpty() ? QString() : fichiers.takeFirst();
    }
};
