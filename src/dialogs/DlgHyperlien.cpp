#include "dialogs/DlgHyperlien.h"

TDlgInsertionHyperlien::TDlgInsertionHyperlien(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Insertion d'un lien hypertexte..."));
}

void TDlgInsertionHyperlien::FormShow(const DocumentOuvert &, const std::vector<DocumentOuvert> &)
{
}
