#include "dialogs/TitrePage.h"
