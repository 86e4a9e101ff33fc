// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/MDIHtml.h"

#include "core/site/Bilan.h"
#include "core/site/Recherche.h"
#include "core/site/Renommage.h"
#include "core/verification/Liens.h"
#include "gui/commun/BoutonsDialogue.h"
#include "gui/document/WndHTML.h"
#include "gui/settings/CheminsQt.h"
#include "gui/site/EnFond.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>
#include <new>

namespace {

// The new path that the user writes for the file or folder, from the site's folder, its name without its extension
// selected; empty when the user cancels.
QString NouveauChemin(Utilisateur &utilisateur, QWidget *parent, const QString &site, const QString &chemin)
{
    QDialog dialogue(parent);
    dialogue.setWindowTitle(QStringLiteral("Renommer ou déplacer"));
    auto *champ = new QLineEdit(QDir(site).relativeFilePath(chemin));
    champ->setObjectName(QStringLiteral("nouveau"));
    const QString texte = champ->text();
    const qsizetype debut = texte.lastIndexOf(u'/') + 1;
    const qsizetype point = texte.lastIndexOf(u'.');
    champ->setSelection(int(debut), int((point > debut ? point : texte.size()) - debut));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    QObject::connect(ok, &QPushButton::clicked, &dialogue, &QDialog::accept);
    DisposeUnChamp(dialogue, QStringLiteral("&Nouveau chemin depuis le dossier du site :"), champ, ok,
                   new QPushButton(QStringLiteral("Annuler")));
    if (utilisateur.Execute(dialogue) != QDialog::Accepted || champ->text().isEmpty())
        return {};
    return QDir(site).absoluteFilePath(champ->text());
}

// The report of a rename: what became what, how many links changed where, the files left and why, then every link
// changed, "fichier:ligne:colonne: ancien -> nouveau", in a list that the user may read and copy.
void MontreCompteRendu(Utilisateur &utilisateur, QWidget *parent, const QString &resume, const QString &liens)
{
    QDialog dialogue(parent);
    dialogue.setWindowTitle(QStringLiteral("Renommer"));
    auto *disposition = new QVBoxLayout(&dialogue);
    auto *texte = new QLabel(resume);
    texte->setWordWrap(true);
    disposition->addWidget(texte);
    if (!liens.isEmpty()) {
        auto *liste = new QPlainTextEdit(liens);
        liste->setObjectName(QStringLiteral("liens"));
        liste->setReadOnly(true);
        liste->setLineWrapMode(QPlainTextEdit::NoWrap);
        disposition->addWidget(liste);
    }
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(boutons, &QDialogButtonBox::rejected, &dialogue, &QDialog::reject);
    disposition->addWidget(boutons);
    dialogue.resize(dialogue.sizeHint().expandedTo({640, liens.isEmpty() ? 0 : 360}));
    utilisateur.Execute(dialogue);
}

} // namespace

void TMDIHtml::RenommeDansLeSite(const QString &chemin)
{
    const QString site = DossierSite();
    const QString nouveau = NouveauChemin(*utilisateur, this, site, chemin);
    if (nouveau.isEmpty())
        return;
    const auto renommage = PrepareRenommage(EncodeNom(site).toStdString(), EncodeNom(chemin).toStdString(),
                                            EncodeNom(nouveau).toStdString());
    if (!renommage) {
        utilisateur->Erreur(this, DecodeNom(renommage.Pourquoi()));
        return;
    }
    // The open pages are read as their windows hold them, from copies that the work may read on its thread.
    const TexteOuvert ouverts = TextesOuverts();
    std::optional<PlanRenommage> plan;
    try {
        const auto lit = [&](SuiviRecherche &suivi) {
            const Avancement avance = [&suivi](std::size_t lus, std::size_t tous) {
                suivi.faits = lus;
                suivi.total = tous;
                return !suivi.suivi.annule;
            };
            plan = PlanifieRenommage(*renommage, FichiersDuSite(renommage->site), ouverts, TailleMaximaleCible, avance);
        };
        const bool fini = EnFond(this, QStringLiteral("Renommer"), QStringLiteral("Lecture des liens du site..."), lit);
        if (!fini || !plan)
            return;
    } catch (const std::bad_alloc &) {
        utilisateur->Erreur(this, MemoireInsuffisante());
        return;
    }
    // The files are named by their paths in the site.
    const auto nom = [dossier = QDir(DecodeNom(renommage->site))](const std::string &chemin) {
        return dossier.relativeFilePath(DecodeNom(chemin));
    };
    const QString ancien = nom(renommage->ancien);
    const QString vers = nom(renommage->nouveau);
    if (const auto deplace = Deplace(*renommage); !deplace) {
        const QString raison = QString::fromLocal8Bit(std::strerror(deplace.Pourquoi().value()));
        utilisateur->Erreur(this, QStringLiteral("« %1 » ne peut devenir « %2 » : %3.").arg(ancien, vers, raison));
        return;
    }
    // The windows of the pages moved follow their files, before their links change in them.
    for (TWndHTML *w : Fenetres()) {
        const std::string page = EncodeNom(w->FileName).toStdString();
        if (const std::string apres = CheminApres(page, *renommage); !w->Untitled && apres != page)
            w->SuitFichier(DecodeNom(apres));
    }
    const Bilan bilan = AppliqueModifications(plan->modifications);
    QString liens;
    for (const LienRenomme &lien : plan->liens)
        liens += QStringLiteral("%1:%2:%3: %4 -> %5\n")
                     .arg(nom(lien.fichier))
                     .arg(lien.ligne)
                     .arg(lien.colonne)
                     .arg(QString::fromStdString(lien.ancien), QString::fromStdString(lien.nouveau));
    QString resume = QStringLiteral("« %1 » devient « %2 ».\n%3")
                         .arg(ancien, vers, DecodeNom(Rapport(bilan, renommage->site)));
    for (const auto &[fichier, raison] : plan->ignores)
        resume += QStringLiteral("\n« %1 » n'a pas été lu (%2) : ses liens restent tels quels.")
                      .arg(nom(fichier), QString::fromUtf8(Message(raison)));
    MontreCompteRendu(*utilisateur, this, resume, liens);
}
