#pragma once

#include <QApplication>
#include <QStringList>

// The argument count that Qt is given: the program's name alone. It must outlive the application, which keeps a
// reference to it, and exist before it: hence a base of its own, built first.
struct NomDuProgrammeSeul {
    int argc = 1;
};

// The application of Balizo. Qt reads none of the command-line arguments, so that none is taken out as one of its
// options ("-reverse", "-style"...): every argument is a file name. Qt's environment variables still apply.
class TApplication : private NomDuProgrammeSeul, public QApplication {
public:
    TApplication(int argc, char *argv[]);

    // Every argument after the program's name, in order, as given.
    const QStringList &Arguments() const { return arguments; }

private:
    QStringList arguments;
};
