// SPDX-License-Identifier: GPL-3.0-or-later
// The program's allocation functions: large blocks on huge pages.
//
// The core functions build their results, and the tool holds an input that it reads rather than maps, in blocks as
// large as the page: on a 100 MB page the faults of fresh 4 KiB pages alone took longer than the transformation. A
// block of a few megabytes is therefore aligned on huge pages and advised as such before anything touches it.
// Everything else is plain malloc and free.

#include "core/memoire/GrandesPages.h"

#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t Seuil = 2 * PageEnorme;

void *Alloue(std::size_t taille)
{
    void *bloc = nullptr;
    if (taille < Seuil) {
        bloc = std::malloc(taille ? taille : 1);
    } else {
        // Aligned on a huge page and rounded up to whole ones: no end of the block is left on small pages.
        const std::size_t arrondie = (taille + PageEnorme - 1) & ~(PageEnorme - 1);
        if (arrondie >= taille && posix_memalign(&bloc, PageEnorme, arrondie) == 0)
            ConseilleGrandesPages(bloc, arrondie);
        else
            bloc = nullptr;
    }
    if (!bloc)
        throw std::bad_alloc();
    return bloc;
}

} // namespace

void *operator new(std::size_t taille)
{
    return Alloue(taille);
}

void *operator new[](std::size_t taille)
{
    return Alloue(taille);
}

void operator delete(void *bloc) noexcept
{
    std::free(bloc);
}

void operator delete[](void *bloc) noexcept
{
    std::free(bloc);
}

void operator delete(void *bloc, std::size_t) noexcept
{
    std::free(bloc);
}

void operator delete[](void *bloc, std::size_t) noexcept
{
    std::free(bloc);
}
