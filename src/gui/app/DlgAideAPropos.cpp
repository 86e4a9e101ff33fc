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

    auto *Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setGeometry(8, 8, 281, 129);

    auto *ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(QPixmap(QStringLiteral(":/icones/balizo.xpm")));
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setGeometry(32, 16, 33, 33);

    auto *ProductName = new QLabel(QStringLiteral("Balizo"), Panel1);
    ProductName->setObjectName("ProductName");
    QFont grande = ProductName->font();
    grande.setBold(true);
    grande.setPointSize(grande.pointSize() + 4);
    ProductName->setFont(grande);
    ProductName->move(88, 16);

    auto *Version = new QLabel(QStringLiteral("Version 1.1 (Août 1997)"), Panel1);
    Version->setObjectName("Version");
    Version->move(88, 48);

    auto *OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(112, 152, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TDlgAideAPropos::keyPressEvent(QKeyEvent *event)
{
    // No button cancels this box: Escape does nothing.
    if (event->key() == Qt::Key_Escape)
        event->accept();
    else
        QDialog::keyPressEvent(event);
}
