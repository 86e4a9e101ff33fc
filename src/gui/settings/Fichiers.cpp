#include "gui/settings/Fichiers.h"

#include "core/settings/Ouverture.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

bool OuvreEnLecture(const QString &nom, QFile &fichier)
{
    const int fd = OuvreSansAttendre(QFile::encodeName(nom).toStdString());
    if (fd < 0)
        return false;
    if (!fichier.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        errno = EIO;
        return false;
    }
    return true;
}

namespace {

// The pieces written over the file's old content from its start, then the file cut to their length. The room that
// a longer content needs is taken first: a full disk or a size limit then leaves the file as it was.
bool EcritSurPlace(const QByteArray &chemin, std::initializer_list<std::string_view> morceaux)
{
    const int fd = ::open(chemin.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    off_t total = 0;
    for (const std::string_view morceau : morceaux)
        total += static_cast<off_t>(morceau.size());
    struct stat etat {};
    if (::fstat(fd, &etat) != 0 ||
        (total > etat.st_size && ::posix_fallocate(fd, etat.st_size, total - etat.st_size) != 0)) {
        ::close(fd);
        return false;
    }
    off_t longueur = 0;
    bool ecrit = true;
    for (std::string_view morceau : morceaux) {
        while (ecrit && !morceau.empty()) {
            const ssize_t n = ::write(fd, morceau.data(), morceau.size());
            if (n < 0 && errno == EINTR)
                continue;
            ecrit = n > 0;
            if (ecrit) {
                morceau.remove_prefix(static_cast<std::size_t>(n));
                longueur += n;
            }
        }
    }
    ecrit = ecrit && ::ftruncate(fd, longueur) == 0 && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ecrit;
}

// What the new file takes over from the one that it replaces, where the system allows, beside the permissions that
// QSaveFile keeps: the owner (for root only) and the group (one of the user's), and the extended attributes (access
// lists, security labels, the desktop's tags).
void Reprend(const QByteArray &ancien, int fd)
{
    struct stat etat {};
    if (::stat(ancien.constData(), &etat) != 0)
        return;
    if (::fchown(fd, etat.st_uid, etat.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), etat.st_gid) != 0) {
        // The user's own owner and group stay: the page is written all the same.
    }
    const ssize_t taille = ::listxattr(ancien.constData(), nullptr, 0);
    if (taille <= 0)
        return;
    std::vector<char> noms(static_cast<std::size_t>(taille));
    const ssize_t lus = ::listxattr(ancien.constData(), noms.data(), noms.size());
    for (std::size_t i = 0; lus > 0 && i < static_cast<std::size_t>(lus); i += std::strlen(noms.data() + i) + 1) {
        const char *nom = noms.data() + i;
        const ssize_t longueur = ::getxattr(ancien.constData(), nom, nullptr, 0);
        if (longueur < 0)
            continue;
        std::vector<char> valeur(static_cast<std::size_t>(longueur));
        if (::getxattr(ancien.constData(), nom, valeur.data(), valeur.size()) == longueur)
            ::fsetxattr(fd, nom, valeur.data(), valeur.size(), 0);
    }
}

} // namespace

bool EcritFichier(const QString &nom, std::initializer_list<std::string_view> morceaux)
{
    // A file that has other names (hard links) keeps them only when it is written in place: a new file would take
    // this name from it.
    const QByteArray chemin = QFile::encodeName(nom);
    if (struct stat etat {}; ::stat(chemin.constData(), &etat) == 0 && S_ISREG(etat.st_mode) && etat.st_nlink > 1)
        return EcritSurPlace(chemin, morceaux);

    // A symbolic link stays one: QSaveFile writes the file that it points to.
    QSaveFile fichier(nom);
    // A shared folder may be read-only while the user may still write the file itself.
    fichier.setDirectWriteFallback(true);
    // Unbuffered, every write reaches the system at once and a refused byte shows in its result: a buffered
    // write reports success, and the commit would then put a truncated file in place of the page.
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    for (const std::string_view morceau : morceaux) {
        const auto taille = static_cast<qint64>(morceau.size());
        if (taille > 0 && fichier.write(morceau.data(), taille) != taille) {
            fichier.cancelWriting();
            return false;
        }
    }
    if (!fichier.flush()) {
        fichier.cancelWriting();
        return false;
    }
    Reprend(chemin, fichier.handle());
    return fichier.commit();
}
