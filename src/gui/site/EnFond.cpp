// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/site/EnFond.h"

#include "core/site/Recherche.h"
#include "gui/commun/TravailEnFond.h"

#include <algorithm>

bool EnFond(QWidget *parent, const QString &titre, const QString &texte,
            const std::function<void(SuiviRecherche &)> &travail)
{
    SuiviRecherche suivi;
    TravailEnFond(
        parent, titre, texte,
        [&] {
            try {
                travail(suivi);
            } catch (const RechercheAnnulee &) {
            }
        },
        [&] {
            const std::size_t total = suivi.total;
            return total ? static_cast<int>(std::min(suivi.faits.load(), total) * 1000 / total) : 0;
        },
        [&] { suivi.suivi.annule = true; });
    return !suivi.suivi.annule;
}
