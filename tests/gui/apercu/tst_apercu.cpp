// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "gui/apercu/Apercu.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QWebEnginePage>
#include <QWebEngineView>

class TestApercu : public CadreDeTest {
    Q_OBJECT

    // What the script gives back, run in the page shown.
    QVariant Js(const QString &script)
    {
        QVariant resultat;
        bool fini = false;
        frame->Apercu().Vue()->page()->runJavaScript(script, [&](const QVariant &valeur) {
            resultat = valeur;
            fini = true;
        });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(fini, 30000); }();
        return resultat;
    }

    // Shows the dock with F6's command and waits for the page to show in it; false when the engine cannot start.
    bool MontreApercu()
    {
        QSignalSpy affiche(&frame->Apercu(), &TApercu::Affiche);
        frame->Action("ApercuEnDirect")->trigger();
        return Attend(affiche);
    }

    // Waits for the page to show; the engine's first start takes its time on a loaded machine. A stop of the engine
    // ends the wait.
    bool Attend(QSignalSpy &affiche)
    {
        for (int essai = 0; essai < 120 && affiche.isEmpty(); ++essai) {
            if (frame->Apercu().Message().startsWith(QStringLiteral("Aperçu indisponible")))
                break;
            affiche.wait(250);
        }
        return !affiche.isEmpty();
    }

    void Image(const QString &chemin)
    {
        QImage image(12, 8, QImage::Format_RGB32);
        image.fill(Qt::green);
        QVERIFY(QDir().mkpath(QFileInfo(chemin).absolutePath()));
        QVERIFY(image.save(chemin));
    }

