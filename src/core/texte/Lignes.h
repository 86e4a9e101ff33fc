// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string_view>

// A line of a text: its first byte, the first byte of its line end (the end of the text for the last line when it
// has none), and the position past its line end.
struct Ligne {
    std::size_t debut = 0;
    std::size_t fin = 0;
    std::size_t apres = 0;

    bool operator==(const Ligne &) const = default;
};

// The lines of a text, one after the other; a line ends at CR LF, LF or a lone CR. The line ends are found by two
// memchr cursors, one for CR and one for LF, each kept until the lines pass it: a text of LF lines is looked through
// for CR a few times, not once a line. A cursor looks within a window that doubles each time it finds nothing, so
// that whoever reads only the first lines reads little past them, and a line of megabytes costs a few calls.
class Lignes {
public:
    explicit Lignes(std::string_view texte, std::size_t debut = 0) : texte(texte), debut(debut) {}

    // The next line; nothing once the text is used up, so that a final line end is not followed by an empty line.
    std::optional<Ligne> Suivante()
    {
        if (debut >= texte.size())
            return std::nullopt;
        Ravive(lf);
        Ravive(cr);
        // The nearer cursor ends the line when it stands on its character, as the text's end does; otherwise it
        // looks further. Each cursor is named, never chosen through a reference, so that both stay in registers.
        for (;;) {
            if (cr.position < lf.position) {
                if (cr.trouve) {
                    const bool crlf = cr.position + 1 < texte.size() && texte[cr.position + 1] == '\n';
                    return Termine(cr.position, cr.position + (crlf ? 2 : 1));
                }
                Cherche(cr);
            } else {
                if (lf.trouve)
                    return Termine(lf.position, lf.position + 1);
                if (lf.position == texte.size())
                    return Termine(lf.position, lf.position);
                Cherche(lf);
            }
        }
    }

private:
    // Where the next `c` from the line's start lies when `trouve`; otherwise how far the text is known to hold none.
    struct Curseur {
        char c;
        std::size_t position = 0;
        bool trouve = false;
        std::size_t fenetre = 256;
    };

    // The line from `debut` to `fin`, the next one starting at `apres`.
    Ligne Termine(std::size_t fin, std::size_t apres)
    {
        const Ligne ligne{debut, fin, apres};
        debut = apres;
        return ligne;
    }

    // A cursor that the lines have passed looks again from the line's start.
    void Ravive(Curseur &curseur)
    {
        if (curseur.position < debut) {
            curseur.position = debut;
            Cherche(curseur);
        }
    }

    // Moves the cursor to its character within its window from where it stands, or past the window, which doubles.
    void Cherche(Curseur &curseur)
    {
        const std::size_t n = std::min(curseur.fenetre, texte.size() - curseur.position);
        if (const void *trouve = std::memchr(texte.data() + curseur.position, curseur.c, n)) {
            curseur.position = static_cast<std::size_t>(static_cast<const char *>(trouve) - texte.data());
            curseur.trouve = true;
        } else {
            curseur.position += n;
            curseur.trouve = false;
            curseur.fenetre *= 2;
        }
    }

    std::string_view texte;
    std::size_t debut;
    Curseur lf{'\n'};
    Curseur cr{'\r'};
};
