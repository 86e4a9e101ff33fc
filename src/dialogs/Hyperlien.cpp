#include "dialogs/Hyperlien.h"
