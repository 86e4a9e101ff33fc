// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDockWidget>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTemporaryDir;
class QTimer;
class QWebEngineProfile;
class QWebEngineView;
class TWndHTML;
class IntercepteurApercu;

// The live preview: the active page as Debian's browser engine shows it, beside the text, shown again once the
// typing pauses, from the text in memory, with the page's folder as its base. The page's requests reach only the
// files of its folder, never the network unless the user allows it for the page; nothing is kept on disk; a link
// clicked opens in the outside browser. The engine starts the first time the dock shows, never before.
class TApercu : public QDockWidget {
    Q_OBJECT

public:
    explicit TApercu(QWidget *parent = nullptr);
    ~TApercu() override;

    // Room for a page beside the text.
    QSize sizeHint() const override { return {560, 480}; }

    // The pause in the typing after which the preview shows the text again, in milliseconds.
    static constexpr int Pause = 400;
    // The largest copy handed to the engine directly; a larger one goes through a private temporary file.
    static constexpr qsizetype TailleDirecte = 1024 * 1024;

    // The page previewed, followed as it changes; none leaves the dock empty with a line saying so.
    void Suit(TWndHTML *fenetre);
    // Shows the page again now: the text, the caret and the page as they are.
    void Rafraichit();

    // What the dock says in place of the page; empty while the engine shows it.
    QString Message() const;
    // The engine's view, made the first time the dock shows; none before, or when the engine cannot start.
    QWebEngineView *Vue() const { return vue; }
    // The requests of the page shown that were refused since it was last shown.
    int Bloquees() const { return bloquees; }

    QCheckBox *SuivreCurseur;
    QPushButton *AutoriserReseau;
    QPushButton *Afficher;

signals:
    // The engine has shown the page again, or failed to.
    void Affiche(bool reussi);
    // A link clicked in the preview, handed to the outside browser.
    void LienOuvert(const QUrl &adresse);

private:
    // Starts the engine, or says why it cannot.
    void CreeVue();
    // Shows the page again after the pause, when the dock is in view.
    void Planifie();
    // Once the pause is over: the page shown again when its text changed, else only taken to the caret.
    void Actualise();
    // Takes the page shown to the element at the caret, without showing it again unless it cannot be found there.
    void VaAuCurseur();
    void MontreMessage(const QString &message);
    void MajBarre();
    // The preview's place is kept, or taken to the caret's mark, once the engine has shown the page.
    void Replace();
    // Whether the user allowed the network for the page followed.
    bool ReseauAutorise() const;

    QPointer<TWndHTML> fenetre;
    QTimer *minuterie;
    QLabel *etat;
    QStackedWidget *pile;
    QLabel *message;
    QWebEngineProfile *profil = nullptr;
    IntercepteurApercu *intercepteur = nullptr;
    QWebEngineView *vue = nullptr;
    std::unique_ptr<QTemporaryDir> temporaire;
    bool vueEssayee = false;
    bool grandePageDemandee = false;
    bool chargement = false;
    int bloquees = 0;
    int bloqueesReseau = 0;
    // What the page's last dialog said since it was last shown.
    QString ditParLaPage;
    // Where the preview stood, and the page that it showed then.
    QPointF defilement;
    QPointer<TWndHTML> montree;
    // The caret's place in the text last shown, or last gone to; the generation of the text last shown, and the
    // name of its file then.
    qsizetype curseurMontre = -1;
    std::uint64_t generationMontree = 0;
    QString nomMontre;
};
