#include "dialogs/DlgImage.h"

#include "app/MDIFenetre.h"

TDlgInsertionImage::TDlgInsertionImage(TMDIHtml &frame)
    : QDialog(&frame)
    , frame(frame)
{
    setWindowTitle(QStringLiteral("Insertion d'une image..."));
}

void TDlgInsertionImage::FormShow(const QString &fichier)
{
    fichierDocument = fichier;
}
