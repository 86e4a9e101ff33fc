// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/document/Recuperation.h"

#include "gui/settings/Fichiers.h"
#include "core/document/Journal.h"
#include "gui/settings/CheminsQt.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString SuffixeVerrou = QStringLiteral(".verrou");
// A journal being written, until it is whole on disk and takes its name.
const QString SuffixeEcriture = QStringLiteral(".nouveau");

QString Marque(const QString &journal)
{
    return QFileInfo(journal).fileName().section(u'.', 0, 0);
}

// Whether the open file is the one that the path names now.
bool MemeFichier(int fd, const QByteArray &chemin)
{
    struct stat ouvert {};
    struct stat nomme {};
    return ::fstat(fd, &ouvert) == 0 && ::stat(chemin.constData(), &nomme) == 0 && ouvert.st_dev == nomme.st_dev &&
           ouvert.st_ino == nomme.st_ino;
}

// Takes this program's mark: its lock file, created and held. A program that looks whether a mark is held takes
// its lock for a moment, and one that finds it stale removes it while holding it; either may come between the
// creation and the locking, so the lock is tried again, and taken only on the file that the path still names.
int TientMarque(const QByteArray &chemin)
{
    for (int essai = 0; essai < 200; ++essai) {
        const int fd = ::open(chemin.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return -1;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && MemeFichier(fd, chemin))
            return fd;
        ::close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return -1;
}

// Removes the lock file of a mark that nobody holds, holding it meanwhile, so that a program that has just made it
// and is about to lock it finds it gone and makes it again.
void OteMarqueAbandonnee(const QByteArray &chemin)
{
    const int fd = ::open(chemin.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && MemeFichier(fd, chemin))
        ::unlink(chemin.constData());
    ::close(fd);
}

} // namespace

TRecuperation::TRecuperation(const QString &dossierJournaux, QObject *parent)
    : QObject(parent)
    , dossier(dossierJournaux)
    // The process and the moment it started: a process number comes back, not with the same start.
    , marque(QStringLiteral("%1-%2")
                 .arg(QCoreApplication::applicationPid())
                 .arg(QDateTime::currentMSecsSinceEpoch()))
{
    if (dossier.isEmpty() || !QDir().mkpath(dossier))
        return;
    // The journals hold the user's pages: the folder is the user's alone.
    QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    verrou = TientMarque(QFile::encodeName(QDir(dossier).filePath(marque + SuffixeVerrou)));
    if (!Actif())
        return;
    const QDir repertoire(dossier);
    // A journal that a stopped program was writing is no copy of anything: its previous copy, if any, is whole.
    for (const QString &ecriture : repertoire.entryList({QStringLiteral("*.journal") + SuffixeEcriture}, QDir::Files))
        if (const QString sienne = Marque(ecriture); sienne != marque && !Vivante(sienne))
            QFile::remove(repertoire.filePath(ecriture));
    // The marks of stopped programs that left no journal serve no more.
    for (const QString &autre : repertoire.entryList({QLatin1Char('*') + SuffixeVerrou}, QDir::Files)) {
        const QString sienne = autre.chopped(SuffixeVerrou.size());
        if (sienne != marque && repertoire.entryList({sienne + QStringLiteral(".*.journal")}, QDir::Files).isEmpty())
            OteMarqueAbandonnee(QFile::encodeName(repertoire.filePath(autre)));
    }
}

bool TRecuperation::Vivante(const QString &autre) const
{
    // A mark that its program holds cannot be taken; one that nobody holds, or that is gone, can.
    const QByteArray chemin = QFile::encodeName(QDir(dossier).filePath(autre + SuffixeVerrou));
    const int fd = ::open(chemin.constData(), O_RDONLY | O_CLOEXEC);
    const bool vivante = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (fd >= 0)
        ::close(fd);
    return vivante;
}

TRecuperation::~TRecuperation()
{
    if (!Actif())
        return;
    QFile::remove(QDir(dossier).filePath(marque + SuffixeVerrou));
    ::close(verrou);
}

QString TRecuperation::NouveauJournal()
{
    return QDir(dossier).filePath(QStringLiteral("%1.%2.journal").arg(marque).arg(++journaux));
}

