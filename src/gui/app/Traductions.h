// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

// The whole interface in French, Qt's own dialogs included: every catalog that Qt ships for French (qt_fr brings
// qtbase_fr and the others) and QScintilla's, and French as the default locale, so that the file dialogs write dates
// and sizes the French way. The translators belong to the application.
void TraduitEnFrancais(QCoreApplication &application);
