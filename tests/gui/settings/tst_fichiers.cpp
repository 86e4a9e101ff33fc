// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "Limites.h"
#include "gui/settings/Fichiers.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

// Saving a page keeps what the user set up around it.
class TestFichiers : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    QString Chemin(const char *nom) const { return dossier.filePath(QLatin1String(nom)); }

    QString Ancien(const char *nom, QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner) const
    {
        Ecrit(Chemin(nom), "ancien contenu\n");
        return QFile::setPermissions(Chemin(nom), permissions) ? Chemin(nom) : QString();
    }

    static struct stat Etat(const QString &nom, bool suivreLesLiens = true)
    {
        struct stat etat {};
        const QByteArray chemin = QFile::encodeName(nom);
        (suivreLesLiens ? ::stat : ::lstat)(chemin.constData(), &etat);
        return etat;
    }

private slots:
    void lienSymboliqueEtPermissions()
    {
        const QString cible = Ancien("cible.htm");
        const QString script = Ancien("script.sh", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                        QFile::ReadOther | QFile::ExeOther);
        QVERIFY(QFile::link("cible.htm", Chemin("lien.htm")));

        QVERIFY(EcritFichier(Chemin("lien.htm"), {"nou", "veau\n"}));
        QVERIFY(S_ISLNK(Etat(Chemin("lien.htm"), false).st_mode));
        QCOMPARE(Lit(cible), QByteArray("nouveau\n"));
        QCOMPARE(Etat(cible).st_mode & 07777, mode_t(0600));

        QVERIFY(EcritFichier(script, {"#!/bin/sh\n"}));
        QCOMPARE(Etat(script).st_mode & 07777, mode_t(0705));
    }

    void lienDurEcritSurPlace()
    {
        const QString page = Ancien("page.htm");
        QVERIFY(::link(QFile::encodeName(page).constData(), QFile::encodeName(Chemin("autre-nom.htm")).constData()) == 0);
        const ino_t inode = Etat(page).st_ino;

        QVERIFY(EcritFichier(page, {"court\n"}));
        QCOMPARE(Lit(Chemin("autre-nom.htm")), QByteArray("court\n"));
        QCOMPARE(Etat(page).st_ino, inode);

        // A longer content that the system refuses is reported, and the file is left as it was.
        const LimiteDeTaille limite(6);
        QVERIFY(!EcritFichier(page, {"bien plus long\n"}));
        QCOMPARE(Lit(page), QByteArray("court\n"));
    }

    void attributsEtendusEtProprietaire()
    {
        const QString page = Ancien("attributs.htm");
        const QByteArray chemin = QFile::encodeName(page);
        const bool attributs = ::setxattr(chemin.constData(), "user.balizo", "étiquette", 10, 0) == 0;
        const bool root = ::geteuid() == 0;
        QVERIFY(!root || ::chown(chemin.constData(), 65534, 65534) == 0);
        if (!attributs && !root)
            QSKIP("Ni attributs étendus ni droits de root ici");

        QVERIFY(EcritFichier(page, {"nouveau\n"}));
        QCOMPARE(Lit(page), QByteArray("nouveau\n"));
        if (attributs) {
            char valeur[16] = {};
            QCOMPARE(::getxattr(chemin.constData(), "user.balizo", valeur, sizeof valeur), ssize_t(10));
            QCOMPARE(QByteArray(valeur), QByteArray("étiquette"));
        }
        if (root)
            QCOMPARE(std::pair(Etat(page).st_uid, Etat(page).st_gid), std::pair(uid_t(65534), gid_t(65534)));
    }
};

QTEST_APPLESS_MAIN(TestFichiers)
#include "tst_fichiers.moc"
