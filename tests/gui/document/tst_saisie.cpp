// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "core/document/GrandDocument.h"
#include "gui/document/EditHTML.h"

namespace {

// Types the keys one by one as a user does: ⏎ Return, ⇥ Tab, ⎋ Escape, ← and → the caret (the screen shows it
// before the next key), and two commands: ↶ "Défaire", ◌ "Compléter"; any other character is its own key.
void Tape(TEditHTML &edit, const QString &touches)
{
    for (const QChar touche : touches) {
        switch (touche.unicode()) {
        case u'⏎': QTest::keyClick(&edit, Qt::Key_Return); break;
        case u'⇥': QTest::keyClick(&edit, Qt::Key_Tab); break;
        case u'⎋': QTest::keyClick(&edit, Qt::Key_Escape); break;
        case u'←': QTest::keyClick(&edit, Qt::Key_Left); QCoreApplication::processEvents(); break;
        case u'→': QTest::keyClick(&edit, Qt::Key_Right); QCoreApplication::processEvents(); break;
        case u'↶': edit.undo(); break;
        case u'◌': edit.OuvreCompletion(); break;
        default: QTest::keyClick(&edit, touche.toLatin1());
        }
    }
}

} // namespace

// The aids while typing in the text control, driven by keys as a user types them.
class TestSaisie : public CadreDeTest {
    Q_OBJECT

private slots:
    // A coloured page folds its elements, and its fold levels are no change of the text; an uncoloured one has no
    // fold margin.
    void pliage()
    {
        TEditHTML edit;
        edit.Remplit("<div>\n<p>un</p>\n</div>\n", FinDeLigne::Lf);
        const std::uint64_t generation = edit.Generation();
        edit.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
        QVERIFY(edit.Pliable());
        QVERIFY(edit.SendScintilla(QsciScintillaBase::SCI_GETFOLDLEVEL, 0UL) & QsciScintillaBase::SC_FOLDLEVELHEADERFLAG);
        QCOMPARE(edit.Generation(), generation);
        edit.Remplit(std::string(LongueurMaximaleDeLigne + 1, 'x'), FinDeLigne::Lf);
        QVERIFY(!edit.Pliable());
        QCOMPARE(edit.SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 2UL), 0L);
    }

    void frappe_data()
    {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<bool>("fermeture");
        QTest::addColumn<QString>("touches");
        QTest::addColumn<QByteArray>("apres");
        QTest::addColumn<int>("curseur");

        const QByteArray rien;
        QTest::newRow("'>' écrit la balise de fin, le curseur reste devant") << rien << true << "<p>" << QByteArray("<p></p>") << 3;
        QTest::newRow("balise de fin dans la casse tapée") << rien << true << "<A HREF=\"x\">" << QByteArray("<A HREF=\"x\"></A>") << 12;
        QTest::newRow("fermeture coupée: rien n'est écrit") << rien << false << "<p>" << QByteArray("<p>") << 3;
        QTest::newRow("dans un commentaire: rien") << QByteArray("<!-- ") << true << "<p>" << QByteArray("<!-- <p>") << 8;
        QTest::newRow("frappe entière imbriquée, une balise ouverte devant une balise écrite")
            << rien << true << "<ul><li><b>un</b></li></ul>" << QByteArray("<ul><li><b>un</b></li></ul>") << 27;
        QTest::newRow("un '<' enjambé puis une autre lettre: la balise écrite reste entière")
            << rien << true << "<p><i>" << QByteArray("<p><i></i></p>") << 6;
        QTest::newRow("un '<' enjambé puis Retour: la balise écrite reste entière") << rien << true << "<p><⏎" << QByteArray("<p><\n</p>") << 5;
        QTest::newRow("le curseur parti puis revenu: plus rien n'est enjambé, '</' écrit le nom")
            << rien << true << "<p>←→</p>" << QByteArray("<p></p></p>") << 7;
        QTest::newRow("'</' écrit l'élément ouvert") << QByteArray("<ul><li>un") << true << "</" << QByteArray("<ul><li>un</li>") << 15;
        QTest::newRow("'</' puis le nom tapé quand même: il n'est pas écrit deux fois")
            << QByteArray("<ul><li>un") << true << "</li>" << QByteArray("<ul><li>un</li>") << 15;
        QTest::newRow("'</' puis d'autres lettres que le nom: elles sont toutes écrites")
            << QByteArray("<b>x") << true << "</but" << QByteArray("<b>x</b>but") << 11;
        QTest::newRow("'</', une lettre du nom puis Retour: la lettre reste") << QByteArray("<p>") << true << "</p⏎" << QByteArray("<p></p>p\n") << 9;
        QTest::newRow("'</' sans élément ouvert: rien") << rien << true << "</" << QByteArray("</") << 2;
        QTest::newRow("Défaire reprend la balise de fin seule") << rien << true << "<p>↶" << QByteArray("<p>") << 3;
        QTest::newRow("Défaire deux fois reprend ensuite le '>'") << rien << true << "<p>↶↶" << QByteArray("<p") << 2;
        QTest::newRow("Défaire reprend le nom écrit par '</'") << QByteArray("<ul>") << true << "</↶" << QByteArray("<ul></") << 6;
        QTest::newRow("liste des éléments acceptée par Retour") << rien << false << "<blo⏎" << QByteArray("<blockquote") << 11;
        QTest::newRow("liste acceptée par Tab, en capitales") << rien << false << "<TEX⇥" << QByteArray("<TEXTAREA") << 9;
        QTest::newRow("liste fermée par Échap: Retour va à la ligne") << rien << false << "<bl⎋⏎" << QByteArray("<bl\n") << 4;
        QTest::newRow("un caractère tapé ne prend jamais l'entrée de la liste") << rien << false << "<bl>" << QByteArray("<bl>") << 4;
        QTest::newRow("attribut accepté, le curseur entre les guillemets qui sont enjambés")
            << rien << true << "<a hr⏎x.htm\">" << QByteArray("<a href=\"x.htm\"></a>") << 16;
        QTest::newRow("référence acceptée avec son point-virgule") << rien << false << "&Eac⏎" << QByteArray("&Eacute;") << 8;
        QTest::newRow("Compléter ouvre la liste où est le curseur") << QByteArray("&eac") << false << "◌⏎" << QByteArray("&eacute;") << 8;
        QTest::newRow("pas de liste dans un commentaire") << QByteArray("<!-- ") << false << "<bl⏎" << QByteArray("<!-- <bl\n") << 9;
        QTest::newRow("pas de liste dans une valeur") << QByteArray("<a title=\"") << false << "&eac⏎" << QByteArray("<a title=\"&eac\n") << 15;
        const QByteArray longue = QByteArray(LongueurMaximaleDeLigne + 1, 'x') + '\n';
        QTest::newRow("pas de liste sur une page sans coloration") << longue << false << "<bl⏎◌⏎" << longue + "<bl\n\n" << int(longue.size()) + 5;
    }

    void frappe()
    {
        QFETCH(QByteArray, avant);
        QFETCH(bool, fermeture);
        QFETCH(QString, touches);
        TEditHTML edit;
        edit.Remplit(avant.toStdString(), FinDeLigne::Lf);
        edit.FermeBalises(fermeture);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.Selectionne(avant.size(), 0);
        Tape(edit, touches);
        QTEST(QByteArray(edit.Texte().data(), static_cast<qsizetype>(edit.Texte().size())), "apres");
        QTEST(int(edit.SelStart()), "curseur");
        QCOMPARE(edit.SelLength(), 0);
    }

    void baliseCorrespondante_data()
    {
        QTest::addColumn<int>("curseur");
        QTest::addColumn<QString>("commandes");
        QTest::addColumn<bool>("trouve");
        QTest::addColumn<int>("debut");
        QTest::addColumn<int>("longueur");

        // <div><p>un</p></div> x: <p> at 5, </p> at 10, </div> at 14.
        QTest::newRow("du contenu à la balise de fin") << 9 << "c" << true << 10 << 0;
        QTest::newRow("de la balise ouvrante à la balise de fin") << 6 << "c" << true << 10 << 0;
        QTest::newRow("de la balise de fin à la balise ouvrante") << 12 << "c" << true << 5 << 0;
        QTest::newRow("deux fois: retour à la balise ouvrante") << 6 << "cc" << true << 5 << 0;
        QTest::newRow("sélectionne l'élément") << 9 << "s" << true << 5 << 9;
        QTest::newRow("sélectionne encore: son parent") << 9 << "ss" << true << 0 << 20;
        QTest::newRow("hors de tout élément: rien ne bouge") << 22 << "c" << false << 22 << 0;
    }

    void baliseCorrespondante()
    {
        QFETCH(int, curseur);
        QFETCH(QString, commandes);
        TEditHTML edit;
        edit.Remplit("<div><p>un</p></div> x", FinDeLigne::Lf);
        edit.Selectionne(curseur, 0);
        bool resultat = false;
        for (const QChar commande : commandes)
            resultat = commande == u'c' ? edit.AllerABaliseCorrespondante() : edit.SelectionneElement();
        QTEST(resultat, "trouve");
        QTEST(int(edit.SelStart()), "debut");
        QTEST(int(edit.SelLength()), "longueur");
    }

    // After a pause of the caret, the start and end tags of the element around it are marked, and nothing else.
    void marquesDeLElement()
    {
        TEditHTML edit;
        edit.Remplit("<div><p>un</p></div>", FinDeLigne::Lf);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        auto marque = [&](long position) {
            return edit.SendScintilla(QsciScintillaBase::SCI_INDICATORALLONFOR, static_cast<unsigned long>(position)) != 0;
        };
        edit.Selectionne(9, 0);
        QTRY_VERIFY(marque(5) && marque(7) && marque(10) && marque(13));
        QVERIFY(!marque(0) && !marque(4) && !marque(8) && !marque(14) && !marque(19));
        edit.Selectionne(2, 0);
        QTRY_VERIFY(marque(0) && marque(14) && !marque(5) && !marque(10));
    }

    // A page is coloured to its end in the background; typing in its middle holds that up only until the typing
    // pauses.
    void colorationEnFond()
    {
        std::string page;
        for (int ligne = 0; ligne < 20000; ++ligne)
            page += "<p class=\"c\">un <b>deux</b></p>\n";
        TEditHTML edit;
        edit.Remplit(page, FinDeLigne::Lf);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const auto colore = [&] {
            return edit.SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED) ==
                   edit.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        };
        QTRY_VERIFY_WITH_TIMEOUT(colore(), 60000);
        edit.Selectionne(static_cast<qsizetype>(page.size() / 2), 0);
        QTest::keyClick(&edit, 'x');
        QVERIFY(!colore());
        QTRY_VERIFY_WITH_TIMEOUT(colore(), 60000);
    }

    // A Windows-1252 page takes what the aids write, ASCII all of it, and saves byte for byte.
    void windows1252()
    {
        QVERIFY(dossier.isValid());
        NouveauCadre();
        TWndHTML *w = Ouvre(Fichier("page.htm", "<p>\xe9t\xe9 \x80</p>\r\n"));
        QVERIFY(w);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        w->EditHTML->Selectionne(static_cast<qsizetype>(w->EditHTML->Texte().size()), 0);
        Tape(*w->EditHTML, "<b>caf&eac⏎</b> &euro;<i>x");
        QVERIFY(w->FileSave());
        QCOMPARE(Lit(dossier.filePath("page.htm")), QByteArray("<p>\xe9t\xe9 \x80</p>\r\n<b>caf&eacute;</b> &euro;<i>x</i>"));
        FermeCadre();
    }
};

QTEST_MAIN(TestSaisie)
#include "tst_saisie.moc"
