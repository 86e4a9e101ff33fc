#include "core/tagremoval/Sortie.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace Balayage {

namespace {

// On a virtual machine every first touch of a 4 KiB page is a trip to the host, and for a result of tens of megabytes
// those faults took longer than the work: a large result is advised to the kernel as huge-page memory before anything
// touches it, so that one fault maps 2 MiB. The advice is a hint; whether it is taken changes nothing else.
void GrandesPages([[maybe_unused]] char *debut, [[maybe_unused]] std::size_t taille)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t PageEnorme = std::uintptr_t(2) << 20;
    if (taille < 4 * PageEnorme)
        return;
    // Only the whole huge pages inside the block: the advice must not reach memory that is not the string's.
    const std::uintptr_t a = (reinterpret_cast<std::uintptr_t>(debut) + PageEnorme - 1) & ~(PageEnorme - 1);
    const std::uintptr_t b = (reinterpret_cast<std::uintptr_t>(debut) + taille) & ~(PageEnorme - 1);
    madvise(reinterpret_cast<void *>(a), b - a, MADV_HUGEPAGE);
#endif
}

} // namespace

Sortie::Sortie(std::size_t taille)
{
    texte.reserve(taille + Marge);
    GrandesPages(texte.data(), texte.capacity());
    texte.resize(std::min(texte.capacity(), Pas));
}

} // namespace Balayage
