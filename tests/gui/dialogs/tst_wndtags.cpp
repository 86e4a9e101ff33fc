#include "CadreDeTest.h"
#include "gui/dialogs/WndTags.h"

#include <QTreeWidget>

// The tags palette built on a folder of the test, and its double click on the active document.
class TestWndTags : public CadreDeTest {
    Q_OBJECT

    std::unique_ptr<TTagsForm> palette;

    QString Tags(const QString &nom = {}) const { return dossier.filePath("Tags/" + nom); }

    // The palette on the folder "Tags" holding the files, if any; a name ending in "/" is made a folder.
    void Palette(const QStringList &noms = {}, const QByteArrayList &contenus = {})
    {
        QVERIFY(noms.isEmpty() || QDir().mkpath(Tags()));
        for (qsizetype i = 0; i < noms.size(); ++i) {
            if (noms[i].endsWith(u'/'))
                QVERIFY(QDir().mkdir(Tags(noms[i])));
            else
                Ecrit(Tags(noms[i]), contenus.value(i));
        }
        palette = std::make_unique<TTagsForm>(frame.get(), *script, Tags(),
                                               [this] { return frame->FenetreActive(); });
    }

    // The tree, one line a node, indented two spaces a level.
    QStringList Arbre() const
    {
        QStringList lignes;
        for (QTreeWidgetItemIterator it(palette->Tags); *it; ++it) {
            QString ligne = (*it)->text(0);
            for (const QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
                ligne.prepend(u"  ");
            lignes << ligne;
        }
        return lignes;
    }

private slots:
    void init() { NouveauCadre(); }

    void cleanup()
    {
        palette.reset();
        FermeCadre();
        QDir(Tags()).removeRecursively();
    }

    void contenu_data()
    {
        QTest::addColumn<QStringList>("noms");
        QTest::addColumn<QByteArrayList>("contenus");
        QTest::addColumn<QStringList>("arbre");
        QTest::addColumn<QString>("illisible");
        QTest::newRow("pas de dossier: palette vide") << QStringList() << QByteArrayList() << QStringList() << "";
        QTest::newRow("fichier vide: branche sans entrée; autre extension ignorée")
            << QStringList{"Vide.txt", "a.htm"} << QByteArrayList{"", "<B>"} << QStringList{"Vide"} << "";
        QTest::newRow("branches triées par nom sans regard à la casse, sans extension")
            << QStringList{"b.txt", "C.TXT", "a.txt", "Liens.v2.txt"} << QByteArrayList{"", "", "", ""}
            << QStringList{"a", "b", "C", "Liens.v2"} << "";
        QTest::newRow("balises et leurs attributs")
            << QStringList{"T.txt"} << QByteArrayList{"<TABLE>\t</TABLE>\r\n+\tBORDER\r\n<TR>\r\n"}
            << QStringList{"T", QStringLiteral("  <TABLE>,\u00A0 </TABLE>"), "    BORDER", "  <TR>"} << "";
        QTest::newRow("fichier illisible: signalé une fois, fichiers suivants non lus")
            << QStringList{"a.txt", "b.txt/", "c.txt"} << QByteArrayList{"<B>", "", "<I>"}
            << QStringList{"a", "  <B>", "b"} << "b.txt/";
    }

    void contenu()
    {
        QFETCH(QStringList, noms);
        QFETCH(QByteArrayList, contenus);
        QFETCH(QString, illisible);
        Palette(noms, contenus);
        QTEST(Arbre(), "arbre");
        const QString erreur = QStringLiteral("Ne peut lire le fichier %1").arg(QDir::cleanPath(Tags(illisible)));
        QCOMPARE(script->erreurs, illisible.isEmpty() ? QStringList() : QStringList{erreur});
    }

    void doubleClic_data()
    {
        QTest::addColumn<int>("rang");
        QTest::addColumn<int>("longueur");
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("debutApres");
        const auto ligne = [](const char *nom, int rang, int longueur, QByteArray texte, int debutApres) {
            QTest::newRow(nom) << rang << longueur << texte << debutApres;
        };
        ligne("balise avec tabulation: autour de la sélection gardée", 1, 3, "un <B>mot</B>", 6);
        ligne("balise avec tabulation sans sélection: curseur entre les deux", 1, 0, "un <B></B>mot", 6);
        ligne("balise sans tabulation: devant la sélection gardée", 4, 3, "un <BR>mot", 7);
        ligne("attribut sans =: devant la sélection gardée", 2, 3, "un  BORDER=mot", 11);
        ligne("attribut avec =: pas de second =", 3, 0, "un  W=\"50%\"mot", 11);
        ligne("branche de fichier: rien", 0, 3, "un mot", 3);
        ligne("aucun nœud choisi: rien", -1, 3, "un mot", 3);
    }

    // Nodes: T, <B>, BORDER, W="50%", <BR>. The selection starts at "mot" in "un mot" and keeps its length.
    void doubleClic()
    {
        QFETCH(int, rang);
        QFETCH(int, longueur);
        Palette({"T.txt"}, {"<B>\t</B>\n+\tBORDER\n+\tW=\"50%\"\n<BR>\n"});
        TWndHTML *w = Ouvre(Fichier("page.htm", "un mot"));
        w->EditHTML->Selectionne(3, longueur);
        QTreeWidget *tags = palette->Tags;
        if (rang >= 0)
            tags->setCurrentItem(*(QTreeWidgetItemIterator(tags) += rang));
        emit tags->itemDoubleClicked(tags->topLevelItem(0), 0);
        QTEST(Texte(w), "texte");
        QTEST(int(w->EditHTML->SelStart()), "debutApres");
        QCOMPARE(w->EditHTML->SelLength(), longueur);
    }

    void sansDocument()
    {
        Palette({"T.txt"}, {"<B>\t</B>\n+\tBORDER"});
        for (QTreeWidgetItemIterator it(palette->Tags); *it; ++it) {
            palette->Tags->setCurrentItem(*it);
            palette->TagsDblClick();
        }
        QVERIFY(frame->Fenetres().isEmpty());
    }

    // The shipped files are all read, without error, and every entry has a caption.
    void fichiersLivres()
    {
        const QDir livres(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../../../data/Tags")));
        palette = std::make_unique<TTagsForm>(frame.get(), *script, livres.path(),
                                               [this] { return frame->FenetreActive(); });
        QCOMPARE(script->erreurs, QStringList());
        QVERIFY(livres.exists());
        QCOMPARE(palette->Tags->topLevelItemCount(), livres.entryList({"*.txt"}, QDir::Files).size());
        for (const QString &ligne : Arbre())
            QVERIFY2(!ligne.trimmed().isEmpty(), "entrée sans libellé");
    }
};

QTEST_MAIN(TestWndTags)
#include "tst_wndtags.moc"
