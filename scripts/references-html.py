#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes src/core/texte/ReferencesHTML.inc, the table of HTML's named character references, from the list that
# Python's standard library holds (html.entities.html5): only the names written with their ';', the ';' taken off,
# sorted by their bytes, each with its characters in UTF-8. Run it again when that list grows, and commit the file.
import html.entities
import pathlib

racine = pathlib.Path(__file__).resolve().parent.parent
noms = sorted((nom[:-1] for nom in html.entities.html5 if nom.endswith(';')), key=lambda nom: nom.encode())
lignes = [
    '// SPDX-License-Identifier: GPL-3.0-or-later',
    '// The named character references of HTML, without their \'&\' and \';\', sorted by their bytes, each with its',
    '// characters in UTF-8. Written by scripts/references-html.py from the list of Python\'s html.entities.html5:',
    '// run it again rather than editing this file.',
]
for nom in noms:
    octets = ''.join(f'\\x{o:02X}' for o in html.entities.html5[nom + ';'].encode())
    lignes.append(f'{{"{nom}", "{octets}"}},')
(racine / 'src/core/texte/ReferencesHTML.inc').write_text('\n'.join(lignes) + '\n')
