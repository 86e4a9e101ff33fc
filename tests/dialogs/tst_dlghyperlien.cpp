#include "../CadreDeTest.h"
#include "dialogs/ComboHistorique.h"
#include "dialogs/DlgAncreLocale.h"
#include "dialogs/DlgHyperlien.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

// Document texts are written with their selection between "[" and "]".
QByteArray AvecMarques(TWndHTML *w)
{
    const int debut = int(w->EditHTML->SelStart());
    return Texte(w).insert(debut + int(w->EditHTML->SelLength()), ']').insert(debut, '[');
}

void Tape(QLineEdit *champ, const QString &texte)
{
    champ->selectAll();
    if (texte.isEmpty())
        QTest::keyClick(champ, Qt::Key_Backspace);
    QTest::keyClicks(champ, texte);
}

// Fills in the dialog as a user does: "P:", "A:", "L:", "F:", "R:", "U:", "D:" type in Protocole, Adresse,
// AncreLocale, Fichier, Ancre, URL, Description; "p:" chooses in the list of Protocole with the arrow keys; "l:n"
// presses the down arrow n times in AncreLocale; "I" ticks the italic style.
void Remplit(TDlgInsertionHyperlien &d, const QStringList &etapes)
{
    for (const QString &etape : etapes) {
        const QString v = etape.mid(2);
        switch (etape.at(0).unicode()) {
        case 'P': Tape(d.Protocole->lineEdit(), v); break;
        case 'A': Tape(d.Adresse->lineEdit(), v); break;
        case 'L': Tape(d.AncreLocale->Edition, v); break;
        case 'F': Tape(d.Fichier->lineEdit(), v); break;
        case 'R': Tape(d.Ancre->lineEdit(), v); break;
        case 'U': Tape(d.URL->lineEdit(), v); break;
        case 'D': Tape(d.Description, v); break;
        case 'I': d.StyleItalique->click(); break;
        case 'p':
            for (int n = d.Protocole->findText(v) + 1; n > 0; --n)
                QTest::keyClick(d.Protocole, Qt::Key_Down);
            break;
        case 'l':
            for (int n = v.toInt(); n > 0; --n)
                QTest::keyClick(d.AncreLocale->Edition, Qt::Key_Down);
            break;
        }
    }
}

// The lists of the dialog, each with its entries separated by ",": Protocole beyond its five first entries,
// Adresse, Fichier, Ancre and URL.
QString Historiques(TDlgInsertionHyperlien &d)
{
    QStringList listes{d.Protocole->Entrees().mid(5).join(',')};
    for (TComboHistorique *combo : {d.Adresse, d.Fichier, d.Ancre, d.URL})
        listes << combo->Entrees().join(',');
    return listes.join(" | ");
}

} // namespace

// The hyperlink and local anchor dialogs, run from a document window.
class TestDlgHyperlien : public CadreDeTest {
    Q_OBJECT

    QString dossierInitial;

    // Opens the page, written first in the temporary folder; without a name, a new untitled document.
    TWndHTML *Page(const QString &nom, const QByteArray &contenu)
    {
        if (nom.isEmpty()) {
            frame->FileNew();
            frame->FenetreActive()->EditHTML->Remplace(0, 0, contenu.toStdString());
            return frame->FenetreActive();
        }
        QDir(dossier.path()).mkpath(QFileInfo(dossier.filePath(nom)).path());
        return Ouvre(Fichier(nom, contenu));
    }

    // Runs the hyperlink dialog: `remplir` fills it in, then OK or Annuler is clicked.
    void Lien(TWndHTML *w, std::function<void(TDlgInsertionHyperlien &)> remplir, bool ok = true)
    {
        script->executions << [=](QDialog &dialogue) {
            auto &d = static_cast<TDlgInsertionHyperlien &>(dialogue);
            remplir(d);
            (ok ? d.OkBtn : d.CancelBtn)->click();
            return d.result();
        };
        w->InsertionLien();
    }

private slots:
    void initTestCase() { dossierInitial = QDir::currentPath(); }

    void init()
    {
        // Untitled documents lie in the current folder.
        QVERIFY(QDir(dossier.path()).mkpath("courant"));
        QVERIFY(QDir::setCurrent(dossier.filePath("courant")));
        NouveauCadre();
    }

    void cleanup()
    {
        FermeCadre();
        QDir::setCurrent(dossierInitial);
    }

