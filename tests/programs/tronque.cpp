// SPDX-License-Identifier: GPL-3.0-or-later
// Loaded into balizo-outils by tst_outils (LD_PRELOAD): the file named by FICHIER_A_COUPER is cut to half its size
// right after the tool maps it, as another program could cut it while the tool reads it. With COUPE_PASSAGERE, the
// file gets its second half back when the tool next asks for its size, as a program that writes it anew would give
// it back. No other file is touched.

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The second half taken from the file, to be given back; where it goes.
std::string moitie;
off_t placeMoitie = -1;

// Whether the descriptor is that of the file to cut; its path then opened for writing.
int OuvreSiACouper(int fd)
{
    const char *aCouper = std::getenv("FICHIER_A_COUPER");
    if (fd < 0 || !aCouper)
        return -1;
    char lien[64];
    char chemin[PATH_MAX + 1];
    std::snprintf(lien, sizeof lien, "/proc/self/fd/%d", fd);
    const ssize_t longueur = readlink(lien, chemin, PATH_MAX);
    if (longueur <= 0 || std::strncmp(chemin, aCouper, std::size_t(longueur)) != 0 || aCouper[longueur] != '\0')
        return -1;
    return open(lien, O_RDWR | O_CLOEXEC);
}

} // namespace

extern "C" void *mmap(void *adresse, size_t taille, int protection, int options, int fd, off_t decalage)
{
    using Mmap = void *(*)(void *, size_t, int, int, int, off_t);
    static const auto suivante = reinterpret_cast<Mmap>(dlsym(RTLD_NEXT, "mmap"));
    void *projection = suivante(adresse, taille, protection, options, fd, decalage);
    if (projection == MAP_FAILED)
        return projection;
    if (const int fichier = OuvreSiACouper(fd); fichier >= 0) {
        const off_t garde = static_cast<off_t>(taille / 2);
        if (std::getenv("COUPE_PASSAGERE")) {
            moitie.resize(taille - taille / 2);
            if (pread(fichier, moitie.data(), moitie.size(), garde) == ssize_t(moitie.size()))
                placeMoitie = garde;
        }
        if (ftruncate(fichier, garde) != 0)
            std::perror("tronque");
        close(fichier);
    }
    return projection;
}

extern "C" int fstat(int fd, struct stat *etat)
{
    using Fstat = int (*)(int, struct stat *);
    static const auto suivante = reinterpret_cast<Fstat>(dlsym(RTLD_NEXT, "fstat"));
    if (placeMoitie >= 0) {
        if (const int fichier = OuvreSiACouper(fd); fichier >= 0) {
            if (pwrite(fichier, moitie.data(), moitie.size(), placeMoitie) != ssize_t(moitie.size()))
                std::perror("tronque");
            placeMoitie = -1;
            close(fichier);
        }
    }
    return suivante(fd, etat);
}
