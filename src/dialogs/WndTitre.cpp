#include "dialogs/WndTitre.h"

#include <QLineEdit>

TDlgInsertionTitre::TDlgInsertionTitre(QWidget *parent)
    : QDialog(parent)
    , Titre(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Insertion d'un titre..."));
}
