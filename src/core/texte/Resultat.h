// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>
#include <variant>

// How every function of the core that can fail answers: its value, or what says why it failed. A caller tests the
// result as a condition, then reads the value with * or ->, or the failure with Pourquoi().

// A failure, as a function returns it: `return Erreur(ErreurJournal::Tronque);`.
template <typename E>
struct Erreur {
    E pourquoi;
};
template <typename E>
Erreur(E) -> Erreur<E>;

template <typename T, typename E>
class [[nodiscard]] Resultat {
public:
    Resultat(T valeur) : etat(std::in_place_index<0>, std::move(valeur)) {}
    template <typename F>
    Resultat(Erreur<F> erreur) : etat(std::in_place_index<1>, std::move(erreur.pourquoi))
    {
    }

    // Whether the function did what it was asked.
    explicit operator bool() const { return etat.index() == 0; }
    T &operator*() { return std::get<0>(etat); }
    const T &operator*() const { return std::get<0>(etat); }
    T *operator->() { return &std::get<0>(etat); }
    const T *operator->() const { return &std::get<0>(etat); }
    // Why it failed.
    const E &Pourquoi() const { return std::get<1>(etat); }

private:
    std::variant<T, E> etat;
};

// What a function that gives nothing back returns when it succeeds.
struct Fait {};
