// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The encodings of pages and their line ends, character by character: UTF-8 checked and read, Windows-1252 decoded
// and encoded.

enum class Encodage { Utf8, Utf8Bom, Windows1252 };

// The UTF-8 byte-order mark.
inline constexpr std::string_view MarqueUtf8 = "\xEF\xBB\xBF";

enum class FinDeLigne { CrLf, Lf, Cr };

// How the encoding and the line end are named to the user.
constexpr std::string_view NomEncodage(Encodage encodage)
{
    return encodage == Encodage::Utf8 ? "UTF-8" : encodage == Encodage::Utf8Bom ? "UTF-8 avec BOM" : "Windows-1252";
}
constexpr std::string_view NomFinDeLigne(FinDeLigne fin)
{
    return fin == FinDeLigne::CrLf ? "CR LF" : fin == FinDeLigne::Lf ? "LF" : "CR";
}

// Whether the bytes are well-formed UTF-8 (no overlong form, no surrogate, nothing above U+10FFFF).
bool EstUtf8Valide(std::string_view octets);

// How many of the last bytes (0 to 3) start a UTF-8 sequence that the bytes end before it is complete: what a
// block read from a file may cut off, for the next block to finish.
std::size_t SequenceInachevee(std::string_view octets);

// Where the bytes outside valid UTF-8 sequences go, each on its own: above the code points, so that it only equals
// the same byte.
constexpr char32_t HorsUnicode = 0x110000;

// The character of the UTF-8 text at i, i moved past it; a byte outside a valid sequence gives HorsUnicode plus the
// byte, and i moves one byte.
char32_t CaractereUtf8(std::string_view texte, std::size_t &i);

// Appends the character in UTF-8.
void AjouteUtf8(std::string &texte, char32_t c);

// The length in UTF-8 of Windows-1252 bytes once decoded.
std::size_t LongueurUtf8DeWindows1252(std::string_view octets);

// Windows-1252 bytes decoded to UTF-8, appended to the output; every byte maps to one character, so every byte
// comes back unchanged on encoding.
void DecodeWindows1252(std::string_view octets, std::string &sortie);

// UTF-8 text encoded to Windows-1252; nothing when a character has no byte in it, or when the text is not well-formed
// UTF-8.
std::optional<std::string> EncodeWindows1252(std::string_view utf8);

// The line end that the text uses first; LF when it has none.
FinDeLigne DetecteFinDeLigne(std::string_view texte);

// The bytes of the line end.
constexpr std::string_view TexteFinDeLigne(FinDeLigne fin)
{
    return fin == FinDeLigne::CrLf ? "\r\n" : fin == FinDeLigne::Cr ? "\r" : "\n";
}

// The next line of the text from the position, which moves past the line's end (CR LF, LF or a lone CR); nothing
// once the text is used up, so that a final line end is not followed by an empty line.
std::optional<std::string_view> LigneSuivante(std::string_view texte, std::size_t &position);

// The text with each CR LF pair replaced by the given line end.
std::string AvecFinsDeLigne(std::string_view texte, FinDeLigne fin);
