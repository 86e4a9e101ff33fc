// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/commun/TravailEnFond.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <exception>
#include <memory>

void TravailEnFond(QWidget *parent, const QString &titre, const QString &texte, const std::function<void()> &travail,
                   const std::function<int()> &avancement, const std::function<void()> &annule)
{
    std::exception_ptr erreur;
    const std::unique_ptr<QThread> fil(QThread::create([&] {
        try {
            travail();
        } catch (...) {
            erreur = std::current_exception();
        }
    }));
    QEventLoop boucle;
    QObject::connect(fil.get(), &QThread::finished, &boucle, &QEventLoop::quit);
    fil->start();

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
        QObject::connect(&progression, &QProgressDialog::canceled, annule);
        QTimer avance;
        QObject::connect(&avance, &QTimer::timeout, [&] { progression.setValue(avancement()); });
        avance.start(100);
        progression.show();
        // The thread may have ended while the bar was being shown.
        if (!fil->isFinished())
            boucle.exec();
    }
    fil->wait();
    if (erreur)
        std::rethrow_exception(erreur);
}
