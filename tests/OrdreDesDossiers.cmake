# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file includes a header of a folder above its own: the folders of src/core and src/gui, from
# the top down, are those of DOSSIERS (in the core, session/ stands where app/ stands and insertion/ where dialogs/
# does), and the core includes nothing of the widgets. Run by ctest: cmake -DSOURCES=<src> -P OrdreDesDossiers.cmake
set(DOSSIERS app apercu dialogs site entities tagremoval verification document commun settings memoire texte)

function(rang dossier sortie)
    if(dossier STREQUAL "session")
        set(dossier app)
    elseif(dossier STREQUAL "insertion")
        set(dossier dialogs)
    endif()
    list(FIND DOSSIERS ${dossier} position)
    set(${sortie} ${position} PARENT_SCOPE)
endfunction()

set(fautes "")
file(GLOB_RECURSE fichiers RELATIVE ${SOURCES} ${SOURCES}/core/*.h ${SOURCES}/core/*.cpp
     ${SOURCES}/gui/*.h ${SOURCES}/gui/*.cpp)
foreach(fichier IN LISTS fichiers)
    string(REGEX MATCH "^([a-z]+)/([a-z]+)/" _ ${fichier})
    set(couche ${CMAKE_MATCH_1})
    rang(${CMAKE_MATCH_2} ici)
    if(ici EQUAL -1)
        string(APPEND fautes "${fichier} : dossier hors de l'ordre\n")
        continue()
    endif()
    file(STRINGS ${SOURCES}/${fichier} inclusions REGEX "^#include \"(core|gui)/")
    foreach(inclusion IN LISTS inclusions)
        string(REGEX MATCH "\"(core|gui)/([a-z]+)/" _ ${inclusion})
        rang(${CMAKE_MATCH_2} la)
        if(la LESS ici OR (couche STREQUAL "core" AND CMAKE_MATCH_1 STREQUAL "gui"))
            string(APPEND fautes "${fichier} : ${inclusion}\n")
        endif()
    endforeach()
endforeach()
if(fautes)
    message(FATAL_ERROR "Inclusions qui remontent l'ordre des dossiers :\n${fautes}")
endif()
