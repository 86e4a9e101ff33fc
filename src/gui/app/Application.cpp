#include "gui/app/Application.h"

TApplication::TApplication(char *argv[])
    : QApplication(NomDuProgrammeSeul::argc, argv)
{
}
