#include "../CadreDeTest.h"
#include "dialogs/WndTags.h"

#include <QTreeWidget>

#include <unistd.h>

// The tags palette built on a folder of the test, and its double click on the active document.
class TestWndTags : public CadreDeTest {
    Q_OBJECT

    // How a tags file is made unreadable.
    enum Illisible { DossierTxt, LienCasse, SansDroit };

    std::unique_ptr<TTagsForm> palette;

    QString DossierTags() const { return dossier.filePath(QStringLiteral("Tags")); }

    // The palette on the folder, once the files are written in it.
    void Palette(const QStringList &noms, const QByteArrayList &contenus)
    {
        QVERIFY(QDir().mkpath(DossierTags()));
        for (qsizetype i = 0; i < noms.size(); ++i)
            Ecrit(DossierTags() + u'/' + noms[i], contenus.value(i));
        palette = std::make_unique<TTagsForm>(*frame, DossierTags());
    }

    // The tree, one line a node, indented two spaces a level.
    static QStringList Arbre(const QTreeWidget *tags)
    {
        QStringList lignes;
        const std::function<void(const QTreeWidgetItem *, int)> ajoute = [&](const QTreeWidgetItem *noeud, int niveau) {
            lignes << QString(2 * niveau, u' ') + noeud->text(0);
            for (int i = 0; i < noeud->childCount(); ++i)
                ajoute(noeud->child(i), niveau + 1);
        };
        for (int i = 0; i < tags->topLevelItemCount(); ++i)
            ajoute(tags->topLevelItem(i), 0);
        return lignes;
    }

    // Selects the node at the path of indexes (none for no selection) and double-clicks.
    void DoubleClic(const QList<int> &chemin)
    {
        QTreeWidget *tags = palette->Tags;
        tags->clearSelection();
        QTreeWidgetItem *noeud = nullptr;
        for (int i : chemin)
            noeud = noeud ? noeud->child(i) : tags->topLevelItem(i);
        if (noeud)
            tags->setCurrentItem(noeud);
        palette->TagsDblClick();
    }

private slots:
    void init()
    {
        QVERIFY(dossier.isValid());
        NouveauCadre();
    }

    void cleanup()
    {
        palette.reset();
        FermeCadre();
        QDir(DossierTags()).removeRecursively();
    }

    void contenu_data()
    {
        QTest::addColumn<bool>("avecDossier");
        QTest::addColumn<QStringList>("noms");
        QTest::addColumn<QByteArrayList>("contenus");
        QTest::addColumn<QStringList>("arbre");
        QTest::newRow("pas de dossier: palette vide") << false << QStringList() << QByteArrayList() << QStringList();
        QTest::newRow("dossier sans fichier .txt: palette vide")
            << true << QStringList{"a.htm", "txt", "b.txt.bak"} << QByteArrayList{"<B>", "<B>", "<B>"}
            << QStringList();
        QTest::newRow("fichier vide: branche sans entrée")
            << true << QStringList{"Vide.txt"} << QByteArrayList{""} << QStringList{"Vide"};
        QTest::newRow("branches triées par nom sans regard à la casse, sans extension")
            << true << QStringList{"b.txt", "C.TXT", "a.txt", "Liens.v2.txt", ".cache.txt"}
            << QByteArrayList{"", "", "", "", ""} << QStringList{".cache", "a", "b", "C", "Liens.v2"};
        QTest::newRow("fichier, balises, attributs")
            << true << QStringList{"Tableaux.txt"}
            << QByteArrayList{"<TABLE>\t</TABLE>\r\n+\tBORDER\r\n+\tWIDTH=\"100%\"\r\n<TR>\r\n"}
            << QStringList{"Tableaux", QStringLiteral("  <TABLE>,\u00A0 </TABLE>"), "    BORDER",
                           "    WIDTH=\"100%\"", "  <TR>"};
        QTest::newRow("Windows-1252 lu en UTF-8")
            << true << QStringList{"\xC3\xa9t\xC3\xA9.txt"} << QByteArrayList{"<P>\t\xE9t\xE9"}
            << QStringList{QStringLiteral("été"), QStringLiteral("  <P>,\u00A0 été")};
    }

    void contenu()
    {
        QFETCH(bool, avecDossier);
        QFETCH(QStringList, noms);
        QFETCH(QByteArrayList, contenus);
        if (avecDossier) {
            Palette(noms, contenus);
        } else {
            palette = std::make_unique<TTagsForm>(*frame, DossierTags());
        }
        QTEST(Arbre(palette->Tags), "arbre");
        QCOMPARE(script->erreurs, QStringList());
    }

    void fichierIllisible_data()
    {
        QTest::addColumn<int>("sorte");
        QTest::addColumn<QString>("illisible");
        QTest::addColumn<QStringList>("arbre");
        QTest::newRow("dossier nommé b.txt: signalé, fichiers suivants non lus")
            << int(DossierTxt) << "b.txt" << QStringList{"a", "  <B>", "b"};
        QTest::newRow("lien vers un fichier absent: signalé, fichiers suivants non lus")
            << int(LienCasse) << "b.txt" << QStringList{"a", "  <B>", "b"};
        QTest::newRow("premier fichier illisible: sa branche seule") << int(LienCasse) << "0.txt" << QStringList{"0"};
        QTest::newRow("fichier sans droit de lecture") << int(SansDroit) << "b.txt" << QStringList{"a", "  <B>", "b"};
    }

