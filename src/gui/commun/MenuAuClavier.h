// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QContextMenuEvent>
#include <QKeyEvent>

// Whether the event asks for a context menu from the keyboard: the Menu key, which Qt turns into a request, or
// Maj+F10, which it does not. A list opens the menu of its current row for it.
inline bool MenuAuClavier(const QEvent &event)
{
    if (event.type() == QEvent::ContextMenu)
        return static_cast<const QContextMenuEvent &>(event).reason() == QContextMenuEvent::Keyboard;
    if (event.type() != QEvent::KeyPress)
        return false;
    const auto &touche = static_cast<const QKeyEvent &>(event);
    return touche.key() == Qt::Key_F10 && touche.modifiers() == Qt::ShiftModifier;
}
