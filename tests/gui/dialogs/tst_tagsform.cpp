// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"
#include "gui/dialogs/TagsForm.h"

#include <QLineEdit>
#include <QTreeWidget>

#include <map>

// The tags palette built on a folder of the test, and its double click on the active document.
class TestWndTags : public CadreDeTest {
    Q_OBJECT

    std::unique_ptr<TTagsForm> palette;

    QString Tags(const QString &nom = {}) const { return dossier.filePath("Tags/" + nom); }
    static QTreeWidget *ArbreDe(const TTagsForm &palette) { return palette.findChild<QTreeWidget *>(); }

    // The palette on the folder "Tags" holding the files "nom:contenu", if any; a name ending in "/" is a folder.
    void Palette(const QStringList &fichiers = {})
    {
        QVERIFY(fichiers.isEmpty() || QDir().mkpath(Tags()));
        for (const QString &fichier : fichiers) {
            if (fichier.endsWith(u'/'))
                QVERIFY(QDir().mkdir(Tags(fichier)));
            else
                Ecrit(Tags(fichier.section(u':', 0, 0)), fichier.section(u':', 1).toUtf8());
        }
        palette = std::make_unique<TTagsForm>(frame.get(), *script, Tags(), [this] { return frame->FenetreActive(); });
    }

