// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tagremoval/Sortie.h"

#include "core/memoire/GrandesPages.h"

#include <algorithm>

namespace Balayage {

Sortie::Sortie(std::size_t taille)
{
    texte.reserve(taille + Marge);
    // Only a large result is worth the advice.
    if (texte.capacity() >= 4 * PageEnorme)
        ConseilleGrandesPages(texte.data(), texte.capacity());
    texte.resize(std::min(texte.capacity(), Pas));
}

} // namespace Balayage
