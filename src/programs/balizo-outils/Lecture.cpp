// SPDX-License-Identifier: GPL-3.0-or-later
#include "programs/balizo-outils/Lecture.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// The one mapping that the SIGBUS handler watches, [debut, fin); 0 and 0 when there is none.
std::atomic<std::uintptr_t> debutProjection{0};
std::atomic<std::uintptr_t> finProjection{0};
// Whether a byte of it was found past the file's end.
std::atomic<bool> projectionTronquee{false};
std::uintptr_t taillePage = 4096;
struct sigaction actionPrecedente;

// A byte of the mapping past the file's end: the pages from its own to the mapping's end become zeros, and the read
// goes on. Any other SIGBUS gets the action that was there before, when the faulting access runs again.
void SurSigbus(int, siginfo_t *info, void *)
{
    const auto adresse = reinterpret_cast<std::uintptr_t>(info->si_addr);
    const std::uintptr_t debut = debutProjection.load();
    const std::uintptr_t fin = finProjection.load();
    if (adresse >= debut && adresse < fin) {
        const std::uintptr_t page = adresse & ~(taillePage - 1);
        if (mmap(reinterpret_cast<void *>(page), fin - page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1,
                 0) != MAP_FAILED) {
            projectionTronquee = true;
            return;
        }
    }
    sigaction(SIGBUS, &actionPrecedente, nullptr);
}

// Whether the handler is in place, put there at the first call: without it, no file is mapped.
bool GestionnaireInstalle()
{
    static const bool installe = [] {
        taillePage = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        struct sigaction action = {};
        action.sa_sigaction = SurSigbus;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        return sigaction(SIGBUS, &action, &actionPrecedente) == 0;
    }();
    return installe;
}

} // namespace

Octets::Octets(Octets &&autre) noexcept
{
    *this = std::move(autre);
}

Octets &Octets::operator=(Octets &&autre) noexcept
{
    if (this != &autre) {
        Libere();
        debut = std::exchange(autre.debut, nullptr);
        taille = std::exchange(autre.taille, 0);
        projete = std::exchange(autre.projete, false);
        fd = std::exchange(autre.fd, -1);
        bloc = std::move(autre.bloc);
    }
    return *this;
}

Octets::~Octets()
{
    Libere();
}

void Octets::Libere() noexcept
{
    if (projete) {
        debutProjection = 0;
        finProjection = 0;
        munmap(const_cast<char *>(debut), taille);
        close(fd);
    }
    debut = nullptr;
    taille = 0;
    projete = false;
    fd = -1;
    bloc.reset();
}

int Octets::Lit(int descripteur, bool projection)
{
    Libere();
    struct stat etat;
    if (fstat(descripteur, &etat) != 0)
        return errno;
    if (S_ISDIR(etat.st_mode))
        return EISDIR;
    // A file that fstat gives as empty may still hold bytes (those of /proc): it is read.
    if (projection && S_ISREG(etat.st_mode) && etat.st_size > 0 && std::uintmax_t(etat.st_size) <= SIZE_MAX &&
        debutProjection.load() == 0 && GestionnaireInstalle() && Projette(descripteur, std::size_t(etat.st_size)))
        return 0;

    // One byte more than a regular file's size, so that the read that finds its end needs no larger block.
    std::size_t capacite = 1 << 16;
    if (S_ISREG(etat.st_mode) && std::size_t(etat.st_size) >= capacite)
        capacite = std::size_t(etat.st_size) + 1;
    bloc = std::make_unique_for_overwrite<char[]>(capacite);
    for (;;) {
        if (taille == capacite) {
            capacite *= 2;
            auto plusGrand = std::make_unique_for_overwrite<char[]>(capacite);
            std::memcpy(plusGrand.get(), bloc.get(), taille);
            bloc = std::move(plusGrand);
        }
        const ssize_t lu = read(descripteur, bloc.get() + taille, capacite - taille);
        if (lu < 0) {
            if (errno == EINTR)
                continue;
            const int erreur = errno;
            Libere();
            return erreur;
        }
        if (lu == 0) {
            debut = bloc.get();
            return 0;
        }
        taille += std::size_t(lu);
    }
}

bool Octets::Projette(int descripteur, std::size_t longueur)
{
    // Its own descriptor, for fstat to tell later whether the file got shorter.
    const int copie = fcntl(descripteur, F_DUPFD_CLOEXEC, 0);
    if (copie < 0)
        return false;
    void *adresse = mmap(nullptr, longueur, PROT_READ, MAP_PRIVATE, copie, 0);
    if (adresse == MAP_FAILED) {
        close(copie);
        return false;
    }
    madvise(adresse, longueur, MADV_SEQUENTIAL);
    projectionTronquee = false;
    debutProjection = reinterpret_cast<std::uintptr_t>(adresse);
    finProjection = reinterpret_cast<std::uintptr_t>(adresse) + longueur;
    debut = static_cast<const char *>(adresse);
    taille = longueur;
    projete = true;
    fd = copie;
    return true;
}

bool Octets::Tronque() const
{
    if (!projete)
        return false;
    // The bytes past the new end within the end's page read as zeros, without a signal: fstat tells those.
    struct stat etat;
    return projectionTronquee.load() || fstat(fd, &etat) != 0 || std::uintmax_t(etat.st_size) < taille;
}
