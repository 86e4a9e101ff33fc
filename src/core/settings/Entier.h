// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The integer that a settings value holds (decimal, or hexadecimal after "0x"), or the default when it holds none.
int LitEntier(std::string_view valeur, int defaut);
