#include "dialogs/WndTags.h"

#include "app/MDIFenetre.h"

TTagsForm::TTagsForm(TMDIHtml &frame, const QString &)
    : QWidget(&frame, Qt::Tool | Qt::WindowStaysOnTopHint)
    , frame(frame)
{
    setWindowTitle(QStringLiteral("Tags..."));
}
