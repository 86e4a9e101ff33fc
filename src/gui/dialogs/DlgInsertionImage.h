// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class TComboHistorique;
class Utilisateur;

// Builds an image element with its alternative text, attributes and caption; the image file can be picked through an
// open dialog, as a path relative to the page, and its size is then proposed. Created once, so its fields and
// histories carry over for the whole run.
class TDlgInsertionImage : public QDialog {
    Q_OBJECT

public:
    TDlgInsertionImage(QWidget *parent, Utilisateur &utilisateur);

    // Prepares the dialog for the document whose file name is given: picked images are made relative to it.
    void Prepare(const QString &fichierDocument);

    const std::string &Ouverture() const { return ouverture; }
    const std::string &Fermeture() const { return fermeture; }

private:
    // "Ouvrir image...": the file picked through the image open dialog, relative to the page, into the file field
    // and its history; its width and height, when the file tells them, into the size fields.
    void OuvrirImage();
    // "OK": builds `Ouverture` and `Fermeture` from the fields and records the file, alternative text and alignment
    // in their histories.
    void Ok();

    TComboHistorique *fichierImage;
    TComboHistorique *alternatif;
    QLineEdit *legende;
    TComboHistorique *alignement;
    QLineEdit *bordure;
    QLineEdit *largeur;
    QLineEdit *hauteur;
    QLineEdit *ecartHorizontal;
    QLineEdit *ecartVertical;
    Utilisateur &utilisateur;
    QString fichierDocument;
    // The last image picked in this run, where the open dialog comes back to.
    QString imageChoisie;
    std::string ouverture;
    std::string fermeture;
};