    void lien_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QStringList>("etapes");
        QTest::addColumn<QByteArray>("attendu");
        const auto ligne = [](const char *nom, const char *document, QStringList etapes, const char *attendu) {
            QTest::newRow(nom) << QByteArray(document) << etapes << QByteArray(attendu);
        };
        ligne("mailto: choisi et adresse: URL collée, adresse en description", "x [mot]",
              {"p:mailto:", "A:moi@ici.fr"}, "x <A HREF=\"mailto:moi@ici.fr\">moi@ici.fr[mot]</A>");
        ligne("ancre locale choisie: # et nom", "<a name=haut><a name=bas>[mot]", {"l:2"},
              "<a name=haut><a name=bas><A HREF=\"#bas\">[mot]</A>");
        ligne("ancre locale tapée en partie: le texte tapé compte", "<a name=haut>[mot]", {"L:ha"},
              "<a name=haut><A HREF=\"#ha\">[mot]</A>");
        ligne("fichier et ancre effacée: chemin seul, sélection CR LF", "[a\r\nb]", {"F:b.htm", "R:fin", "R:"},
              "<A HREF=\"b.htm\">[a\r\nb]</A>");
        ligne("rien de sélectionné, description: curseur avant </A>", "a[]b", {"P:http://", "A:ici.fr"},
              "a<A HREF=\"http://ici.fr\">ici.fr[]</A>b");
        ligne("italique et description: lien entier, sélection après", "[mot]", {"P:http://", "A:ici.fr", "I"},
              "<ADDRESS><A HREF=\"http://ici.fr\">ici.fr</A></ADDRESS>[mot]");
        ligne("URL et description retouchées à la main: la dernière saisie gagne", "[mot]",
              {"P:http://", "A:ici.fr", "U:la.fr", "D:"}, "<A HREF=\"la.fr\">[mot]</A>");
    }

    void lien()
    {
        QFETCH(QByteArray, document);
        QFETCH(QStringList, etapes);
        QFETCH(QByteArray, attendu);
        const int debut = int(document.indexOf('['));
        const QByteArray texte = QByteArray(document).remove(debut, 1).remove(document.indexOf(']') - 1, 1);
        TWndHTML *w = Page("site/page.htm", texte);
        w->EditHTML->Selectionne(debut, document.indexOf(']') - debut - 1);
        Lien(w, [=](TDlgInsertionHyperlien &d) { Remplit(d, etapes); });
        QCOMPARE(AvecMarques(w), attendu);
        QCOMPARE(script->dialoguesExecutes, QStringList{QStringLiteral("Insertion d'un lien hypertexte...")});
    }

    void historiques_data()
    {
        QTest::addColumn<QStringList>("etapes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("listes");
        QTest::newRow("URL retouchée après le protocole: protocole et adresse retenus")
            << QStringList{"P:gopher://", "A:ici.fr", "U:la.fr"} << true << "gopher:// | ici.fr |  |  | la.fr";
        QTest::newRow("protocole choisi ou d'une autre casse: pas de doublon")
            << QStringList{"p:mailto:", "P:HTTP://", "A:ici.fr"} << true << " | ici.fr |  |  | HTTP://ici.fr";
        QTest::newRow("relatif puis absolu: protocole retenu, pas le fichier")
            << QStringList{"F:b.htm", "R:fin", "P:gopher://"} << true << "gopher:// |  |  |  | gopher://";
        QTest::newRow("absolu puis relatif: fichier et ancre retenus")
            << QStringList{"P:gopher://", "F:b.htm", "R:fin"} << true << " |  | b.htm | fin | b.htm#fin";
        QTest::newRow("ancre locale: l'URL seule retenue") << QStringList{"F:b.htm", "l:1"} << true
                                                          << " |  |  |  | #haut";
        QTest::newRow("Annuler: aucune liste ne change, rien d'inséré")
            << QStringList{"P:gopher://", "A:ici.fr", "F:b.htm", "R:fin"} << false << " |  |  |  | ";
    }

    void historiques()
    {
        QFETCH(QStringList, etapes);
        QFETCH(bool, ok);
        QFETCH(QString, listes);
        TWndHTML *w = Page("site/page.htm", "<a name=haut>mot");
        w->EditHTML->Selectionne(13, 3);
        Lien(w, [=](TDlgInsertionHyperlien &d) { Remplit(d, etapes); }, ok);
        QCOMPARE(Historiques(frame->DlgHyperlien()), listes);
        QCOMPARE(w->EditHTML->isModified(), ok);
        QCOMPARE(w->EditHTML->SelLength(), 3);
    }

    // A file name confirmed for a page stays offered for the pages of its folder only.
    void fichierSelonDossier_data()
    {
        QTest::addColumn<QString>("seconde");
        QTest::addColumn<QString>("fichiers");
        QTest::newRow("même dossier: Fichier gardé") << "site/b.htm" << "a.htm,images/x.htm|images/x.htm";
        QTest::newRow("sous-dossier: Fichier vidé") << "site/sous/b.htm" << "../a.htm|";
        QTest::newRow("dossier d'une autre casse: Fichier vidé") << "Site/b.htm" << "../site/a.htm|";
    }

    void fichierSelonDossier()
    {
        QFETCH(QString, seconde);
        QFETCH(QString, fichiers);
        TWndHTML *a = Page("site/a.htm", "<a name=haut>");
        Lien(a, [](TDlgInsertionHyperlien &d) { Remplit(d, {"L:vieux", "F:images/x.htm", "R:vieille"}); });
        Lien(Page(seconde, "<a name=b1>"), [&](TDlgInsertionHyperlien &d) {
            QCOMPARE(d.Fichier->Entrees().join(',') + '|' + d.Fichier->currentText(), fichiers);
            // The anchor lists are rebuilt, with no text; what the user typed elsewhere stays.
            QCOMPARE(d.AncreLocale->Entrees().join(',') + '|' + d.AncreLocale->Texte(), QStringLiteral("b1|"));
            QCOMPARE(d.Ancre->Entrees().join(',') + '|' + d.Ancre->currentText(), QStringLiteral("haut|"));
            QCOMPARE(d.URL->currentText(), QStringLiteral("images/x.htm#vieille"));
        }, false);
    }

    // The last document listed is the active one; "|contenu" is an untitled document.
    void offres_data()
    {
        QTest::addColumn<QStringList>("documents");
        QTest::addColumn<QString>("offres"); // AncreLocale | Ancre | Fichier
        QTest::newRow("un seul document: rien d'autre à offrir")
            << QStringList{"site/a.htm|<a name=haut><A NAME=\"bas\">"} << "haut,bas |  | ";
        QTest::newRow("trois documents: ancres des autres dans l'ordre, une par casse")
            << QStringList{"site/a.htm|<a name=x><a name=Y>", "site/sous/c.htm|<a name=y><a name=z>", "site/b.htm|"}
            << " | x,Y,z | a.htm,sous/c.htm";
        QTest::newRow("autre document jamais enregistré: Sans Nom du dossier courant")
            << QStringList{"|<a name=neuf>", "site/a.htm|<p>"} << " | neuf | ../courant/Sans Nom";
        QTest::newRow("document actif jamais enregistré: chemins depuis le dossier courant")
            << QStringList{"site/a.htm|<a name=haut>", "|"} << " | haut | ../site/a.htm";
    }

    void offres()
    {
        QFETCH(QStringList, documents);
        QFETCH(QString, offres);
        TWndHTML *actif = nullptr;
        for (const QString &document : documents)
            actif = Page(document.section(u'|', 0, 0), document.section(u'|', 1).toUtf8());
        Lien(actif, [&](TDlgInsertionHyperlien &d) {
            QCOMPARE(d.AncreLocale->Entrees().join(',') + " | " + d.Ancre->Entrees().join(',') + " | " +
                         d.Fichier->Entrees().join(','),
                     offres);
            QCOMPARE(d.URL->currentText(), QString());
        }, false);
    }

    void ancreLocale_data()
    {
        QTest::addColumn<QString>("saisie"); // null: the field left as it is
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("premier usage: nom Ancre") << QString() << true << QByteArray("un <A NAME=\"Ancre\"></A>[mot]");
        QTest::newRow("blancs retirés, mot sélectionné devant qui le reste")
            << " mon ancre " << true << QByteArray("un <A NAME=\"monancre\"></A>[mot]");
        QTest::newRow("Annuler: rien d'écrit") << "bas" << false << QByteArray("un [mot]");
    }

    void ancreLocale()
    {
        QFETCH(QString, saisie);
        QFETCH(bool, ok);
        QFETCH(QByteArray, attendu);
        TWndHTML *w = Page("page.htm", "un mot");
        w->EditHTML->Selectionne(3, 3);
        script->executions << [=](QDialog &dialogue) {
            auto &d = static_cast<TDlgInsertionAncreLocale &>(dialogue);
            if (!saisie.isNull())
                Tape(d.Ancre, saisie);
            (ok ? d.OkButton : d.CancelBtn)->click();
            return d.result();
        };
        w->InsertionAncreLocale();
        QCOMPARE(script->dialoguesExecutes, QStringList{QStringLiteral("Insertion d'une ancre locale...")});
        QCOMPARE(AvecMarques(w), attendu);
        // The field keeps what was typed, for the next use.
        QCOMPARE(frame->DlgAncreLocale().Ancre->text(), saisie.isNull() ? QStringLiteral("Ancre") : saisie);
    }

    void ancreLocaleFocus()
    {
        TDlgInsertionAncreLocale &d = frame->DlgAncreLocale();
        QCOMPARE(d.findChild<QLabel *>("Label1")->buddy(), d.Ancre);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QTRY_VERIFY(d.Ancre->hasFocus());
        QCOMPARE(d.Ancre->selectedText(), QStringLiteral("Ancre"));
    }
};

QTEST_MAIN(TestDlgHyperlien)
#include "tst_dlghyperlien.moc"
