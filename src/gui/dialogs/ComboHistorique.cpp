// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/ComboHistorique.h"

#include "core/insertion/Historique.h"

#include <QLineEdit>
#include <QSignalBlocker>

TComboHistorique::TComboHistorique(Ordre ordre, QWidget *parent)
    : QComboBox(parent)
    , ordre(ordre)
{
    setEditable(true);
    // Only a confirmed dialog adds to the history, not the Enter key.
    setInsertPolicy(QComboBox::NoInsert);
    setCurrentIndex(-1);
}

void TComboHistorique::AjouteHistorique(const QString &texte)
{
    std::vector<std::string> entrees;
    entrees.reserve(static_cast<std::size_t>(count()));
    for (int i = 0; i < count(); ++i)
        entrees.push_back(itemText(i).toStdString());
    const std::size_t avant = entrees.size();
    ::AjouteHistorique(entrees, texte.toStdString());
    if (entrees.size() == avant)
        return;
    int place = count();
    if (ordre == Ordre::Alphabetique) {
        place = 0;
        while (place < count() && QString::localeAwareCompare(itemText(place), texte) <= 0)
            ++place;
    }
    Insere(place, {texte});
}

void TComboHistorique::AjouteNouveaux(const QStringList &textes)
{
    Insere(count(), textes);
}

void TComboHistorique::Insere(int place, const QStringList &textes)
{
    // A combo box that gains its first item would show it, and inserting before the current item moves the
    // current index: neither may change the text the user sees.
    const QSignalBlocker blocage(this);
    const QString edite = currentText();
    insertItems(place, textes);
    setCurrentIndex(-1);
    setEditText(edite);
}

void TComboHistorique::Vide()
{
    const QSignalBlocker blocage(this);
    clear();
    clearEditText();
}

QStringList TComboHistorique::Entrees() const
{
    QStringList liste;
    for (int i = 0; i < count(); ++i)
        liste << itemText(i);
    return liste;
}
