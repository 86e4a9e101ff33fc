// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/apercu/Apercu.h"

#include "core/apercu/CopieApercu.h"
#include "gui/document/WndHTML.h"
#include "gui/settings/Fichiers.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineContextMenuRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <functional>
#include <optional>

#include <unistd.h>

// Refuses the requests that the preview never lets a page make, and tells of each.
class IntercepteurApercu : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    // The folders whose files the page may read, in UTF-8.
    std::vector<std::string> dossiers;
    bool reseau = false;
    std::function<void(Acces)> refus;

    // Qt calls it on the interface thread.
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl adresse = info.requestUrl();
        const Acces acces = AccesRequete(adresse.scheme().toLower().toStdString(),
                                         adresse.isLocalFile() ? adresse.toLocalFile().toStdString() : std::string(),
                                         dossiers);
        if (acces == Acces::Permis || (acces == Acces::Reseau && reseau))
            return;
        info.block(true);
        refus(acces);
    }
};

namespace {

// The page of a new window, which the engine opens only on a click of the user (a link to a new window, a script
// that answers the click): it hands its address to the outside browser, then goes.
class PageRelais : public QWebEnginePage {
public:
    PageRelais(QWebEngineProfile *profil, QObject *parent, std::function<void(const QUrl &)> lien)
        : QWebEnginePage(profil, parent)
        , lien(std::move(lien))
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl &adresse, NavigationType, bool principal) override
    {
        // A new window starts with a blank page.
        if (principal && adresse.scheme() != QLatin1String("about")) {
            lien(adresse);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void(const QUrl &)> lien;
};

// A page that stays in the preview: it opens no window, and goes nowhere but where the preview sends it; a link that
// the user clicks goes to the outside browser instead.
class PageApercu : public QWebEnginePage {
public:
    PageApercu(QWebEngineProfile *profil, QObject *parent, std::function<void(const QUrl &)> lien,
               std::function<void(const QString &)> dit)
        : QWebEnginePage(profil, parent)
        , lien(std::move(lien))
        , dit(std::move(dit))
    {
    }

    // Set before the preview loads the page's copy: the one navigation that the page's frame accepts.
    bool attendue = false;

protected:
    bool acceptNavigationRequest(const QUrl &adresse, NavigationType type, bool principal) override
    {
        // The frames of the page load what the interceptor lets them.
        if (!principal)
            return true;
        if (attendue) {
            attendue = false;
            return true;
        }
        // An anchor of the page itself moves the preview within it.
        if (adresse.hasFragment() &&
            adresse.adjusted(QUrl::RemoveFragment) == url().adjusted(QUrl::RemoveFragment))
            return true;
        if (type == NavigationTypeLinkClicked)
            lien(adresse);
        return false;
    }

    // A new window opened by a click goes to the outside browser as a link does; the page's scripts open none on
    // their own (JavascriptCanOpenWindows).
    QWebEnginePage *createWindow(WebWindowType) override { return new PageRelais(profile(), this, lien); }

    // The page's messages to its console are the author's business, not the editor's output.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) override {}

    // A live preview asks nothing: the page's dialogs would come back at each pause in the typing. What they say
    // goes to the dock's bar, and a question is answered OK, with the text proposed for an answer to write; so is
    // the question before leaving a page, which would otherwise stop the preview from showing it again.
    void javaScriptAlert(const QUrl &, const QString &texte) override { dit(texte); }
    bool javaScriptConfirm(const QUrl &, const QString &texte) override
    {
        dit(texte);
        return true;
    }
    bool javaScriptPrompt(const QUrl &, const QString &texte, const QString &propose, QString *reponse) override
    {
        dit(texte);
        *reponse = propose;
        return true;
    }

private:
    std::function<void(const QUrl &)> lien;
    std::function<void(const QString &)> dit;
};

// Why the engine cannot start here, or nothing when it can.
std::optional<QString> MoteurIndisponible()
{
    QString processus = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
    if (processus.isEmpty())
        processus = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/QtWebEngineProcess");
    if (!QFileInfo(processus).isExecutable())
        return QStringLiteral("le moteur du navigateur est introuvable (%1).").arg(processus);
    // The engine would stop the whole program.
    if (!QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts))
        return QStringLiteral("le programme n'a pas préparé le moteur du navigateur à son démarrage.");
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX") &&
        !qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(QStringLiteral("--no-sandbox")))
        return QStringLiteral("le moteur du navigateur refuse de tourner pour root sans QTWEBENGINE_DISABLE_SANDBOX=1.");
    return std::nullopt;
}

