// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/document/RechercheEnFond.h"

#include "core/document/Motif.h"
#include "gui/document/EditHTML.h"

#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <exception>
#include <memory>

bool RechercheEnFond(TEditHTML &edit, std::size_t taille, const std::function<void(Suivi &)> &recherche)
{
    Suivi suivi;
    std::exception_ptr erreur;
    const std::unique_ptr<QThread> fil(QThread::create([&] {
        try {
            recherche(suivi);
        } catch (const RechercheAnnulee &) {
        } catch (...) {
            erreur = std::current_exception();
        }
    }));
    const QPointer<TEditHTML> page(&edit);
    const bool lectureSeule = edit.isReadOnly();
    edit.setReadOnly(true);
    QEventLoop boucle;
    QObject::connect(fil.get(), &QThread::finished, &boucle, &QEventLoop::quit);
    fil->start();

    // A quick search ends before anything shows; typing meanwhile goes into the page once it is over.
    QTimer delai;
    delai.setSingleShot(true);
    QObject::connect(&delai, &QTimer::timeout, &boucle, &QEventLoop::quit);
    delai.start(500);
    boucle.exec(QEventLoop::ExcludeUserInputEvents);
    delai.stop();

    if (!fil->isFinished()) {
        QProgressDialog progression(QStringLiteral("Recherche en cours..."), QStringLiteral("Annuler"), 0, 1000,
                                    edit.window());
        progression.setWindowTitle(QStringLiteral("Recherche"));
        progression.setWindowModality(Qt::ApplicationModal);
        progression.setAutoReset(false);
        progression.setAutoClose(false);
        QObject::connect(&progression, &QProgressDialog::canceled, [&] { suivi.annule = true; });
        QTimer avance;
        QObject::connect(&avance, &QTimer::timeout, [&] {
            progression.setValue(taille ? static_cast<int>(suivi.position * 1000 / taille) : 0);
        });
        avance.start(100);
        progression.show();
        // The thread may have ended while the bar was being shown.
        if (!fil->isFinished())
            boucle.exec();
    }
    fil->wait();
    if (page)
        page->setReadOnly(lectureSeule);
    if (erreur)
        std::rethrow_exception(erreur);
    return !suivi.annule;
}