private slots:
    void init()
    {
        QVERIFY(dossier.isValid());
        NouveauCadre();
        // The outside browser is not started by the tests.
        disconnect(&frame->Apercu(), &TApercu::LienOuvert, frame.get(), nullptr);
    }

    void cleanup() { FermeCadre(); }

    // The engine starts only once the dock shows, and F6 shows and hides it, its menu entry checked as it shows.
    void moteurALaDemande()
    {
        TWndHTML *w = OuvrePage("<p>a</p>");
        w->EditHTML->Remplace(0, 0, "<p>b</p>");
        QVERIFY(!frame->Apercu().Vue());
        QVERIFY(frame->Apercu().isHidden());
        frame->show();
        frame->Action("ApercuEnDirect")->trigger();
        QVERIFY(frame->Apercu().isVisible());
        QVERIFY(frame->Action("ApercuEnDirect")->isChecked());
        QTRY_VERIFY(frame->Apercu().Vue() || frame->Apercu().Message().startsWith(QStringLiteral("Aperçu indisponible")));
        frame->Action("ApercuEnDirect")->trigger();
        QVERIFY(frame->Apercu().isHidden());
        QVERIFY(!frame->Action("ApercuEnDirect")->isChecked());
    }

    // Without the engine's program the dock says so, and the pages are edited as before.
    void moteurIntrouvable()
    {
        qputenv("QTWEBENGINEPROCESS_PATH", dossier.filePath("absent").toUtf8());
        TWndHTML *w = OuvrePage("<p>a</p>");
        frame->show();
        frame->Action("ApercuEnDirect")->trigger();
        QTRY_VERIFY(frame->Apercu().Message().startsWith(QStringLiteral("Aperçu indisponible : ")));
        qunsetenv("QTWEBENGINEPROCESS_PATH");
        QVERIFY(!frame->Apercu().Vue());
        w->EditHTML->Remplace(0, 0, "x");
        QCOMPARE(Texte(w), QByteArray("x<p>a</p>"));
    }

    // The preview shows the text in memory with the page's folder as its base; it follows its changes; it reads
    // nothing outside the folder and nothing from the network, and counts what it refused; a link goes outside.
    void suitLaPage()
    {
        Image(dossier.filePath("site/img/v.png"));
        Image(dossier.filePath("dehors.png"));
        TWndHTML *w = OuvrePage("<html><head><style>body{background:rgb(1,2,3)}</style></head><body>"
                                "<img id=v src=\"img/v.png\"><img id=d src=\"../dehors.png\">"
                                "<img id=r src=\"http://127.0.0.1:8/x.png\"><a id=a href=\"autre.htm\">lien</a>"
                                "<a id=n href=\"neuve.htm\" target=_blank>nouvelle fenêtre</a>"
                                "<button id=o onclick=\"window.open('script.htm')\">script</button>"
                                "</body></html>",
                                QStringLiteral("site/page.htm"));
        QVERIFY(w);
        frame->show();
        if (!MontreApercu())
            QSKIP(qPrintable(QStringLiteral("Le moteur du navigateur ne démarre pas ici : %1")
                                 .arg(frame->Apercu().Message())));
        const QString fond = QStringLiteral("getComputedStyle(document.body).backgroundColor");
        QTRY_COMPARE(Js(fond).toString(), QStringLiteral("rgb(1, 2, 3)"));
        QTRY_COMPARE(Js(QStringLiteral("document.getElementById('v').naturalWidth")).toInt(), 12);
        QTRY_COMPARE(frame->Apercu().Bloquees(), 2);
        QCOMPARE(Js(QStringLiteral("document.getElementById('d').naturalWidth")).toInt(), 0);
        QVERIFY(frame->Apercu().AutoriserReseau->isEnabled());

        QSignalSpy affiche(&frame->Apercu(), &TApercu::Affiche);
        const auto debut = Texte(w).indexOf("1,2,3");
        w->EditHTML->Remplace(debut, debut + 5, "4,5,6");
        QVERIFY(Attend(affiche));
        QTRY_COMPARE(Js(fond).toString(), QStringLiteral("rgb(4, 5, 6)"));
        QCOMPARE(Js(QStringLiteral("new XMLSerializer().serializeToString(document).indexOf('balizo-curseur')")).toInt(), -1);

        QSignalSpy lien(&frame->Apercu(), &TApercu::LienOuvert);
        Js(QStringLiteral("document.getElementById('a').click()"));
        QTRY_COMPARE_WITH_TIMEOUT(lien.count(), 1, 30000);
        QCOMPARE(lien.first().first().toUrl(), QUrl::fromLocalFile(dossier.filePath("site/autre.htm")));
        QCOMPARE(Js(fond).toString(), QStringLiteral("rgb(4, 5, 6)"));
        // A new window that the user's click opens goes outside too, a link's or a script's; a script opens none on
        // its own.
        Js(QStringLiteral("window.open('ailleurs.htm')"));
        for (const auto &[id, page] : {std::pair{"o", "site/script.htm"}, {"n", "site/neuve.htm"}}) {
            const QVariantList place = Js(QStringLiteral("var r = document.getElementById('%1').getBoundingClientRect();"
                                                         "[r.x + 2, r.y + 2]")
                                              .arg(QLatin1String(id)))
                                           .toList();
            const auto avant = lien.count();
            QTest::mouseClick(frame->Apercu().Vue()->focusProxy(), Qt::LeftButton, {},
                              QPoint(place.value(0).toInt(), place.value(1).toInt()));
            QTRY_COMPARE_WITH_TIMEOUT(lien.count(), avant + 1, 30000);
            QCOMPARE(lien.last().first().toUrl(), QUrl::fromLocalFile(dossier.filePath(page)));
        }
        QCOMPARE(Js(fond).toString(), QStringLiteral("rgb(4, 5, 6)"));

        w->EditHTML->setModified(false);
        frame->FileClose();
        QTRY_COMPARE(frame->Apercu().Message(), QStringLiteral("Aucune page ouverte."));
    }

    // A page too large to be handed over directly goes through a file of its own, its relative images still
    // found; the preview is taken to the caret near its end.
    void grandePageParFichier()
    {
        Image(dossier.filePath("img/v.png"));
        QByteArray page = "<html><head></head><body><img id=v src=\"img/v.png\">\n";
        while (page.size() <= TApercu::TailleDirecte)
            page += "<p>Une ligne de la page, assez longue pour remplir l'écran.</p>\n";
        page += "<p id=fin>fin</p></body></html>";
        TWndHTML *w = OuvrePage(page);
        w->EditHTML->Selectionne(page.indexOf("fin</p>"), 0);
        frame->show();
        if (!MontreApercu())
            QSKIP("Le moteur du navigateur ne démarre pas ici.");
        QTRY_COMPARE(Js(QStringLiteral("document.getElementById('v').naturalWidth")).toInt(), 12);
        QTRY_VERIFY(Js(QStringLiteral("window.scrollY")).toDouble() > 1000);
        QCOMPARE(frame->Apercu().Bloquees(), 0);
    }

    // A caret moved without typing takes the preview to its element without showing the page again, so that the
    // state of the page's scripts stays; when the page's scripts made elements of its name, the page is shown again.
    void suitLeCurseur()
    {
        QByteArray page = "<html><body>\n";
        for (int ligne = 0; ligne < 300; ++ligne)
            page += "<p>Une ligne de la page.</p>\n";
        page += "<h2 id=loin>Loin</h2>\n<div>fin</div>\n";
        TWndHTML *w = OuvrePage(page + "</body></html>");
        frame->show();
        if (!MontreApercu())
            QSKIP("Le moteur du navigateur ne démarre pas ici.");
        QCOMPARE(Js(QStringLiteral("window.scrollY")).toDouble(), 0.0);
        Js(QStringLiteral("window.etat = 'gardé'"));
        QSignalSpy affiche(&frame->Apercu(), &TApercu::Affiche);
        w->EditHTML->Selectionne(page.indexOf("Loin"), 0);
        QTRY_VERIFY_WITH_TIMEOUT(Js(QStringLiteral("window.scrollY")).toDouble() > 1000, 30000);
        const double loin = Js(QStringLiteral("document.getElementById('loin').getBoundingClientRect().top")).toDouble();
        QVERIFY2(loin >= 0 && loin < Js(QStringLiteral("window.innerHeight")).toDouble(), qPrintable(QString::number(loin)));
        QCOMPARE(Js(QStringLiteral("window.etat")).toString(), QStringLiteral("gardé"));
        QCOMPARE(affiche.count(), 0);

        Js(QStringLiteral("document.body.prepend(document.createElement('div'))"));
        w->EditHTML->Selectionne(page.indexOf("fin"), 0);
        QVERIFY(Attend(affiche));
        QCOMPARE(Js(QStringLiteral("document.getElementsByTagName('div').length")).toInt(), 1);
    }

    // A new page shows its images once it is saved beside them.
    void enregistreeSousUnNom()
    {
        Image(dossier.filePath("neuf/img/v.png"));
        frame->FileNew();
        TWndHTML *w = frame->FenetreActive();
        w->InsertionTexte("<img id=v src=\"img/v.png\">", "");
        frame->show();
        if (!MontreApercu())
            QSKIP("Le moteur du navigateur ne démarre pas ici.");
        const QString largeur = QStringLiteral("document.getElementById('v').naturalWidth");
        QCOMPARE(Js(largeur).toInt(), 0);
        script->fichiers << dossier.filePath("neuf/page.htm");
        QVERIFY(w->FileSaveAs());
        QTRY_COMPARE_WITH_TIMEOUT(Js(largeur).toInt(), 12, 30000);
    }

    // The page's dialogs ask nothing: what they say shows in the dock's bar, and they are answered OK.
    void dialoguesDeLaPage()
    {
        OuvrePage("<p>a</p><script>alert('bonjour'); "
                  "document.title = confirm('Sûr ?') + ',' + prompt('<b>Nom ?</b>', 'Jean');</script>");
        frame->show();
        if (!MontreApercu())
            QSKIP("Le moteur du navigateur ne démarre pas ici.");
        QTRY_COMPARE(Js(QStringLiteral("document.title")).toString(), QStringLiteral("true,Jean"));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(frame->Apercu().findChild<QLabel *>("Etat")->text(), QStringLiteral("La page dit : « <b>Nom ?</b> »"));
    }

    // An uncoloured page is shown only when the user asks, once.
    void pageNonColoree()
    {
        OuvrePage("<p>" + QByteArray(200'000, 'a') + "</p>");
        frame->show();
        frame->Action("ApercuEnDirect")->trigger();
        QTRY_VERIFY(frame->Apercu().Afficher->isVisible() ||
                    frame->Apercu().Message().startsWith(QStringLiteral("Aperçu indisponible")));
        if (!frame->Apercu().Afficher->isVisible())
            QSKIP("Le moteur du navigateur ne démarre pas ici.");
        QCOMPARE(frame->Apercu().Message(), QStringLiteral("Cette page est trop grande pour l'aperçu en direct."));
        QVERIFY(frame->Apercu().Afficher->isVisible());
        QSignalSpy affiche(&frame->Apercu(), &TApercu::Affiche);
        frame->Apercu().Afficher->click();
        QVERIFY(Attend(affiche));
        QCOMPARE(frame->Apercu().Message(), QString());
        QVERIFY(!frame->Apercu().Afficher->isVisible());
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    TestApercu test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_apercu.moc"
