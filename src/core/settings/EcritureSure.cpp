// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/EcritureSure.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// The system's last error; EIO when a call failed without saying why (a write that wrote nothing).
std::error_code DerniereErreur()
{
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

// Every byte of the pieces written, in order, from the file's position.
bool EcritMorceaux(int fd, std::initializer_list<std::string_view> morceaux)
{
    for (std::string_view morceau : morceaux) {
        while (!morceau.empty()) {
            errno = 0;
            const ssize_t n = ::write(fd, morceau.data(), morceau.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            morceau.remove_prefix(static_cast<std::size_t>(n));
        }
    }
    return true;
}

// The pieces written over the file's old content from its start, then the file cut to their length. The room that
// a longer content needs is taken first: a full disk or a size limit then leaves the file as it was.
Resultat<Fait, std::error_code> EcritSurPlace(const char *chemin, std::initializer_list<std::string_view> morceaux)
{
    const int fd = ::open(chemin, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return Erreur(DerniereErreur());
    off_t total = 0;
    for (const std::string_view morceau : morceaux)
        total += static_cast<off_t>(morceau.size());
    struct stat etat {};
    if (::fstat(fd, &etat) != 0) {
        const std::error_code erreur = DerniereErreur();
        ::close(fd);
        return Erreur(erreur);
    }
    if (total > etat.st_size) {
        if (const int numero = ::posix_fallocate(fd, etat.st_size, total - etat.st_size); numero != 0) {
            ::close(fd);
            return Erreur(std::error_code(numero, std::generic_category()));
        }
    }
    const bool ecrit = EcritMorceaux(fd, morceaux) && ::ftruncate(fd, total) == 0 && ::fsync(fd) == 0;
    const std::error_code erreur = ecrit ? std::error_code() : DerniereErreur();
    if (::close(fd) != 0 && ecrit)
        return Erreur(DerniereErreur());
    if (!ecrit)
        return Erreur(erreur);
    return Fait{};
}

// What the new file takes over from the one that it replaces, where the system allows, beside its permissions: the
// owner (for root only) and the group (one of the user's), and the extended attributes (access lists, security
// labels, the desktop's tags).
void Reprend(const char *ancien, int fd)
{
    struct stat etat {};
    if (::stat(ancien, &etat) != 0)
        return;
    if (::fchown(fd, etat.st_uid, etat.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), etat.st_gid) != 0) {
        // The user's own owner and group stay: the page is written all the same.
    }
    const ssize_t taille = ::listxattr(ancien, nullptr, 0);
    if (taille <= 0)
        return;
    std::vector<char> noms(static_cast<std::size_t>(taille));
    const ssize_t lus = ::listxattr(ancien, noms.data(), noms.size());
    for (std::size_t i = 0; lus > 0 && i < static_cast<std::size_t>(lus); i += std::strlen(noms.data() + i) + 1) {
        const char *nom = noms.data() + i;
        const ssize_t longueur = ::getxattr(ancien, nom, nullptr, 0);
        if (longueur < 0)
            continue;
        std::vector<char> valeur(static_cast<std::size_t>(longueur));
        if (::getxattr(ancien, nom, valeur.data(), valeur.size()) == longueur)
            ::fsetxattr(fd, nom, valeur.data(), valeur.size(), 0);
    }
}

// The file that the name stands for once its symbolic links are followed, even to a file not there yet.
std::filesystem::path SansLiens(std::filesystem::path chemin)
{
    std::error_code erreur;
    for (int profondeur = 0; profondeur < 40 && std::filesystem::is_symlink(chemin, erreur); ++profondeur) {
        const std::filesystem::path cible = std::filesystem::read_symlink(chemin, erreur);
        if (erreur)
            break;
        chemin = chemin.parent_path() / cible;
    }
    return chemin;
}

// A name for the file beside, which no other writer, in this program or another, is likely to take.
std::string Provisoire(const std::string &chemin)
{
    thread_local std::mt19937 generateur{std::random_device{}()};
    return chemin + ".balizo-" + std::to_string(generateur());
}

} // namespace

Resultat<Fait, std::error_code> EcritFichier(const std::string &nom, std::initializer_list<std::string_view> morceaux)
{
    // A symbolic link stays one: the file that it points to is written.
    const std::string chemin = SansLiens(nom).string();
    struct stat ancien {};
    const bool existe = ::stat(chemin.c_str(), &ancien) == 0;
    // A file that has other names (hard links) keeps them only when it is written in place: a new file would take
    // this name from it.
    if (existe && S_ISREG(ancien.st_mode) && ancien.st_nlink > 1)
        return EcritSurPlace(chemin.c_str(), morceaux);

    // The new content goes into a file beside, which takes the name once every byte is on disk.
    std::string provisoire;
    int fd = -1;
    for (int essai = 0; fd < 0 && essai < 16; ++essai) {
        provisoire = Provisoire(chemin);
        fd = ::open(provisoire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    // A shared folder may be read-only while the user may still write the file itself.
    if (fd < 0) {
        if (existe)
            return EcritSurPlace(chemin.c_str(), morceaux);
        return Erreur(DerniereErreur());
    }
    bool ecrit = EcritMorceaux(fd, morceaux);
    if (existe) {
        Reprend(chemin.c_str(), fd);
        ecrit = ecrit && ::fchmod(fd, ancien.st_mode & 07777) == 0;
    }
    ecrit = ecrit && ::fsync(fd) == 0;
    std::error_code erreur = ecrit ? std::error_code() : DerniereErreur();
    if (::close(fd) != 0 && ecrit) {
        erreur = DerniereErreur();
        ecrit = false;
    }
    if (ecrit && ::rename(provisoire.c_str(), chemin.c_str()) != 0) {
        erreur = DerniereErreur();
        ecrit = false;
    }
    if (!ecrit) {
        ::unlink(provisoire.c_str());
        return Erreur(erreur);
    }
    return Fait{};
}