QStringList TRecuperation::Orphelins() const
{
    QStringList orphelins;
    if (!Actif())
        return orphelins;
    QSet<QString> vivants{marque};
    QSet<QString> morts;
    const QDir repertoire(dossier);
    QFileInfoList journaux = repertoire.entryInfoList({QStringLiteral("*.journal")}, QDir::Files, QDir::Name);
    std::stable_sort(journaux.begin(), journaux.end(), [](const QFileInfo &a, const QFileInfo &b) {
        return a.lastModified() < b.lastModified();
    });
    for (const QFileInfo &journal : journaux) {
        const QString sienne = Marque(journal.fileName());
        if (!vivants.contains(sienne) && !morts.contains(sienne))
            (Vivante(sienne) ? vivants : morts).insert(sienne);
        if (morts.contains(sienne))
            orphelins << journal.filePath();
    }
    return orphelins;
}

bool TRecuperation::ModifieAilleurs(const QString &fichier) const
{
    if (!Actif())
        return false;
    const QByteArray nom = EncodeNom(fichier);
    const QDir repertoire(dossier);
    for (const QFileInfo &journal : repertoire.entryInfoList({QStringLiteral("*.journal")}, QDir::Files)) {
        const QString sienne = Marque(journal.fileName());
        if (sienne == marque || !Vivante(sienne))
            continue;
        // The header comes first, and a name is never longer than a path may be.
        QFile source(journal.filePath());
        if (!source.open(QIODevice::ReadOnly))
            continue;
        const QByteArray debut = source.read(64 << 10);
        const auto entete = LitEnteteJournal(std::string_view(debut.constData(), debut.size()));
        if (entete && !entete->sansFichier &&
            std::string_view(entete->nom) == std::string_view(nom.constData(), nom.size()))
            return true;
    }
    return false;
}

void TRecuperation::Supprime(const QString &journal) const
{
    QFile::remove(journal);
    const QString sienne = Marque(journal);
    const QDir repertoire(dossier);
    if (repertoire.entryList({sienne + QStringLiteral(".*.journal")}, QDir::Files).isEmpty())
        OteMarqueAbandonnee(QFile::encodeName(repertoire.filePath(sienne + SuffixeVerrou)));
}

void TRecuperation::SignaleEchec(const QString &journal)
{
    if (signale)
        return;
    signale = true;
    if (!Actif()) {
        emit Echec(QStringLiteral("Le dossier des copies de secours %1 ne peut servir : en cas d'arrêt imprévu, les "
                                  "modifications seraient perdues.")
                       .arg(dossier));
        return;
    }
    emit Echec(QStringLiteral("La copie de secours %1 ne peut être écrite : en cas d'arrêt imprévu, les dernières "
                              "modifications seraient perdues.")
                   .arg(journal));
}

bool TRecuperation::Ecrit(const QString &journal, std::initializer_list<std::string_view> morceaux)
{
    const QByteArray nom = QFile::encodeName(journal);
    const QByteArray ecriture = QFile::encodeName(journal + SuffixeEcriture);
    const int fd = ::open(ecriture.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    QFile fichier;
    bool ecrit = fichier.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
    if (!ecrit)
        ::close(fd);
    for (const std::string_view morceau : morceaux) {
        const auto taille = static_cast<qint64>(morceau.size());
        ecrit = ecrit && (taille == 0 || fichier.write(morceau.data(), taille) == taille);
    }
    // On disk before it takes the name: renamed first, a stop of the system could leave an empty journal there.
    ecrit = ecrit && ::fsync(fd) == 0;
    fichier.close();
    if (!ecrit || ::rename(ecriture.constData(), nom.constData()) != 0) {
        ::unlink(ecriture.constData());
        return false;
    }
    // The new name too, before the journal counts as written.
    const QByteArray repertoire = QFile::encodeName(QFileInfo(journal).absolutePath());
    if (const int dossier = ::open(repertoire.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dossier >= 0) {
        ::fsync(dossier);
        ::close(dossier);
    }
    return true;
}

Resultat<DebutJournalLu, ErreurJournal> TRecuperation::LitDebut(const QString &journal)
{
    QFile source;
    if (!OuvreEnLecture(journal, source))
        return Erreur(ErreurJournal::Illisible);
    const QByteArray debut = source.read(qint64(TailleMaximaleEnteteJournal));
    return LitDebutJournal(std::string_view(debut.constData(), std::size_t(debut.size())),
                           std::uint64_t(source.size()));
}
