#include "settings/FichierINI.h"

#include "settings/Entier.h"

namespace {
const QString Section = QStringLiteral("Balizo/");
constexpr qsizetype LongueurMaximale = 1023;
} // namespace

TFichierINI::TFichierINI(const QString &nomFichier)
    : fichier(nomFichier, QSettings::IniFormat)
{
}

QString TFichierINI::LitTexte(const QString &cle, const QString &defaut)
{
    fichier.sync();
    const QVariant valeur = fichier.value(Section + cle);
    if (!valeur.isValid())
        return defaut;
    // A value holding a comma comes back from the INI reader as a list: join it back as it was written.
    const QString texte = valeur.typeId() == QMetaType::QStringList ? valeur.toStringList().join(u',')
                                                                     : valeur.toString();
    return texte.left(LongueurMaximale);
}

bool TFichierINI::EcritTexte(const QString &cle, const QString &valeur)
{
    fichier.sync();
    const QVariant ancienne = fichier.value(Section + cle);
    fichier.setValue(Section + cle, valeur);
    fichier.sync();
    if (fichier.status() == QSettings::NoError)
        return true;
    // Take the value that could not be written back, so that reads keep giving what the file holds.
    if (ancienne.isValid())
        fichier.setValue(Section + cle, ancienne);
    else
        fichier.remove(Section + cle);
    return false;
}

QString TFichierINI::LitNavigateur()
{
    return LitTexte(QStringLiteral("Navigateur"), QString());
}

bool TFichierINI::EcritNavigateur(const QString &navigateur)
{
    return EcritTexte(QStringLiteral("Navigateur"), navigateur);
}

QString TFichierINI::LitFonte()
{
    return LitTexte(QStringLiteral("Fonte"), QStringLiteral("MS Sans Serif"));
}

bool TFichierINI::EcritFonte(const QString &fonte)
{
    return EcritTexte(QStringLiteral("Fonte"), fonte);
}

int TFichierINI::LitTaille()
{
    constexpr int Defaut = 8;
    const QString texte = LitTexte(QStringLiteral("Taille"), QString());
    return texte.isNull() ? Defaut : LitEntier(texte.toStdString(), Defaut);
}

bool TFichierINI::EcritTaille(int taille)
{
    return EcritTexte(QStringLiteral("Taille"), QString::number(taille));
}

QString TFichierINI::MessageEcritureImpossible() const
{
    return QStringLiteral("Ne peut écrire dans %1").arg(fichier.fileName());
}
