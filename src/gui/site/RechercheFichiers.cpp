// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/site/RechercheFichiers.h"

#include "core/site/Bilan.h"
#include "gui/settings/CheminsQt.h"

#include <QThread>
#include <QTimer>

#include <new>

namespace {

QString Utf8(std::string_view octets)
{
    return QString::fromUtf8(octets.data(), static_cast<qsizetype>(octets.size()));
}

} // namespace

ResultatTrouve Affiche(const Trouvaille &trouvaille)
{
    const std::string_view ligne = trouvaille.texteLigne;
    const QString avant = Utf8(ligne.substr(0, trouvaille.debut));
    const QString trouve = Utf8(ligne.substr(trouvaille.debut, trouvaille.fin - trouvaille.debut));
    return {DecodeNom(trouvaille.chemin),
            trouvaille.ligne,
            trouvaille.colonne,
            trouvaille.position,
            trouvaille.position + trouvaille.longueur,
            avant + trouve + Utf8(ligne.substr(trouvaille.fin)),
            avant.size(),
            trouve.size()};
}

TRechercheFichiers::TRechercheFichiers(TPanneauRecherche &panneau, QObject *parent)
    : QObject(parent)
    , panneau(panneau)
    , minuterie(new QTimer(this))
{
    // Ten times a second: the list grows in steps that it lays out at once, and the search never waits for it.
    minuterie->setInterval(100);
    connect(minuterie, &QTimer::timeout, this, &TRechercheFichiers::Transmet);
    connect(&panneau, &TPanneauRecherche::Annuler, this, [this] {
        if (suivi)
            suivi->suivi.annule = true;
    });
}

TRechercheFichiers::~TRechercheFichiers()
{
    Arrete();
}

void TRechercheFichiers::Arrete()
{
    if (!fil)
        return;
    suivi->suivi.annule = true;
    fil->wait();
    fil.reset();
    minuterie->stop();
    const std::lock_guard garde(verrou);
    attente.clear();
}

void TRechercheFichiers::Transmet()
{
    std::vector<ResultatTrouve> lot;
    {
        const std::lock_guard garde(verrou);
        lot.swap(attente);
    }
    if (!lot.empty())
        panneau.Ajoute(lot);
    panneau.Avance(suivi->faits, suivi->total);
}

void TRechercheFichiers::Lance(const DemandeRecherche &demande, const TexteOuvert &ouverts)
{
    Arrete();
    const std::uint64_t ceNumero = ++numero;
    suivi = std::make_shared<SuiviRecherche>();
    panneau.Commence(QString::fromStdString(demande.cherche), DecodeNom(demande.dossier));
    minuterie->start();
    fil.reset(QThread::create([this, ceNumero, demande, ouverts, suivi = suivi] {
        QString message;
        try {
            const auto bilan = ChercheDansFichiers(
                demande,
                [this](const Trouvaille &trouvaille) {
                    ResultatTrouve resultat = Affiche(trouvaille);
                    const std::lock_guard garde(verrou);
                    attente.push_back(std::move(resultat));
                },
                *suivi, ouverts);
            message = bilan ? QString::fromStdString(Resume(*bilan)) : QString::fromStdString(bilan.Pourquoi());
        } catch (const std::bad_alloc &) {
            message = QStringLiteral("Mémoire insuffisante : la recherche est abandonnée.");
        }
        // The last occurrences reach the list before its end.
        QMetaObject::invokeMethod(
            this,
            [this, ceNumero, message] {
                if (ceNumero != numero)
                    return;
                minuterie->stop();
                Transmet();
                panneau.Termine(message);
                emit Terminee();
            },
            Qt::QueuedConnection);
    }));
    fil->start();
}
