// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/document/Journal.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <string_view>

// The recovery folder, shared by every running program: each keeps there the journals of its modified documents,
// named after its mark, a lock file that it holds while it runs. A journal whose mark nobody holds was left by a
// program that stopped without closing its documents.
class TRecuperation : public QObject {
    Q_OBJECT

public:
    // Creates the folder if needed and takes this program's mark; without a folder, or one that cannot be made,
    // no journal is written.
    TRecuperation(const QString &dossier, QObject *parent);
    // Gives the mark back; the journals are the documents' to remove.
    ~TRecuperation() override;

    bool Actif() const { return verrou >= 0; }
    // Whether journals were asked for: a folder was given, though it may not serve.
    bool Demande() const { return !dossier.isEmpty(); }
    // A name for a new journal of this program.
    QString NouveauJournal();
    // The journals left by programs that no longer run, the oldest first.
    QStringList Orphelins() const;
    // Whether another running program holds the file modified (a journal of its names it).
    bool ModifieAilleurs(const QString &fichier) const;
    // Removes a journal left by another program, and that program's mark once none of its journals is left.
    void Supprime(const QString &journal) const;
    // Says, once in the program's life, that a journal could not be written, or no journal at all when the folder
    // does not serve: editing goes on.
    void SignaleEchec(const QString &journal);

    // Writes the pieces as the whole journal, the user's alone: into a file beside it, on disk before it takes the
    // journal's name, so that the journal is always a whole copy, the previous one or the new one. True when
    // written; may run on any thread.
    static bool Ecrit(const QString &journal, std::initializer_list<std::string_view> morceaux);
    // A journal as its header and its size on disk tell it, its text unread.
    static Resultat<DebutJournalLu, ErreurJournal> LitDebut(const QString &journal);

signals:
    void Echec(const QString &message);

private:
    // Whether the program of that mark runs.
    bool Vivante(const QString &autre) const;

    QString dossier;
    QString marque;
    int verrou = -1;
    int journaux = 0;
    bool signale = false;
};
