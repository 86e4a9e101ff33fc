#pragma once

#include <QSettings>
#include <QString>

// The program's three settings (browser, document font name and size) in section "Balizo" of "Balizo.ini".
// Every read and write goes to the file, so two running copies see each other's changes.
class TFichierINI {
public:
    explicit TFichierINI(const QString &nomFichier);

    QString LitNavigateur();
    bool EcritNavigateur(const QString &navigateur);
    QString LitFonte();
    bool EcritFonte(const QString &fonte);
    int LitTaille();
    bool EcritTaille(int taille);

    // "Ne peut écrire dans %s": what a refused write reports.
    QString MessageEcritureImpossible() const;

private:
    QString LitTexte(const QString &cle, const QString &defaut);
    bool EcritTexte(const QString &cle, const QString &valeur);

    QSettings fichier;
};
