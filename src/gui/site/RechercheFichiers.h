// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/site/Recherche.h"
#include "gui/site/PanneauRecherche.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class QThread;
class QTimer;

// Runs a search across files on another thread and fills the list of results as it finds them. One search at a
// time: a new one, or the list's "Annuler", stops the one running.
class TRechercheFichiers : public QObject {
    Q_OBJECT

public:
    TRechercheFichiers(TPanneauRecherche &panneau, QObject *parent);
    // Stops the search running and waits for it.
    ~TRechercheFichiers() override;

    // The pages for which `ouverts` gives a text are searched in it, not in their files.
    void Lance(const DemandeRecherche &demande, const TexteOuvert &ouverts);
    void Arrete();

signals:
    // The search is over: at its end, stopped, or failed.
    void Terminee();

private:
    // Hands the occurrences found since the last time to the list, and how far the search has gone.
    void Transmet();

    TPanneauRecherche &panneau;
    std::unique_ptr<QThread> fil;
    std::shared_ptr<SuiviRecherche> suivi;
    // The occurrences found and not yet in the list, which the search's threads fill and the timer empties.
    std::mutex verrou;
    std::vector<ResultatTrouve> attente;
    QTimer *minuterie;
    // Numbers the searches, so that the end of a stopped one goes nowhere.
    std::uint64_t numero = 0;
};

// The occurrence as the list shows it: the line's text, and where the occurrence lies in it, in characters.
ResultatTrouve Affiche(const Trouvaille &trouvaille);
