// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

// The argument count that Qt is given: the program's name alone. It must outlive the application, which keeps a
// reference to it, and exist before it: hence a base of its own, built first.
struct NomDuProgrammeSeul {
    int argc = 1;
};

// The application of Balizo. Qt reads none of the command-line arguments, so that none is taken out as one of its
// options ("-reverse", "-style"...): the program reads them itself. Qt's environment variables still apply.
class TApplication : private NomDuProgrammeSeul, public QApplication {
public:
    explicit TApplication(char *argv[]);
};
