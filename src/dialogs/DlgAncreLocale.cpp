#include "dialogs/DlgAncreLocale.h"

#include <QLineEdit>

TDlgInsertionAncreLocale::TDlgInsertionAncreLocale(QWidget *parent)
    : QDialog(parent)
    , Ancre(new QLineEdit(QStringLiteral("Ancre"), this))
{
    setWindowTitle(QStringLiteral("Insertion d'une ancre locale..."));
}