// Puts the preview back where it stood, then, when asked, takes it to the caret's mark if that is out of view; the
// mark is then taken out of the page. Run in a world of its own, out of reach of the page's scripts.
constexpr const char *ScriptReplace = R"(
(function (suivre, x, y) {
    var marque = null;
    var parcours = document.createTreeWalker(document, NodeFilter.SHOW_COMMENT);
    while (parcours.nextNode())
        if (parcours.currentNode.data === 'balizo-curseur') { marque = parcours.currentNode; break; }
    window.scrollTo(x, y);
    if (!marque)
        return;
    if (suivre && document.body && document.body.contains(marque)) {
        var repere = document.createElement('span');
        marque.parentNode.insertBefore(repere, marque);
        var place = repere.getBoundingClientRect();
        if (place.top < 0 || place.bottom > window.innerHeight)
            window.scrollTo(x, window.scrollY + place.top - window.innerHeight / 3);
        repere.remove();
    }
    marque.remove();
})(%1, %2, %3);
)";

// Takes the preview to the element at the caret when it is out of view, found by its name and its rank; false, with
// nothing done, when the page has not the number of elements of that name that its text has (its scripts made or
// removed some).
constexpr const char *ScriptVaA = R"(
(function (noms, rang, total) {
    var elements = document.getElementsByTagName(noms[0]);
    if (elements.length !== total)
        return false;
    var element = elements[rang];
    if (document.body && document.body.contains(element) && element.getClientRects().length > 0) {
        var place = element.getBoundingClientRect();
        if (place.bottom < 0 || place.top > window.innerHeight)
            window.scrollTo(window.scrollX, window.scrollY + place.top - window.innerHeight / 3);
    }
    return true;
})(%1, %2, %3);
)";

} // namespace

TApercu::TApercu(QWidget *parent)
    : QDockWidget(QStringLiteral("Aperçu"), parent)
    , minuterie(new QTimer(this))
{
    setObjectName("Apercu");
    auto *contenu = new QWidget(this);
    auto *colonne = new QVBoxLayout(contenu);
    colonne->setContentsMargins(0, 0, 0, 0);
    auto *barre = new QHBoxLayout;
    etat = new QLabel(contenu);
    etat->setObjectName("Etat");
    etat->setTextFormat(Qt::PlainText);
    AutoriserReseau = new QPushButton(QStringLiteral("Autoriser le &réseau pour cette page"), contenu);
    AutoriserReseau->setEnabled(false);
    SuivreCurseur = new QCheckBox(QStringLiteral("Suivre le &curseur"), contenu);
    SuivreCurseur->setChecked(true);
    Afficher = new QPushButton(QStringLiteral("Affic&her"), contenu);
    Afficher->hide();
    barre->addWidget(etat, 1);
    barre->addWidget(Afficher);
    barre->addWidget(AutoriserReseau);
    barre->addWidget(SuivreCurseur);
    colonne->addLayout(barre);
    pile = new QStackedWidget(contenu);
    message = new QLabel(pile);
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);
    pile->addWidget(message);
    colonne->addWidget(pile, 1);
    setWidget(contenu);
    MontreMessage(QStringLiteral("Aucune page ouverte."));

    minuterie->setSingleShot(true);
    minuterie->setInterval(Pause);
    connect(minuterie, &QTimer::timeout, this, &TApercu::Actualise);
    // The engine starts the first time the dock shows; a page changed while it was hidden shows as it is now.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            QTimer::singleShot(0, this, &TApercu::Actualise);
        else
            minuterie->stop();
    });
    connect(AutoriserReseau, &QPushButton::clicked, this, [this] {
        if (fenetre) {
            fenetre->setProperty("apercuReseau", true);
            Rafraichit();
        }
    });
    connect(SuivreCurseur, &QCheckBox::toggled, this, &TApercu::Planifie);
    connect(Afficher, &QPushButton::clicked, this, [this] {
        grandePageDemandee = true;
        Rafraichit();
    });
}

TApercu::~TApercu()
{
    // The page goes with its view, and must go before its profile.
    delete vue;
}

void TApercu::Suit(TWndHTML *page)
{
    if (page && fenetre == page)
        return;
    if (fenetre) {
        disconnect(fenetre->EditHTML, nullptr, this, nullptr);
        disconnect(fenetre, nullptr, this, nullptr);
    }
    fenetre = page;
    if (!fenetre) {
        minuterie->stop();
        Afficher->hide();
        if (vue)
            vue->setHtml(QString());
        MontreMessage(QStringLiteral("Aucune page ouverte."));
        return;
    }
    connect(fenetre->EditHTML, &TEditHTML::Modifie, this, &TApercu::Planifie);
    // Saved under another name, the page has another folder to read its images from.
    connect(fenetre, &TWndHTML::FichierUtilise, this, &TApercu::Planifie);
    // The control tells of the caret also when it has not moved (shown, resized).
    connect(fenetre->EditHTML, &QsciScintilla::cursorPositionChanged, this, [this] {
        if (SuivreCurseur->isChecked() && fenetre->EditHTML->SelStart() != curseurMontre)
            Planifie();
    });
    Planifie();
}

