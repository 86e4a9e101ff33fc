#include "tools/Outils.h"

int main(int argc, char **argv)
{
    return LanceOutils(argc, argv);
}
