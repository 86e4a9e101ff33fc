#include "dialogs/FichierTags.h"
