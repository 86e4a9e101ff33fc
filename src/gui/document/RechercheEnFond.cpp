// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/document/RechercheEnFond.h"

#include "core/document/Motif.h"
#include "gui/commun/TravailEnFond.h"
#include "gui/document/EditHTML.h"

#include <QPointer>

bool RechercheEnFond(TEditHTML &edit, std::size_t taille, const std::function<void(Suivi &)> &recherche)
{
    Suivi suivi;
    const QPointer<TEditHTML> page(&edit);
    const bool lectureSeule = edit.isReadOnly();
    // Typing meanwhile goes into the page once the search is over.
    edit.setReadOnly(true);
    const auto rendLaPage = [&] {
        if (page)
            page->setReadOnly(lectureSeule);
    };
    try {
        TravailEnFond(
            edit.window(), QStringLiteral("Recherche"), QStringLiteral("Recherche en cours..."),
            [&] {
                try {
                    recherche(suivi);
                } catch (const RechercheAnnulee &) {
                }
            },
            [&] { return taille ? static_cast<int>(suivi.position * 1000 / taille) : 0; },
            [&] { suivi.annule = true; });
    } catch (...) {
        rendLaPage();
        throw;
    }
    rendLaPage();
    return !suivi.annule;
}