void TApercu::Actualise()
{
    const bool montreeTelleQuelle = fenetre && montree == fenetre && vue && !chargement &&
                                    pile->currentWidget() == vue &&
                                    fenetre->EditHTML->Generation() == generationMontree &&
                                    fenetre->FileName == nomMontre;
    if (!montreeTelleQuelle)
        Rafraichit();
    else if (SuivreCurseur->isChecked())
        VaAuCurseur();
}

void TApercu::VaAuCurseur()
{
    TEditHTML *texte = fenetre->EditHTML;
    curseurMontre = texte->SelStart();
    const std::optional<ElementCurseur> element = ElementDuCurseur(texte->Texte(), std::size_t(curseurMontre));
    if (!element)
        return;
    // The name, as the page wrote it, goes to the script as a JSON string.
    const QByteArray nom = QJsonDocument(QJsonArray{QString::fromStdString(element->nom)}).toJson(QJsonDocument::Compact);
    const QPointer<TApercu> apercu(this);
    vue->page()->runJavaScript(QString::fromLatin1(ScriptVaA).arg(QString::fromUtf8(nom)).arg(element->rang).arg(element->total),
                               QWebEngineScript::ApplicationWorld, [apercu](const QVariant &trouve) {
                                   if (apercu && !trouve.toBool())
                                       apercu->Rafraichit();
                               });
}

void TApercu::Planifie()
{
    // Only the timer runs on the path of a key; an uncoloured page is shown only when the user asks.
    if (isVisible() && (!fenetre || fenetre->EditHTML->lexer()))
        minuterie->start();
}

QString TApercu::Message() const
{
    return pile->currentWidget() == message ? message->text() : QString();
}

void TApercu::MontreMessage(const QString &texte)
{
    message->setText(texte);
    pile->setCurrentWidget(message);
}

bool TApercu::ReseauAutorise() const
{
    return fenetre && fenetre->property("apercuReseau").toBool();
}

void TApercu::MajBarre()
{
    QStringList parties;
    if (bloquees > 0)
        parties << (bloquees == 1 ? QStringLiteral("1 requête bloquée")
                                  : QStringLiteral("%1 requêtes bloquées").arg(bloquees));
    // The last thing that the page said, on one line.
    if (!ditParLaPage.isEmpty())
        parties << QStringLiteral("La page dit : « %1 »")
                       .arg(etat->fontMetrics().elidedText(ditParLaPage.simplified(), Qt::ElideRight, 300));
    etat->setText(parties.join(QStringLiteral(" ; ")));
    AutoriserReseau->setEnabled(bloqueesReseau > 0 && !ReseauAutorise());
}

void TApercu::CreeVue()
{
    vueEssayee = true;
    if (const std::optional<QString> raison = MoteurIndisponible()) {
        MontreMessage(QStringLiteral("Aperçu indisponible : %1").arg(*raison));
        return;
    }
    // Without a storage name, the profile keeps nothing on disk: no cookies, no cache, no history.
    profil = new QWebEngineProfile(this);
    profil->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profil->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profil->setHttpAcceptLanguage(QStringLiteral("fr-FR,fr"));
    intercepteur = new IntercepteurApercu(profil);
    intercepteur->refus = [this](Acces acces) {
        ++bloquees;
        if (acces == Acces::Reseau)
            ++bloqueesReseau;
        MajBarre();
    };
    profil->setUrlRequestInterceptor(intercepteur);
    vue = new QWebEngineView(pile);
    auto *page = new PageApercu(
        profil, vue, [this](const QUrl &adresse) { emit LienOuvert(adresse); },
        [this](const QString &texte) {
            ditParLaPage = texte;
            MajBarre();
        });
    vue->setPage(page);
    QWebEngineSettings *reglages = page->settings();
    reglages->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    reglages->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    // The engine would refuse the network to a local page without a word: the interceptor refuses it, counts it, and
    // lets it through once the user allows it.
    reglages->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    reglages->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    reglages->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    reglages->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    reglages->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    pile->addWidget(vue);

    connect(page, &QWebEnginePage::loadFinished, this, [this](bool reussi) {
        Replace();
        emit Affiche(reussi);
    });
    connect(page, &QWebEnginePage::scrollPositionChanged, this, [this](const QPointF &position) {
        if (!chargement)
            defilement = position;
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus statut) {
                if (statut != QWebEnginePage::NormalTerminationStatus)
                    MontreMessage(QStringLiteral("Aperçu indisponible : le moteur du navigateur s'est arrêté. "
                                                 "Il repartira à la prochaine modification de la page."));
            });

    // The engine's own menu speaks English: the preview has its own.
    vue->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(vue, &QWidget::customContextMenuRequested, this, [this, page](const QPoint &point) {
        auto *menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(QStringLiteral("Co&pier"), page, [page] { page->triggerAction(QWebEnginePage::Copy); })
            ->setEnabled(page->hasSelection());
        menu->addAction(QStringLiteral("To&ut sélectionner"), page,
                        [page] { page->triggerAction(QWebEnginePage::SelectAll); });
        if (const QUrl lien = vue->lastContextMenuRequest()->linkUrl(); lien.isValid())
            menu->addAction(QStringLiteral("Copier l'&adresse du lien"), this,
                            [lien] { QGuiApplication::clipboard()->setText(lien.toString()); });
        menu->addSeparator();
        menu->addAction(QStringLiteral("Ac&tualiser"), this, &TApercu::Rafraichit);
        menu->popup(vue->mapToGlobal(point));
    });
}

