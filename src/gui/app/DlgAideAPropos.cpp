// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/DlgAideAPropos.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

TDlgAideAPropos::TDlgAideAPropos(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("A propos..."));
    setFixedSize(296, 185);

    auto *cadre = new QFrame(this);
    cadre->setFrameStyle(QFrame::Panel | QFrame::Raised);
    cadre->setLineWidth(2);
    cadre->setGeometry(8, 8, 281, 129);

    auto *icone = new QLabel(cadre);
    icone->setPixmap(QPixmap(QStringLiteral(":/icones/balizo.xpm")));
    icone->setScaledContents(true);
    icone->setGeometry(32, 16, 33, 33);

    auto *nom = new QLabel(QStringLiteral("Balizo"), cadre);
    QFont grande = nom->font();
    grande.setBold(true);
    grande.setPointSize(grande.pointSize() + 4);
    nom->setFont(grande);
    nom->move(88, 16);

    auto *version = new QLabel(QStringLiteral("Version 1.1 (Août 1997)"), cadre);
    version->move(88, 48);

    auto *licence = new QLabel(QStringLiteral("Logiciel libre, sous licence GNU GPL version 3 ou ultérieure."), cadre);
    licence->setWordWrap(true);
    licence->setGeometry(32, 72, 233, 45);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(112, 152, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TDlgAideAPropos::keyPressEvent(QKeyEvent *event)
{
    // No button cancels this box: Escape does nothing.
    if (event->key() == Qt::Key_Escape)
        event->accept();
    else
        QDialog::keyPressEvent(event);
}