    // The tree, one line a node, indented two spaces a level.
    static QStringList Arbre(const TTagsForm &palette)
    {
        QStringList lignes;
        for (QTreeWidgetItemIterator it(ArbreDe(palette)); *it; ++it) {
            QString ligne = (*it)->text(0);
            for (const QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
                ligne.prepend(u"  ");
            lignes << ligne;
        }
        return lignes;
    }

private slots:
    void init() { NouveauCadre(); }

    void cleanup() { palette.reset(); FermeCadre(); QDir(Tags()).removeRecursively(); }

    void contenu_data()
    {
        QTest::addColumn<QStringList>("fichiers");
        QTest::addColumn<QStringList>("arbre");
        QTest::addColumn<QString>("illisible");
        // Branches sorted by name whatever the case, shown without their extension; other files left out; an
        // unreadable file reported once, and the files after it not read.
        QTest::newRow("pas de dossier") << QStringList() << QStringList() << "";
        QTest::newRow("ordre, vides, autre extension")
            << QStringList{"C.TXT:", "a.txt:", "Liens.v2.txt:", "x.htm:<B>"} << QStringList{"a", "C", "Liens.v2"} << "";
        QTest::newRow("balises et attributs")
            << QStringList{"T.txt:<TABLE>\t</TABLE>\r\n+\tBORDER\r\n<TR>\r\n"}
            << QStringList{"T", "  <TABLE>,\u00A0 </TABLE>", "    BORDER", "  <TR>"} << "";
        QTest::newRow("illisible") << QStringList{"a.txt:<B>", "b.txt/", "c.txt:<I>"} << QStringList{"a", "  <B>", "b"}
                                   << "b.txt/";
    }

    void contenu()
    {
        QFETCH(QString, illisible);
        QFETCH(QStringList, fichiers);
        Palette(fichiers);
        QTEST(Arbre(*palette), "arbre");
        const QString erreur = "Ne peut lire le fichier " + QDir::cleanPath(Tags(illisible));
        QCOMPARE(script->erreurs, illisible.isEmpty() ? QStringList() : QStringList{erreur});
    }

    void doubleClic_data()
    {
        QTest::addColumn<int>("rang");
        QTest::addColumn<QByteArray>("texte"); // null: no document
        QTest::addColumn<QString>("selection");
        // What is written is the keyboard test's; a double click on a node writes it, on a branch nothing.
        QTest::newRow("balise seule") << 4 << QByteArray("un <BR>mot") << "7+3";
        QTest::newRow("branche de fichier") << 0 << QByteArray("un mot") << "3+3";
        QTest::newRow("aucun nœud choisi") << -1 << QByteArray("un mot") << "3+3";
        QTest::newRow("aucun document") << 1 << QByteArray() << "";
    }

    // Nodes: T, <B>, BORDER, W="50%", <BR>. The selection is "mot" in "un mot", and keeps its length.
    void doubleClic()
    {
        QFETCH(int, rang);
        QFETCH(QByteArray, texte);
        Palette({"T.txt:<B>\t</B>\n+\tBORDER\n+\tW=\"50%\"\n<BR>\n"});
        TWndHTML *w = texte.isNull() ? nullptr : Ouvre(Fichier("page.htm", "un mot"));
        if (w)
            w->EditHTML->Selectionne(3, 3);
        QTreeWidget *tags = ArbreDe(*palette);
        if (rang >= 0)
            tags->setCurrentItem(*(QTreeWidgetItemIterator(tags) += rang));
        emit tags->itemDoubleClicked(tags->topLevelItem(0), 0);
        QCOMPARE(frame->Fenetres().size(), w ? 1 : 0);
        if (!w)
            return;
        QCOMPARE(Texte(w), texte);
        QTEST(Selection(w), "selection");
    }

    void clavier_data()
    {
        QTest::addColumn<QStringList>("touches"); // "[Touche]" for a key, anything else typed
        QTest::addColumn<QByteArray>("texte");
        QTest::newRow("«<b» puis Entrée: la balise entoure la sélection")
            << QStringList{"<b", "[Entrée]"} << QByteArray("un <B>mot</B>");
        QTest::newRow("«ORDER»: l'attribut, sous sa balise") << QStringList{"ORDER", "[Entrée]"}
                                                              << QByteArray("un  BORDER=mot");
        QTest::newRow("Entrée sur la branche l'ouvre sans rien écrire")
            << QStringList{"[Entrée]", "[Bas]", "[Bas]", "[Entrée]"} << QByteArray("un <BR>mot");
        QTest::newRow("filtre sans résultat: rien") << QStringList{"zz", "[Entrée]"} << QByteArray("un mot");
        QTest::newRow("retour arrière: le filtre s'élargit") << QStringList{"brx", "[Retour]", "[Entrée]"}
                                                              << QByteArray("un <BR>mot");
    }

    // Opened, the palette has the keyboard on its tree; what is typed there filters it, the arrows move in it, Return
    // writes the entry and gives the keyboard back to the page. Escape closes the palette, which opens again with
    // every entry.
    void clavier()
    {
        QFETCH(QStringList, touches);
        QFETCH(QByteArray, texte);
        Palette({"T.txt:<B>\t</B>\n+\tBORDER\n+\tW=\"50%\"\n<BR>\n"});
        TWndHTML *w = Ouvre(Fichier("page.htm", "un mot"));
        w->EditHTML->Selectionne(3, 3);
        frame->show();
        palette->Montre();
        QVERIFY(QTest::qWaitForWindowActive(palette.get()));
        QTRY_COMPARE(QApplication::focusWidget(), ArbreDe(*palette));
        const std::map<QString, Qt::Key> noms{{"[Entrée]", Qt::Key_Return},
                                              {"[Bas]", Qt::Key_Down}, {"[Retour]", Qt::Key_Backspace}};
        for (const QString &touche : touches) {
            if (noms.count(touche))
                QTest::keyClick(QApplication::focusWidget(), noms.at(touche));
            else
                QTest::keyClicks(QApplication::focusWidget(), touche);
        }
        QCOMPARE(Texte(w), texte);
        QCOMPARE(w->EditHTML->SelLength(), 3);
        if (texte != "un mot")
            QTRY_COMPARE(QApplication::focusWidget(), w->EditHTML);
        QVERIFY(palette->isVisible());

        palette->Montre();
        QTRY_COMPARE(QApplication::focusWidget(), ArbreDe(*palette));
        QTest::keyClick(ArbreDe(*palette), Qt::Key_Escape);
        QVERIFY(!palette->isVisible());
        palette->Montre();
        QCOMPARE(palette->findChild<QLineEdit *>()->text(), QString());
        QVERIFY(!*QTreeWidgetItemIterator(ArbreDe(*palette), QTreeWidgetItemIterator::Hidden));
    }

    // The frame's palette reads the shipped files, without error, one branch a file, every entry with a caption;
    // its command opens it with the keyboard on the tree.
    void paletteDuCadre()
    {
        QCOMPARE(script->erreurs, QStringList());
        QCOMPARE(ArbreDe(frame->Tags())->topLevelItemCount(),
                 QDir(QStringLiteral(TAGS)).entryList({"*.txt"}, QDir::Files).size());
        QVERIFY2(!Arbre(frame->Tags()).contains(QRegularExpression("^\\s*$")), "entrée sans libellé");
        frame->show();
        frame->AfficheTags();
        QVERIFY(QTest::qWaitForWindowActive(&frame->Tags()));
        QTRY_COMPARE(QApplication::focusWidget(), ArbreDe(frame->Tags()));
    }
};

QTEST_MAIN(TestWndTags)
#include "tst_tagsform.moc"
