// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tagremoval/SuppressionTags.h"

std::string RemplaceExtension(std::string_view nom, std::string_view suffixe)
{
    std::size_t garde = nom.size();
    for (std::size_t k = nom.size(); k-- > 0 && nom[k] != '/';)
        if (nom[k] == '.') {
            garde = k;
            break;
        }
    std::string resultat;
    resultat.reserve(garde + suffixe.size());
    resultat.append(nom.substr(0, garde)).append(suffixe);
    return resultat;
}