void TApercu::Rafraichit()
{
    minuterie->stop();
    if (!isVisible() || !fenetre)
        return;
    if (!vue) {
        if (!vueEssayee)
            CreeVue();
        if (!vue)
            return;
    }
    TEditHTML *texte = fenetre->EditHTML;
    if (!texte->lexer() && !grandePageDemandee) {
        MontreMessage(QStringLiteral("Cette page est trop grande pour l'aperçu en direct."));
        Afficher->show();
        return;
    }
    grandePageDemandee = false;
    Afficher->hide();

    const QString nom = fenetre->Untitled ? QString() : QFileInfo(fenetre->FileName).absoluteFilePath();
    const QString dossier = nom.isEmpty() ? QString() : QFileInfo(nom).absolutePath();
    intercepteur->dossiers.clear();
    if (!dossier.isEmpty())
        intercepteur->dossiers.push_back(dossier.toStdString());
    intercepteur->reseau = ReseauAutorise();
    bloquees = bloqueesReseau = 0;
    ditParLaPage.clear();
    MajBarre();
    if (montree != fenetre)
        defilement = {};
    montree = fenetre;

    const std::string_view source = texte->Texte();
    generationMontree = texte->Generation();
    nomMontre = fenetre->FileName;
    std::optional<std::size_t> curseur;
    curseurMontre = texte->SelStart();
    if (SuivreCurseur->isChecked())
        curseur = std::size_t(curseurMontre);
    auto *page = static_cast<PageApercu *>(vue->page());
    chargement = true;
    page->attendue = true;
    if (qsizetype(source.size()) < TailleDirecte) {
        const std::string copie = CopiePourApercu(source, curseur);
        page->setContent(QByteArray(copie.data(), qsizetype(copie.size())), "text/html;charset=UTF-8",
                         nom.isEmpty() ? QUrl() : QUrl::fromLocalFile(nom));
    } else {
        // The engine takes a page handed to it directly only up to a few megabytes. The copy's own file is read
        // by nobody else; its base element keeps the page's relative addresses, its byte-order mark the text's
        // encoding.
        if (!temporaire)
            temporaire = std::make_unique<QTemporaryDir>();
        const QString fichier = temporaire->filePath(QStringLiteral("apercu.htm"));
        const QByteArray base = dossier.isEmpty() ? QByteArray() : QUrl::fromLocalFile(dossier + u'/').toEncoded();
        const std::string copie = CopiePourApercu(source, curseur, base.toStdString());
        if (!temporaire->isValid() || !EcritFichier(fichier, {"\xEF\xBB\xBF", copie})) {
            chargement = false;
            page->attendue = false;
            MontreMessage(QStringLiteral("Aperçu indisponible : la copie de la page ne peut être écrite dans %1.")
                              .arg(QFileInfo(fichier).absolutePath()));
            return;
        }
        intercepteur->dossiers.push_back(temporaire->path().toStdString());
        vue->load(QUrl::fromLocalFile(fichier));
    }
    pile->setCurrentWidget(vue);
}

void TApercu::Replace()
{
    chargement = false;
    if (!vue)
        return;
    vue->page()->runJavaScript(QString::fromLatin1(ScriptReplace)
                                   .arg(SuivreCurseur->isChecked() ? QStringLiteral("true") : QStringLiteral("false"))
                                   .arg(defilement.x())
                                   .arg(defilement.y()),
                               QWebEngineScript::ApplicationWorld);
}
