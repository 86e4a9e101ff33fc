// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "gui/dialogs/ComboHistorique.h"
#include "gui/dialogs/DlgInsertionAncreLocale.h"
#include "gui/dialogs/DlgInsertionHyperlien.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

// The document's text with its selection between "[" and "]".
static QByteArray AvecMarques(TWndHTML *w)
{
    const int debut = int(w->EditHTML->SelStart());
    return Texte(w).insert(debut + int(w->EditHTML->SelLength()), ']').insert(debut, '[');
}

// Types the text over the field's: the named field of the dialog, or the edit line in it.
static void Tape(const QObject &dialogue, const QString &nom, const QString &texte)
{
    auto *champ = dialogue.findChild<QWidget *>(nom);
    auto *edition = qobject_cast<QLineEdit *>(champ);
    edition = edition ? edition : champ->findChild<QLineEdit *>();
    edition->selectAll();
    QTest::keyClicks(edition, texte);
}

// The hyperlink and local anchor dialogs, run from a document window.
class TestDlgHyperlien : public CadreDeTest {
    Q_OBJECT

    const QString dossierInitial = QDir::currentPath();

    // Opens the page written in the temporary folder; without a name, a new untitled document.
    TWndHTML *Page(const QString &nom, const QByteArray &contenu)
    {
        if (!nom.isEmpty())
            return Ouvre(Fichier(nom, contenu));
        frame->FileNew();
        frame->FenetreActive()->EditHTML->Remplace(0, 0, contenu.toStdString());
        return frame->FenetreActive();
    }

    // Runs the hyperlink dialog on the active page: "P:x" types x in Protocole; likewise A Adresse, L AncreLocale,
    // F Fichier, R Ancre, U URL; then OK is clicked, or Annuler if it is the last step.
    TDlgInsertionHyperlien &Lien(const QStringList &etapes)
    {
        TDlgInsertionHyperlien &d = frame->DlgHyperlien();
        const QHash<QChar, QString> champs{{u'P', "Protocole"}, {u'A', "Adresse"}, {u'L', "AncreLocale"},
                                           {u'F', "Fichier"},   {u'R', "Ancre"},   {u'U', "URL"}};
        Repond([&d, etapes, champs] {
            for (const QString &etape : etapes)
                if (etape != u"Annuler")
                    Tape(d, champs.value(etape.at(0)), etape.mid(2));
        }, d.findChild<QPushButton *>(etapes.endsWith("Annuler") ? "Annuler" : "OK"));
        frame->InsertionLien();
        return d;
    }

    static QString Entrees(const TDlgInsertionHyperlien &d, const char *nom)
    {
        if (const auto *combo = d.findChild<TComboHistorique *>(nom))
            return combo->Entrees().join(',');
        return d.findChild<TComboSimple *>(nom)->Entrees().join(',');
    }

private slots:
    void init()
    {
        // Untitled documents lie in the current folder.
        QVERIFY(QDir(dossier.path()).mkpath("courant") && QDir(dossier.path()).mkpath("site/sous"));
        QVERIFY(QDir::setCurrent(dossier.filePath("courant")));
        NouveauCadre();
    }

    void cleanup() { FermeCadre(); QDir::setCurrent(dossierInitial); }

    void lien_data()
    {
        QTest::addColumn<QStringList>("etapes");
        QTest::addColumn<QByteArray>("attendu");
        QTest::addColumn<QString>("listes"); // Protocole after its first five | Adresse | Fichier | Ancre | URL
        const auto ligne = [](const char *nom, QStringList etapes, const char *attendu, const char *listes) {
            QTest::newRow(nom) << etapes << QByteArray("<a name=haut>") + attendu << QString(listes);
        };
        // The lists that keep the kind of link last changed, and the URL; Annuler keeps nothing. The selection stays.
        ligne("URL retouchée", {"F:b.htm", "P:gopher://", "A:ici.fr", "U:la.fr"}, "<A HREF=\"la.fr\">ici.fr[mot]</A>",
              "gopher:// | ici.fr |  |  | la.fr");
        ligne("relatif", {"P:gopher://", "F:b.htm", "R:fin"}, "<A HREF=\"b.htm#fin\">[mot]</A>",
              " |  | b.htm | fin | b.htm#fin");
        ligne("local", {"F:b.htm", "L:haut"}, "<A HREF=\"#haut\">[mot]</A>", " |  |  |  | #haut");
        ligne("Annuler", {"P:gopher://", "A:ici.fr", "F:b.htm", "R:fin", "Annuler"}, "[mot]", " |  |  |  | ");
    }

