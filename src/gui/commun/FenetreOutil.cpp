// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/commun/FenetreOutil.h"

#include <QAbstractItemView>
#include <QKeyEvent>

TFenetreOutil::TFenetreOutil(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
}

void TFenetreOutil::ListeAuClavier(QAbstractItemView *vue)
{
    liste = vue;
    liste->installEventFilter(this);
}

void TFenetreOutil::Montre()
{
    show();
    raise();
    activateWindow();
    if (!liste->currentIndex().isValid() && liste->model()->hasIndex(0, 0))
        liste->setCurrentIndex(liste->model()->index(0, 0));
    liste->setFocus(Qt::ActiveWindowFocusReason);
}

void TFenetreOutil::RendClavier(QWidget *texte)
{
    texte->window()->activateWindow();
    texte->setFocus(Qt::ActiveWindowFocusReason);
}

bool TFenetreOutil::eventFilter(QObject *objet, QEvent *event)
{
    // The list itself would only report its current entry as activated, and a style may activate on a single click.
    if (objet == liste && event->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent *>(event)->key();
        if ((touche == Qt::Key_Return || touche == Qt::Key_Enter) && liste->currentIndex().isValid()) {
            Valide();
            return true;
        }
    }
    return QWidget::eventFilter(objet, event);
}

void TFenetreOutil::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
