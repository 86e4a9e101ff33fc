# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file of the tree does not name its licence on its first line (its second, after a "#!" line):
# "// SPDX-License-Identifier: GPL-3.0-or-later" in C++, the same after "#" in CMake, shell and Python files.
# The folders read are those of the sources, never a build folder. Run by ctest: cmake -DRACINE=<tree> -P
# LicenceDesSources.cmake
set(LIGNE "SPDX-License-Identifier: GPL-3.0-or-later")

file(GLOB fichiers RELATIVE ${RACINE} ${RACINE}/CMakeLists.txt ${RACINE}/.ci/run)
foreach(dossier src tests bench cmake scripts desktop)
    set(motifs *.cpp *.h *.inc *.cmake CMakeLists.txt *.sh *.py)
    list(TRANSFORM motifs PREPEND ${RACINE}/${dossier}/)
    file(GLOB_RECURSE sources RELATIVE ${RACINE} ${motifs})
    list(APPEND fichiers ${sources})
endforeach()

set(fautes "")
foreach(fichier IN LISTS fichiers)
    if(fichier MATCHES "\\.(cpp|h|inc)$")
        set(commentaire "//")
    else()
        set(commentaire "#")
    endif()
    file(READ ${RACINE}/${fichier} debut LIMIT 512)
    string(REGEX MATCH "^(#![^\n]*\n)?[^\n]*" tete "${debut}")
    string(REGEX REPLACE "^#![^\n]*\n" "" premiere "${tete}")
    if(NOT premiere STREQUAL "${commentaire} ${LIGNE}")
        string(APPEND fautes "${fichier}\n")
    endif()
endforeach()
if(fautes)
    message(FATAL_ERROR "Sources sans la ligne « ${LIGNE} » en tête :\n${fautes}")
endif()
