// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands across the site's files: the texts of the open pages that they read, and the one way their
// changes are made, in the pages' windows or in the files.

#include "gui/app/MDIHtml.h"

#include "core/site/Recherche.h"
#include "gui/document/WndHTML.h"
#include "gui/settings/CheminsQt.h"
#include "gui/site/EnFond.h"

#include <memory>
#include <new>
#include <optional>

#include <sys/stat.h>

namespace {

// A file as the system knows it, to find it under any of its names: its device and inode, or, when it is not
// there, its full name.
struct Identite {
    std::string chemin;
    bool existe = false;
    dev_t peripherique = 0;
    ino_t inode = 0;

    explicit Identite(std::string nom)
        : chemin(std::move(nom))
    {
        struct stat fichier {};
        existe = ::stat(chemin.c_str(), &fichier) == 0;
        peripherique = fichier.st_dev;
        inode = fichier.st_ino;
    }

    bool Meme(const Identite &autre) const
    {
        return existe ? autre.existe && peripherique == autre.peripherique && inode == autre.inode
                      : !autre.existe && chemin == autre.chemin;
    }
};

Identite IdentitePage(const TWndHTML &w)
{
    return Identite(EncodeNom(CheminLong(w.FileName)).toStdString());
}

// The window of the page open with the file, the one further in front when it is open twice.
TWndHTML *FenetreDuFichier(const QList<TWndHTML *> &fenetres, const std::string &chemin)
{
    const Identite fichier(chemin);
    for (TWndHTML *w : fenetres)
        if (!w->Untitled && IdentitePage(*w).Meme(fichier))
            return w;
    return nullptr;
}

} // namespace

TexteOuvert TMDIHtml::TextesOuverts() const
{
    struct Page {
        Identite identite;
        std::string texte;
    };
    auto pages = std::make_shared<std::vector<Page>>();
    for (const TWndHTML *w : Fenetres())
        if (!w->Untitled)
            pages->push_back({IdentitePage(*w), std::string(w->EditHTML->Texte())});
    return [pages](const std::string &chemin) -> std::optional<std::string> {
        const Identite fichier(chemin);
        for (const Page &page : *pages)
            if (page.identite.Meme(fichier))
                return page.texte;
        return std::nullopt;
    };
}

Bilan TMDIHtml::AppliqueModifications(const std::vector<ModificationFichier> &modifications)
{
    Bilan bilan;
    std::vector<const ModificationFichier *> surDisque;
    const QList<TWndHTML *> fenetres = Fenetres();
    for (const ModificationFichier &modification : modifications) {
        if (modification.changements.empty())
            continue;
        TWndHTML *w = FenetreDuFichier(fenetres, modification.chemin);
        if (!w && !modification.ouverte) {
            surDisque.push_back(&modification);
            continue;
        }
        // The page was closed, or its text changed, since it was read: the changes would land elsewhere.
        if (!w || w->EditHTML->Texte() != modification.texte) {
            bilan.laisses.push_back({modification.chemin, RaisonIgnore::ModifieDepuis});
            continue;
        }
        // Only the bytes from the first change to the end of the last one, so that Scintilla keeps the rest, its
        // marks and folds.
        const std::vector<Changement> &changements = modification.changements;
        const std::string nouveau = Applique(modification.texte, changements);
        const std::size_t debut = changements.front().debut;
        const std::size_t apres = modification.texte.size() - changements.back().fin;
        w->EditHTML->Remplace(static_cast<qsizetype>(debut), static_cast<qsizetype>(changements.back().fin),
                              std::string_view(nouveau).substr(debut, nouveau.size() - apres - debut));
        ++bilan.fichiers;
        ++bilan.pagesOuvertes;
        bilan.changements += changements.size();
    }
    if (surDisque.empty())
        return bilan;

    std::vector<std::optional<RaisonIgnore>> echecs(surDisque.size());
    std::size_t faits = 0;
    // Cancelling stops before the next file: a file is written whole or not at all.
    EnFond(this, QStringLiteral("Remplacer dans les fichiers"), QStringLiteral("Écriture des fichiers..."),
           [&](SuiviRecherche &suivi) {
               suivi.total = surDisque.size();
               for (; faits < surDisque.size() && !suivi.suivi.annule; suivi.faits = ++faits) {
                   try {
                       if (auto ecrit = EcritModification(*surDisque[faits]); !ecrit)
                           echecs[faits] = ecrit.Pourquoi();
                   } catch (const std::bad_alloc &) {
                       echecs[faits] = RaisonIgnore::NonEcrit;
                   }
               }
           });
    for (std::size_t i = 0; i < faits; ++i) {
        if (echecs[i]) {
            bilan.laisses.push_back({surDisque[i]->chemin, *echecs[i]});
            continue;
        }
        ++bilan.fichiers;
        bilan.changements += surDisque[i]->changements.size();
    }
    bilan.nonTraites = surDisque.size() - faits;
    return bilan;
}
