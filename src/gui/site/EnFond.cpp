// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/site/EnFond.h"

#include "core/site/Recherche.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include <exception>
#include <memory>

bool EnFond(QWidget *parent, const QString &titre, const QString &texte,
            const std::function<void(SuiviRecherche &)> &travail)
{
    SuiviRecherche suivi;
    std::exception_ptr erreur;
    const std::unique_ptr<QThread> fil(QThread::create([&] {
        try {
            travail(suivi);
        } catch (const RechercheAnnulee &) {
        } catch (...) {
            erreur = std::current_exception();
        }
    }));
    QEventLoop boucle;
    QObject::connect(fil.get(), &QThread::finished, &boucle, &QEventLoop::quit);
    fil->start();

    // A quick work ends before anything shows.
    QTimer delai;
    delai.setSingleShot(true);
    QObject::connect(&delai, &QTimer::timeout, &boucle, &QEventLoop::quit);
    delai.start(500);
    boucle.exec(QEventLoop::ExcludeUserInputEvents);
    delai.stop();

    if (!fil->isFinished()) {
        QProgressDialog progression(texte, QStringLiteral("Annuler"), 0, 1000, parent);
        progression.setWindowTitle(titre);
        progression.setWindowModality(Qt::ApplicationModal);
        progression.setAutoReset(false);
        progression.setAutoClose(false);
        progression.setMinimumDuration(0);
        QObject::connect(&progression, &QProgressDialog::canceled, [&] { suivi.suivi.annule = true; });
        QTimer avance;
        QObject::connect(&avance, &QTimer::timeout, [&] {
            const std::size_t total = suivi.total;
            progression.setValue(total ? static_cast<int>(std::min(suivi.faits.load(), total) * 1000 / total) : 0);
        });
        avance.start(100);
        progression.show();
        // The thread may have ended while the bar was being shown.
        if (!fil->isFinished())
            boucle.exec();
    }
    fil->wait();
    if (erreur)
        std::rethrow_exception(erreur);
    return !suivi.suivi.annule;
}
