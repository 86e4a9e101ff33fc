#include "app/DlgChercher.h"

TDlgChercher::TDlgChercher(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Chercher"));
}
