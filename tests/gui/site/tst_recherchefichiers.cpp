// SPDX-License-Identifier: GPL-3.0-or-later
#include "CadreDeTest.h"

#include "core/site/Modifications.h"
#include "gui/settings/CheminsQt.h"

#include <QFile>

namespace {

// The change of "mot" into "MOT" at each of its places in the text, as a search of the file would plan it.
ModificationFichier Majuscules(const QString &chemin, const std::string &texte, bool ouverte)
{
    auto lue = LitPourModifier(EncodeNom(chemin).toStdString(), 1 << 20);
    ModificationFichier modification = lue ? *lue : ModificationFichier{};
    modification.chemin = EncodeNom(chemin).toStdString();
    modification.texte = texte;
    modification.ouverte = ouverte;
    for (std::size_t place = texte.find("mot"); place != std::string::npos; place = texte.find("mot", place + 3))
        modification.changements.push_back({place, place + 3, "MOT", 1, place + 1});
    return modification;
}

} // namespace

class TstRechercheFichiers : public CadreDeTest {
    Q_OBJECT

private slots:
    void init() { NouveauCadre(); }
    void cleanup() { FermeCadre(); }

    // How each file is changed, as its page is open or not, and as it changed since it was read: "disque" is the
    // file afterwards, "fenetre" the page's text ("-" without a window), "defait" the page after one undo.
    void appliqueModifications_data()
    {
        QTest::addColumn<QString>("cas");
        QTest::addColumn<QByteArray>("disque");
        QTest::addColumn<QByteArray>("fenetre");
        QTest::addColumn<QByteArray>("defait");
        QTest::addColumn<QString>("rapport");
        QTest::newRow("fermée: écrite sur le disque")
            << "fermee" << QByteArray("un MOT\r\ndeux MOTs\r\n") << QByteArray("-") << QByteArray("-")
            << "1 fichier modifié, 2 remplacements.";
        QTest::newRow("ouverte: changée dans sa fenêtre en une étape, non enregistrée")
            << "ouverte" << QByteArray("un mot\r\ndeux mots\r\n") << QByteArray("un MOT\r\ndeux MOTs\r\n")
            << QByteArray("un mot\r\ndeux mots\r\n")
            << "1 fichier modifié, 2 remplacements.\n"
               "1 page ouverte a été modifiée dans sa fenêtre, sans être enregistrée.";
        QTest::newRow("ouverte après la lecture du disque: changée dans sa fenêtre")
            << "ouverteDepuis" << QByteArray("un mot\r\ndeux mots\r\n") << QByteArray("un MOT\r\ndeux MOTs\r\n")
            << QByteArray("un mot\r\ndeux mots\r\n")
            << "1 fichier modifié, 2 remplacements.\n"
               "1 page ouverte a été modifiée dans sa fenêtre, sans être enregistrée.";
        const QString laissee = QStringLiteral("Aucun fichier modifié.\n1 fichier laissé :\n  page.htm : %1")
                                    .arg(QString::fromUtf8(Message(RaisonIgnore::ModifieDepuis)));
        QTest::newRow("ouverte, tapée depuis: laissée") << "tapee" << QByteArray("un mot\r\ndeux mots\r\n")
                                                       << QByteArray("xun mot\r\ndeux mots\r\n")
                                                       << QByteArray("un mot\r\ndeux mots\r\n") << laissee;
        QTest::newRow("fermée depuis: laissée") << "fermeeDepuis" << QByteArray("un mot\r\ndeux mots\r\n")
                                               << QByteArray("-") << QByteArray("-") << laissee;
    }
    void appliqueModifications()
    {
        QFETCH(QString, cas);
        QFETCH(QByteArray, disque);
        QFETCH(QByteArray, fenetre);
        QFETCH(QByteArray, defait);
        QFETCH(QString, rapport);
        const QString chemin = Fichier(QStringLiteral("page.htm"), "un mot\r\ndeux mots\r\n");
        TWndHTML *w = cas == "ouverte" || cas == "tapee" || cas == "fermeeDepuis" ? Ouvre(chemin) : nullptr;
        const std::optional<std::string> texte = frame->TextesOuverts()(EncodeNom(chemin).toStdString());
        QCOMPARE(texte.has_value(), w != nullptr);
        const ModificationFichier modification =
            Majuscules(chemin, texte.value_or("un mot\r\ndeux mots\r\n"), texte.has_value());
        if (cas == "ouverteDepuis")
            w = Ouvre(chemin);
        if (cas == "tapee")
            w->InsertionTexte("x", "");
        if (cas == "fermeeDepuis") {
            FermeCadre();
            NouveauCadre();
            w = nullptr;
        }

        const Bilan bilan = frame->AppliqueModifications({modification});
        QCOMPARE(QString::fromStdString(Rapport(bilan, EncodeNom(dossier.path()).toStdString())), rapport);
        QCOMPARE(Lit(chemin), disque);
        QCOMPARE(w ? Texte(w) : QByteArray("-"), fenetre);
        if (w) {
            QVERIFY(w->EditHTML->isModified());
            w->EditionDefaire();
            QCOMPARE(Texte(w), defait);
        }
    }

    // The texts of the open pages are copies: what is typed afterwards is not in them, and a page is found under
    // another name of its file.
    void textesOuverts()
    {
        const QString chemin = Fichier(QStringLiteral("page.htm"), "avant");
        QVERIFY(QFile::link(chemin, dossier.filePath(QStringLiteral("lien.htm"))));
        TWndHTML *w = Ouvre(chemin);
        w->InsertionTexte("tapé ", "");
        const TexteOuvert textes = frame->TextesOuverts();
        w->InsertionTexte("encore ", "");
        QCOMPARE(textes(EncodeNom(chemin).toStdString()), std::optional<std::string>("tapé avant"));
        QCOMPARE(textes(EncodeNom(dossier.filePath(QStringLiteral("lien.htm"))).toStdString()),
                 std::optional<std::string>("tapé avant"));
        QCOMPARE(textes(EncodeNom(Fichier(QStringLiteral("autre.htm"))).toStdString()), std::nullopt);
    }
};

QTEST_MAIN(TstRechercheFichiers)
#include "tst_recherchefichiers.moc"
