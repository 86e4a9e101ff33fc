#include "gui/app/Application.h"

#include <QFile>

TApplication::TApplication(int argc, char *argv[])
    : QApplication(NomDuProgrammeSeul::argc, argv)
{
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
}
