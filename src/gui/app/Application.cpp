// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/Application.h"

TApplication::TApplication(char *argv[])
    : QApplication(NomDuProgrammeSeul::argc, argv)
{
}
