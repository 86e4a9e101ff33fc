// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// A file's bytes as the tool reads them: a regular file is mapped into memory, which costs neither a copy nor fresh
// memory for the whole page; anything else (a pipe, a terminal, a file that cannot be mapped) is read into one block.
//
// A mapped file that another program shortens while the tool reads it would end the process with SIGBUS at the first
// byte past its new end. The tool catches that signal for its mapping: zeros take the place of the lost bytes, and
// Tronque() tells that the bytes seen are not the file's, so that the file is read again.
class Octets {
public:
    Octets() = default;
    Octets(Octets &&autre) noexcept;
    Octets &operator=(Octets &&autre) noexcept;
    ~Octets();

    std::string_view Vue() const { return {debut, taille}; }

    // Everything the descriptor gives until its end, from its current offset; with `projection`, a regular file of
    // some bytes is mapped from its start instead, as long as fstat gives it. 0, or the error number.
    int Lit(int fd, bool projection);

    // Whether the mapped file lost some of its bytes while they were being read.
    bool Tronque() const;

private:
    bool Projette(int descripteur, std::size_t longueur);
    void Libere() noexcept;

    const char *debut = nullptr;
    std::size_t taille = 0;
    // A mapping, and the descriptor of its file; otherwise the block read.
    bool projete = false;
    int fd = -1;
    std::unique_ptr<char[]> bloc;
};
