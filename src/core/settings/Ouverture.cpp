// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/Ouverture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

std::error_code ErreurSysteme(int numero)
{
    return {numero, std::generic_category()};
}

} // namespace

Resultat<int, std::error_code> OuvreSansAttendre(const std::string &chemin)
{
    // Anything but a regular file is left unopened: opening a named pipe would wait for a writer, perhaps forever,
    // or wake the one that waits; opening a device may act on it. The name may come to stand for such a file
    // between the check and the opening: it is opened without waiting, and checked again once open.
    struct stat etat {};
    if (::stat(chemin.c_str(), &etat) != 0)
        return Erreur(ErreurSysteme(errno));
    if (!S_ISREG(etat.st_mode))
        return Erreur(ErreurSysteme(EINVAL));
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Erreur(ErreurSysteme(errno));
    if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
        ::close(fd);
        return Erreur(ErreurSysteme(EINVAL));
    }
    return fd;
}

Resultat<Debut, std::error_code> LitDebut(const std::string &chemin, std::size_t limite)
{
    const auto ouvert = OuvreSansAttendre(chemin);
    if (!ouvert)
        return Erreur(ouvert.Pourquoi());
    const int fd = *ouvert;
    struct stat etat {};
    ::fstat(fd, &etat);
    // One byte past the limit tells whether the file goes on; a file that grows while it is read grows the block.
    const std::size_t maximum = limite + 1;
    Debut debut;
    debut.octets.resize(std::min(maximum, static_cast<std::size_t>(std::max<off_t>(etat.st_size, 0)) + 1));
    std::size_t lus = 0;
    for (;;) {
        if (lus == debut.octets.size()) {
            if (lus == maximum)
                break;
            debut.octets.resize(std::min(maximum, 2 * lus));
        }
        const ssize_t n = ::read(fd, debut.octets.data() + lus, debut.octets.size() - lus);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const std::error_code erreur = ErreurSysteme(errno);
            ::close(fd);
            return Erreur(erreur);
        }
        if (n == 0)
            break;
        lus += static_cast<std::size_t>(n);
    }
    ::close(fd);
    debut.entier = lus <= limite;
    debut.octets.resize(std::min(lus, limite));
    return debut;
}
