// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/texte/Encodage.h"
#include "core/texte/Resultat.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// How a page's file turns into the UTF-8 text that the program works on, and back. A file's encoding is decided for
// the whole file: a UTF-8 byte-order mark followed by valid UTF-8, valid UTF-8, otherwise Windows-1252, where every
// byte is a character. Line ends are kept as they are, both ways: the line end of a file is the one that its text
// uses first (LF when it has none), which is what the editor uses for new lines.

// The byte-order mark that a file in the encoding begins with: empty but for UTF-8 with its mark.
constexpr std::string_view MarqueDe(Encodage encodage)
{
    return encodage == Encodage::Utf8Bom ? MarqueUtf8 : std::string_view();
}

// What a file's bytes hold.
struct TexteFichier {
    std::string_view texte;
    Encodage encodage;
    FinDeLigne fin;
};

// The text of a whole file; Windows-1252 text is decoded into `tampon`. Valid as long as the bytes and `tampon` are.
TexteFichier DecodeFichier(std::string_view octets, std::string &tampon);

// Decodes a file whose bytes arrive block by block, without holding the whole file. Every block is first taken as
// UTF-8 and its text is the block itself, less the mark and a character cut at the block's end, which the next
// block completes. Once a byte shows that the file is not UTF-8, the file is Windows-1252: its blocks are then to
// be given again from the first, and each gives its decoding.
class DecodeurFichier {
public:
    // The text of the next block, valid until the next call; nothing when the file turns out to be Windows-1252, the
    // text given so far to be dropped.
    std::optional<std::string_view> Suivant(std::string_view bloc);
    // After the last block: false when the file turns out, at its end, to be Windows-1252 (a character cut by the
    // end of the file), the text given so far to be dropped.
    bool Termine();
    // Once the file is read to its end and the decoding done.
    Encodage EncodageFichier() const { return encodage; }
    FinDeLigne FinFichier() const { return fin.value_or(FinDeLigne::Lf); }

private:
    // The file is Windows-1252, to be read again from its start.
    void PasseEnWindows1252();
    // Decides the line end from the text, when it is still undecided.
    void ObserveFinDeLigne(std::string_view texte);

    Encodage encodage = Encodage::Utf8;
    bool premier = true;
    // The bytes of a character that the last block cut, then a block joined to them.
    std::string inacheve;
    std::string tampon;
    std::optional<FinDeLigne> fin;
    // A CR ended the last block: the next byte tells CR from CR LF.
    bool crEnAttente = false;
};

// Where a file's bytes come from, read from its start.
struct SourceFichier {
    // The file's size when it was opened: another program may change it while it is read.
    std::size_t taille = 0;
    // Reads the next bytes into the block: how many, 0 at the end of the file, negative on a read error.
    std::function<std::int64_t(char *bloc, std::size_t taille)> lit;
    // Goes back to the file's first byte; false when it cannot.
    std::function<bool()> recommence;
};

// Where a file's text goes as it is decoded.
struct DestinationTexte {
    // Room for that many bytes of text in all, asked before the text comes.
    std::function<void(std::size_t)> reserve;
    std::function<void(std::string_view)> ajoute;
    // Drops the text given so far: it comes again from the start.
    std::function<void()> efface;
};

// What a file's text is written in, once it is loaded.
struct FichierCharge {
    Encodage encodage;
    FinDeLigne fin;
};

enum class ErreurChargement { Illisible, TropGrand };

// Reads the file in blocks of `tailleBloc` bytes, and gives its text as DecodeurFichier decodes it: the text of each
// block at once while the file is taken as UTF-8; the text is dropped and the file read again if it turns out to be
// Windows-1252, once to measure its text, then to give it. Fails on a read error, or once the text passes `limite`
// bytes (a file that grows meanwhile is read no further than just past it), the text given so far to be dropped.
Resultat<FichierCharge, ErreurChargement> ChargeFichier(const SourceFichier &source,
                                                        const DestinationTexte &destination, std::size_t limite,
                                                        std::size_t tailleBloc = std::size_t(4) << 20);

// The bytes of a file that holds the text in an encoding: the mark, then the body, to be written in that order.
struct OctetsFichier {
    std::string_view marque;
    std::string_view corps;
};

// The text written in the encoding, the body encoded into `tampon` when it must be (valid as long as the text and
// `tampon` are); or, when the encoding cannot write some characters of the text, those characters, each once, in
// the order in which they first appear.
Resultat<OctetsFichier, std::u32string> EncodeFichier(std::string_view texte, Encodage encodage,
                                                      std::string &tampon);
