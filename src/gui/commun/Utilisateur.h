// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QFont;
class QWidget;

// What a file dialog asks: its title, filter, default extension and the name or folder it proposes.
struct DialogueFichier {
    QString titre;
    QString filtre;
    QString extensionParDefaut;
    bool fichierDoitExister = false;
    QString nomPropose;
};

// The filter of the dialogs that open and save documents.
inline QString FiltreDocuments()
{
    return QStringLiteral("Fichiers HTML|*.htm;*.html|Fichiers Texte|*.txt|Fichiers Java|*.java|Tous|*.*");
}

// Everything the program asks the user goes through here: the application shows real dialogs, tests script answers.
class Utilisateur {
public:
    enum class Reponse { Oui, Non, Annuler };
    enum class Recuperation { Recuperer, Ignorer, PlusTard };

    virtual ~Utilisateur() = default;

    // "&Oui", "&Non", "Annuler" in a confirmation box.
    virtual Reponse Question(QWidget *parent, const QString &titre, const QString &texte) = 0;
    // "&Oui", "&Non": true for "&Oui".
    virtual bool OuiNon(QWidget *parent, const QString &titre, const QString &texte) = 0;
    // The chosen file's path, or empty when the user cancels.
    virtual QString FichierAOuvrir(QWidget *parent, const DialogueFichier &dialogue) = 0;
    virtual QString FichierAEnregistrer(QWidget *parent, const DialogueFichier &dialogue) = 0;
    // The chosen folder's path, from the dialogue's title and proposed folder, or empty when the user cancels.
    virtual QString DossierAOuvrir(QWidget *parent, const DialogueFichier &dialogue) = 0;
    // True when the user confirms a font, which is then in `fonte`.
    virtual bool ChoisitFonte(QWidget *parent, QFont &fonte) = 0;
    virtual void Erreur(QWidget *parent, const QString &texte) = 0;
    virtual void Avertissement(QWidget *parent, const QString &titre, const QString &texte) = 0;
    // What a command did, when it is worth saying.
    virtual void Information(QWidget *parent, const QString &titre, const QString &texte) = 0;
    // Runs a modal dialog and returns its result.
    virtual int Execute(QDialog &dialogue) = 0;
    // What to do with the pages that a stopped program left unsaved, one line each: "Récupérer", "Ignorer" (they
    // are deleted) or "Plus tard" (they are offered again at the next start).
    virtual Recuperation ProposeRecuperation(QWidget *parent, const QStringList &pages) = 0;
    // Whether a page whose line is too long to be edited at ease is opened with its long lines cut ("&Couper") or
    // as it is ("&Garder tel quel").
    virtual bool CoupeLignesLongues(QWidget *parent, const QString &texte) = 0;
};

// What is said when memory runs out during a command: the command is given up and every open page stays as it was.
inline QString MemoireInsuffisante()
{
    return QStringLiteral("Mémoire insuffisante : la commande est abandonnée, les pages ouvertes restent intactes.");
}

// The real dialogs of Qt.
class UtilisateurQt : public Utilisateur {
public:
    Reponse Question(QWidget *parent, const QString &titre, const QString &texte) override;
    bool OuiNon(QWidget *parent, const QString &titre, const QString &texte) override;
    QString FichierAOuvrir(QWidget *parent, const DialogueFichier &dialogue) override;
    QString FichierAEnregistrer(QWidget *parent, const DialogueFichier &dialogue) override;
    QString DossierAOuvrir(QWidget *parent, const DialogueFichier &dialogue) override;
    bool ChoisitFonte(QWidget *parent, QFont &fonte) override;
    void Erreur(QWidget *parent, const QString &texte) override;
    void Avertissement(QWidget *parent, const QString &titre, const QString &texte) override;
    void Information(QWidget *parent, const QString &titre, const QString &texte) override;
    int Execute(QDialog &dialogue) override;
    Recuperation ProposeRecuperation(QWidget *parent, const QStringList &pages) override;
    bool CoupeLignesLongues(QWidget *parent, const QString &texte) override;
};