    // The unreadable file stands among "a.txt" and "c.txt", which hold one tag each.
    void fichierIllisible()
    {
        QFETCH(int, sorte);
        QFETCH(QString, illisible);
        if (sorte == SansDroit && geteuid() == 0)
            QSKIP("Le super-utilisateur lit les fichiers sans droit de lecture");
        QVERIFY(QDir().mkpath(DossierTags()));
        const QString chemin = DossierTags() + u'/' + illisible;
        if (sorte == DossierTxt)
            QVERIFY(QDir().mkdir(chemin));
        else if (sorte == LienCasse)
            QVERIFY(QFile::link(dossier.filePath(QStringLiteral("absent")), chemin));
        else {
            Ecrit(chemin, "<I>");
            QVERIFY(QFile::setPermissions(chemin, {}));
        }
        Palette({"a.txt", "c.txt"}, {"<B>", "<B>"});
        if (sorte == SansDroit)
            QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
        QTEST(Arbre(palette->Tags), "arbre");
        QCOMPARE(script->erreurs, QStringList{QStringLiteral("Ne peut lire le fichier %1").arg(chemin)});
    }

    void doubleClic_data()
    {
        QTest::addColumn<QList<int>>("chemin");
        QTest::addColumn<int>("debut");
        QTest::addColumn<int>("longueur");
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("debutApres");
        QTest::addColumn<int>("longueurApres");
        const auto ligne = [](const char *nom, QList<int> chemin, int debut, int longueur, QByteArray texte,
                              int debutApres, int longueurApres) {
            QTest::newRow(nom) << chemin << debut << longueur << texte << debutApres << longueurApres;
        };
        ligne("balise avec tabulation: entoure la sélection, gardée sélectionnée", {0, 0}, 3, 3, "un <B>mot</B>", 6,
              3);
        ligne("balise avec tabulation sans sélection: curseur entre les deux", {0, 0}, 3, 0, "un <B></B>mot", 6, 0);
        ligne("balise sans tabulation: devant la sélection gardée", {0, 1}, 3, 3, "un <BR>mot", 7, 3);
        ligne("attribut sans =: espace, texte, =, curseur après", {0, 0, 0}, 3, 0, "un  BORDER=mot", 11, 0);
        ligne("attribut avec =: pas de second =", {0, 0, 1}, 3, 0, "un  WIDTH=\"50%\"mot", 15, 0);
        ligne("attribut devant la sélection gardée", {0, 0, 0}, 3, 3, "un  BORDER=mot", 11, 3);
        ligne("branche de fichier: rien", {0}, 3, 3, "un mot", 3, 3);
        ligne("aucun nœud choisi: rien", {}, 3, 3, "un mot", 3, 3);
    }

    void doubleClic()
    {
        Palette({"T.txt"}, {"<B>\t</B>\n+\tBORDER\n+\tWIDTH=\"50%\"\n<BR>\n"});
        TWndHTML *w = Ouvre(Fichier("page.htm", "un mot"));
        QFETCH(QList<int>, chemin);
        QFETCH(int, debut);
        QFETCH(int, longueur);
        w->EditHTML->Selectionne(debut, longueur);
        DoubleClic(chemin);
        QTEST(Texte(w), "texte");
        QTEST(int(w->EditHTML->SelStart()), "debutApres");
        QTEST(int(w->EditHTML->SelLength()), "longueurApres");
    }

    void doubleClicSouris()
    {
        Palette({"T.txt"}, {"<B>\t</B>"});
        TWndHTML *w = Ouvre(Fichier("page.htm", "mot"));
        w->EditHTML->Selectionne(0, 3);
        palette->show();
        QVERIFY(QTest::qWaitForWindowExposed(palette.get()));
        QTreeWidget *tags = palette->Tags;
        tags->expandAll();
        const QRect rect = tags->visualItemRect(tags->topLevelItem(0)->child(0));
        QTest::mouseClick(tags->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(tags->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(Texte(w), QByteArray("<B>mot</B>"));
        QCOMPARE(frame->FenetreActive(), w);
    }

    void sansDocument()
    {
        Palette({"T.txt"}, {"<B>\t</B>\n+\tBORDER"});
        for (const QList<int> &chemin : {QList<int>{0, 0}, QList<int>{0, 0, 0}, QList<int>{0}})
            DoubleClic(chemin);
        QVERIFY(frame->Fenetres().isEmpty());
        QCOMPARE(script->erreurs, QStringList());
    }

    void fichiersLivres()
    {
        const QDir livres(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../../data/Tags")));
        const QStringList fichiers =
            livres.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
        QVERIFY(fichiers.size() >= 6);
        palette = std::make_unique<TTagsForm>(*frame, livres.path());
        QCOMPARE(script->erreurs, QStringList());
        QTreeWidget *tags = palette->Tags;
        QCOMPARE(tags->topLevelItemCount(), fichiers.size());
        for (int i = 0; i < tags->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *branche = tags->topLevelItem(i);
            const QByteArray octets = Lit(livres.filePath(fichiers[i]));
            // Written in UTF-8 with LF line ends, without blank lines, which would give entries with no caption.
            QVERIFY2(!octets.contains('\r') && octets.endsWith('\n') && !octets.contains("\n\n"),
                     qPrintable(fichiers[i]));
            QVERIFY2(QString::fromUtf8(octets).toUtf8() == octets, qPrintable(fichiers[i]));
            QVERIFY2(branche->childCount() > 0, qPrintable(fichiers[i]));
            for (int j = 0; j < branche->childCount(); ++j)
                QVERIFY2(!branche->child(j)->text(0).isEmpty(), qPrintable(fichiers[i]));
        }
    }
};

QTEST_MAIN(TestWndTags)
#include "tst_wndtags.moc"
