// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/commun/Utilisateur.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The filter "Fichiers HTML|*.htm;*.html|Tous|*.*" in Qt's form "Fichiers HTML (*.htm *.html);;Tous (*)".
QString FiltreQt(const QString &filtre)
{
    const QStringList morceaux = filtre.split(u'|');
    QStringList filtres;
    for (qsizetype i = 0; i + 1 < morceaux.size(); i += 2) {
        QString motifs = morceaux[i + 1];
        motifs.replace(u';', u' ');
        if (motifs == u"*.*")
            motifs = QStringLiteral("*");
        filtres << QStringLiteral("%1 (%2)").arg(morceaux[i], motifs);
    }
    return filtres.join(QStringLiteral(";;"));
}

QString ChoixFichier(QWidget *parent, const DialogueFichier &d, QFileDialog::AcceptMode mode)
{
    QFileDialog dialogue(parent, d.titre);
    dialogue.setAcceptMode(mode);
    dialogue.setNameFilter(FiltreQt(d.filtre));
    dialogue.setDefaultSuffix(d.extensionParDefaut);
    dialogue.setFileMode(mode == QFileDialog::AcceptOpen && d.fichierDoitExister ? QFileDialog::ExistingFile
                                                                                 : QFileDialog::AnyFile);
    if (!d.nomPropose.isEmpty()) {
        const QFileInfo propose(d.nomPropose);
        if (propose.isDir()) {
            dialogue.setDirectory(propose.absoluteFilePath());
        } else {
            if (propose.absoluteDir().exists())
                dialogue.setDirectory(propose.absolutePath());
            dialogue.selectFile(propose.fileName());
        }
    }
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return {};
    return dialogue.selectedFiles().constFirst();
}

} // namespace

Utilisateur::Reponse UtilisateurQt::Question(QWidget *parent, const QString &titre, const QString &texte)
{
    QMessageBox boite(QMessageBox::Question, titre, texte, QMessageBox::NoButton, parent);
    QPushButton *oui = boite.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton *non = boite.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    QPushButton *annuler = boite.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    boite.setDefaultButton(oui);
    boite.setEscapeButton(annuler);
    boite.exec();
    if (boite.clickedButton() == oui)
        return Reponse::Oui;
    if (boite.clickedButton() == non)
        return Reponse::Non;
    return Reponse::Annuler;
}

bool UtilisateurQt::OuiNon(QWidget *parent, const QString &titre, const QString &texte)
{
    QMessageBox boite(QMessageBox::Question, titre, texte, QMessageBox::NoButton, parent);
    QPushButton *oui = boite.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton *non = boite.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    boite.setDefaultButton(non);
    boite.setEscapeButton(non);
    boite.exec();
    return boite.clickedButton() == oui;
}

QString UtilisateurQt::FichierAOuvrir(QWidget *parent, const DialogueFichier &dialogue)
{
    return ChoixFichier(parent, dialogue, QFileDialog::AcceptOpen);
}

QString UtilisateurQt::FichierAEnregistrer(QWidget *parent, const DialogueFichier &dialogue)
{
    return ChoixFichier(parent, dialogue, QFileDialog::AcceptSave);
}

QString UtilisateurQt::DossierAOuvrir(QWidget *parent, const DialogueFichier &dialogue)
{
    return QFileDialog::getExistingDirectory(parent, dialogue.titre, dialogue.nomPropose);
}

bool UtilisateurQt::ChoisitFonte(QWidget *parent, QFont &fonte)
{
    bool choisie = false;
    const QFont nouvelle = QFontDialog::getFont(&choisie, fonte, parent);
    if (choisie)
        fonte = nouvelle;
    return choisie;
}

void UtilisateurQt::Erreur(QWidget *parent, const QString &texte)
{
    QMessageBox::critical(parent, QApplication::applicationName(), texte);
}

void UtilisateurQt::Avertissement(QWidget *parent, const QString &titre, const QString &texte)
{
    QMessageBox::warning(parent, titre, texte);
}

void UtilisateurQt::Information(QWidget *parent, const QString &titre, const QString &texte)
{
    QMessageBox::information(parent, titre, texte);
}

int UtilisateurQt::Execute(QDialog &dialogue)
{
    return dialogue.exec();
}

Utilisateur::Recuperation UtilisateurQt::ProposeRecuperation(QWidget *parent, const QStringList &pages)
{
    QMessageBox boite(QMessageBox::Warning, QStringLiteral("Récupération"),
                      QStringLiteral("Balizo s'est arrêté sans que ces pages modifiées soient enregistrées :"),
                      QMessageBox::NoButton, parent);
    boite.setInformativeText(pages.join(u'\n'));
    QPushButton *recuperer = boite.addButton(QStringLiteral("&Récupérer"), QMessageBox::AcceptRole);
    QPushButton *ignorer = boite.addButton(QStringLiteral("&Ignorer"), QMessageBox::DestructiveRole);
    QPushButton *plusTard = boite.addButton(QStringLiteral("&Plus tard"), QMessageBox::RejectRole);
    boite.setDefaultButton(recuperer);
    boite.setEscapeButton(plusTard);
    boite.exec();
    if (boite.clickedButton() == recuperer)
        return Recuperation::Recuperer;
    if (boite.clickedButton() == ignorer)
        return Recuperation::Ignorer;
    return Recuperation::PlusTard;
}

bool UtilisateurQt::CoupeLignesLongues(QWidget *parent, const QString &texte)
{
    QMessageBox boite(QMessageBox::Question, QStringLiteral("Ligne très longue"), texte, QMessageBox::NoButton, parent);
    QPushButton *couper = boite.addButton(QStringLiteral("&Couper"), QMessageBox::AcceptRole);
    QPushButton *garder = boite.addButton(QStringLiteral("&Garder tel quel"), QMessageBox::RejectRole);
    boite.setDefaultButton(couper);
    boite.setEscapeButton(garder);
    boite.exec();
    return boite.clickedButton() == couper;
}
