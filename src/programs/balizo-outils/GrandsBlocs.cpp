// The program's allocation functions: large blocks on huge pages.
//
// The tool holds its input, and the core functions build their results, in blocks as large as the page. Every
// 4 KiB page of a fresh block faults when it is first written, and on a virtual machine every fault is a trip to
// the host: on a 100 MB page the faults alone took longer than the transformation. A block of a few megabytes is
// therefore advised to the kernel as huge-page memory before anything touches it, so that one fault maps 2 MiB.
// Everything else is plain malloc and free.

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t PageEnorme = std::size_t(2) << 20;
constexpr std::size_t Seuil = 2 * PageEnorme;

void *Alloue(std::size_t taille)
{
    void *bloc = nullptr;
    if (taille < Seuil) {
        bloc = std::malloc(taille ? taille : 1);
    } else {
        // Aligned on a huge page and rounded up to whole ones: no end of the block is left on small pages. The
        // advice is a hint, and its failure changes nothing.
        const std::size_t arrondie = (taille + PageEnorme - 1) & ~(PageEnorme - 1);
        if (arrondie >= taille && posix_memalign(&bloc, PageEnorme, arrondie) == 0)
            madvise(bloc, arrondie, MADV_HUGEPAGE);
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
