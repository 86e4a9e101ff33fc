// SPDX-License-Identifier: GPL-3.0-or-later
// The site: its folder, chosen by the user or else the one that holds the open pages, its panel and the recent
// sites.

#include "gui/app/MDIHtml.h"

#include "gui/app/Navigateur.h"
#include "gui/app/Session.h"
#include "gui/settings/CheminsQt.h"
#include "gui/site/PanneauSite.h"
#include "gui/verification/Verification.h"

#include <QAction>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTreeView>

void TMDIHtml::CreeSite()
{
    panneauSite = new TPanneauSite(this, *utilisateur);
    addDockWidget(Qt::LeftDockWidgetArea, panneauSite);
    panneauSite->hide();
    connect(panneauSite, &TPanneauSite::Ouvrir, session, &TSession::Ouvre);
    connect(panneauSite, &TPanneauSite::Naviguer, this, [this](const QString &fichier) { navigateur->Lance(fichier); });
    connect(panneauSite, &TPanneauSite::Renommer, this, &TMDIHtml::RenommeDansLeSite);
    // Without a chosen site, the site follows the pages that open and close.
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &TMDIHtml::MajSite);
    if (const QString site = parametres.LitSite(); !site.isEmpty() && QFileInfo(site).isDir()) {
        siteChoisi = site;
        verification->ChoisitSite(site);
        panneauSite->show();
    }
    MajSite();
}

void TMDIHtml::MajSite()
{
    panneauSite->Montre(DossierSite());
}

void TMDIHtml::OuvrirSite()
{
    const QString dossier = utilisateur->DossierAOuvrir(
        this, {QStringLiteral("Ouverture d'un site..."), {}, {}, true, DossierSite()});
    if (dossier.isEmpty())
        return;
    ChoisitSite(dossier);
    // The user chose it to go through its files.
    panneauSite->Arbre->setFocus();
}

void TMDIHtml::ChoisitSite(const QString &dossier)
{
    siteChoisi = CheminLong(dossier);
    QStringList recents = parametres.LitSitesRecents();
    recents.removeAll(siteChoisi);
    recents.prepend(siteChoisi);
    if (!parametres.EcritSites(siteChoisi, recents))
        statusBar()->showMessage(parametres.MessageEcritureImpossible());
    verification->ChoisitSite(siteChoisi);
    MajSite();
    panneauSite->show();
}

void TMDIHtml::AfficheSite()
{
    BasculePanneau(*panneauSite, "PanneauSite", *panneauSite->Arbre);
}

void TMDIHtml::BasculePanneau(QDockWidget &panneau, const char *entree, QWidget &liste)
{
    panneau.setVisible(Action(entree)->isChecked());
    if (panneau.isVisible())
        liste.setFocus();
}

QMenu *TMDIHtml::MenuSites()
{
    if (sitesMenu)
        return sitesMenu;
    sitesMenu = new QMenu(QStringLiteral("&Derniers sites"), this);
    sitesMenu->setObjectName("Sites");
    // Read when it opens: another running program may have changed the list.
    connect(sitesMenu, &QMenu::aboutToShow, this, [this] {
        sitesMenu->clear();
        const QStringList sites = parametres.LitSitesRecents();
        for (qsizetype rang = 0; rang < sites.size(); ++rang) {
            const QString dossier = sites[rang];
            QString texte = NomAffiche(dossier);
            texte.replace(u'&', QStringLiteral("&&"));
            sitesMenu->addAction(QStringLiteral("&%1 %2").arg(rang + 1).arg(texte), this,
                                 [this, dossier] { OuvreSiteRecent(dossier); });
        }
        if (sites.isEmpty())
            sitesMenu->addAction(QStringLiteral("Aucun site"))->setEnabled(false);
    });
    return sitesMenu;
}

void TMDIHtml::OuvreSiteRecent(const QString &dossier)
{
    if (QFileInfo(dossier).isDir()) {
        ChoisitSite(dossier);
        return;
    }
    QStringList sites = parametres.LitSitesRecents();
    sites.removeAll(dossier);
    parametres.EcritSites(siteChoisi, sites);
    utilisateur->Erreur(
        this, QStringLiteral("%1 n'existe plus : le site est retiré des derniers sites.").arg(NomAffiche(dossier)));
}
