#include "dialogs/ElementImage.h"
