// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/memoire/GrandesPages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

void ConseilleGrandesPages([[maybe_unused]] void *debut, [[maybe_unused]] std::size_t taille)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const auto adresse = reinterpret_cast<std::uintptr_t>(debut);
    const std::uintptr_t a = (adresse + PageEnorme - 1) & ~std::uintptr_t(PageEnorme - 1);
    const std::uintptr_t b = (adresse + taille) & ~std::uintptr_t(PageEnorme - 1);
    if (a < b)
        madvise(reinterpret_cast<void *>(a), b - a, MADV_HUGEPAGE);
#endif
}
