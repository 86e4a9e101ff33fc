// SPDX-License-Identifier: GPL-3.0-or-later
#include "programs/balizo-outils/Outils.h"

int main(int argc, char **argv)
{
    return LanceOutils(argc, argv);
}