    void lien()
    {
        QFETCH(QStringList, etapes);
        TWndHTML *w = Page("site/page.htm", "<a name=haut>mot");
        w->EditHTML->Selectionne(13, 3);
        TDlgInsertionHyperlien &d = Lien(etapes);
        QTEST(AvecMarques(w), "attendu");
        QStringList vues{d.findChild<TComboHistorique *>("Protocole")->Entrees().mid(5).join(',')};
        for (const char *nom : {"Adresse", "Fichier", "Ancre", "URL"})
            vues << Entrees(d, nom);
        QTEST(vues.join(" | "), "listes");
    }

    // The first document confirms "images/x.htm#fin", the last one shows the dialog; "|..." is untitled.
    void offres_data()
    {
        QTest::addColumn<QStringList>("documents");
        QTest::addColumn<QString>("offres"); // AncreLocale | Ancre | Fichier
        // Fichier keeps its names in the same folder; the anchors of the other pages, the front one first, one a
        // case; the paths of the other pages, an untitled one in the current folder.
        QTest::newRow("même dossier") << QStringList{"site/a.htm|<a name=x><a name=Y>",
                                                     "site/sous/c.htm|<a name=y><a name=z>", "site/b.htm|<A NAME=\"b\">"}
                                      << "b | y,z,x | a.htm,images/x.htm,sous/c.htm";
        QTest::newRow("sous-dossier") << QStringList{"site/a.htm|", "site/sous/c.htm|"} << " |  | ../a.htm";
        QTest::newRow("sans nom") << QStringList{"|<a name=neuf>", "site/a.htm|"}
                                  << " | neuf | ../courant/Sans Nom";
    }

    void offres()
    {
        QFETCH(QStringList, documents);
        for (const QString &document : documents) {
            Page(document.section(u'|', 0, 0), document.section(u'|', 1).toUtf8());
            if (document == documents.first())
                Lien({"F:images/x.htm", "R:fin"});
        }
        const TDlgInsertionHyperlien &d = Lien({"Annuler"});
        QTEST(Entrees(d, "AncreLocale") + " | " + Entrees(d, "Ancre") + " | " + Entrees(d, "Fichier"), "offres");
    }

    // Typing selects the first anchor that starts with the text, whatever the case, and leaves the text as typed.
    void ancreTapee_data()
    {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<int>("choisie");
        QTest::newRow("Haut avant haute") << "hau" << 1;
        QTest::newRow("haute") << "HAUTE" << 2;
    }

    void ancreTapee()
    {
        QFETCH(QString, tape);
        TComboSimple combo;
        combo.Ajoute({"bas", "Haut", "haute"});
        QTest::keyClicks(combo.findChild<QLineEdit *>(), tape);
        QTEST(combo.findChild<QListWidget *>()->currentRow(), "choisie");
        QCOMPARE(combo.Texte(), tape);
    }

    // Annuler writes nothing and keeps the name typed, that OK then writes without its blanks.
    void ancreLocale()
    {
        TWndHTML *w = Page("page.htm", "un mot");
        w->EditHTML->Selectionne(3, 3);
        TDlgInsertionAncreLocale &d = frame->DlgAncreLocale();
        Repond([&d] { Tape(d, "Ancre", " mon ancre "); }, d.findChild<QPushButton *>("Annuler"));
        frame->InsertionAncreLocale();
        QCOMPARE(AvecMarques(w), QByteArray("un [mot]"));
        Repond([] {}, d.findChild<QPushButton *>("OK"));
        frame->InsertionAncreLocale();
        QCOMPARE(AvecMarques(w), QByteArray("un <A NAME=\"monancre\"></A>[mot]"));
    }
};

QTEST_MAIN(TestDlgHyperlien)
#include "tst_dlginsertionhyperlien.moc"
