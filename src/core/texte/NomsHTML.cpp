// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texte/NomsHTML.h"

std::string MotsClesHtml()
{
    std::string mots;
    for (const auto liste : {ElementsHtml(), AttributsHtml()})
        for (const std::string_view nom : liste) {
            if (!mots.empty())
                mots += ' ';
            mots += nom;
        }
    return mots;
}
