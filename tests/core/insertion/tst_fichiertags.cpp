// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/insertion/FichierTags.h"

#include <QtTest>

// The comma, no-break space and space of a caption between a tag's opening and closing texts.
#define SEP ",\xC2\xA0 "

namespace {

// "nature:opening|closing|caption", with 1 for a tag and 2 for an attribute.
QByteArray Entree(const TTag &t)
{
    return QByteArray::fromStdString(std::to_string(int(t.Nature)) + ':' + t.Texte + '|' + t.Fermeture + '|' + t.Libelle);
}

} // namespace

class TstFichierTags : public QObject {
    Q_OBJECT

private slots:
    // The entries in file order, each tag followed by its attributes.
    void lecture_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QByteArrayList>("attendu");
        const auto ligne = [](const char *nom, QByteArray octets, QByteArrayList attendu) {
            QTest::newRow(nom) << octets << attendu;
        };
        ligne("sans tabulation: tout en ouverture", "<BR>", {"1:<BR>||<BR>"});
        ligne("tabulation: libellé avec virgule, insécable, espace", "<A>\tx\ty", {"1:<A>|x\ty|<A>" SEP "x\ty"});
        ligne("attributs sous la dernière balise, « + » sans tabulation: balise",
              "<T>\t</T>\n+\tBORDER\n<TR>\n+\tA=1\n+BORDER",
              {"1:<T>|</T>|<T>" SEP "</T>", "2:BORDER||BORDER", "1:<TR>||<TR>", "2:A=1||A=1", "1:+BORDER||+BORDER"});
        ligne("attribut avant toute balise: lu comme balise", "+\tB\n+\tW", {"1:+|B|+" SEP "B", "2:W||W"});
        ligne("fins CR, CR LF, LF; la dernière n'ouvre pas d'entrée", "<B>\r\r\n<I>\n<U>\r\n",
              {"1:<B>||<B>", "1:||", "1:<I>||<I>", "1:<U>||<U>"});
        ligne("UTF-8 gardé, marque d'ordre ôtée", "\xEF\xBB\xBF<P>\tété €", {"1:<P>|été €|<P>" SEP "été €"});
        ligne("Windows-1252 en UTF-8", "<P>\t\xE9t\xE9 \x80\n+\t\x9C", {"1:<P>|été €|<P>" SEP "été €", "2:œ||œ"});
        ligne("un octet invalide: tout le fichier en Windows-1252", "é\n\xE9", {"1:Ã©||Ã©", "1:é||é"});
    }

    void lecture()
    {
        QFETCH(QByteArray, octets);
        QByteArrayList entrees;
        for (const BaliseTags &b : LitFichierTags(std::string_view(octets.constData(), octets.size()))) {
            entrees << Entree(b.balise);
            for (const TTag &a : b.attributs)
                entrees << Entree(a);
        }
        QTEST(entrees, "attendu");
    }

    // What a double click writes for an attribute: the equals sign only when its value is missing.
    void insertion()
    {
        using Textes = std::optional<std::pair<std::string, std::string>>;
        const auto textes = [](const char *texte) { return TextesInsertion({NatureTag::Attribut, texte, "", {}}); };
        QCOMPARE(textes("BORDER"), (Textes{{" BORDER=", ""}}));
        QCOMPARE(textes("A=1"), (Textes{{" A=1", ""}}));
    }

    // The files given with the program: every element that has a closing text closes the element it opens, and
    // no attribute comes before a tag.
    void fichiersLivres()
    {
        const QStringList fichiers = QDir(QStringLiteral(TAGS)).entryList({"*.txt"}, QDir::Files);
        QVERIFY(fichiers.contains("HTML5.txt"));
        for (const QString &nom : fichiers) {
            QFile fichier(QDir(QStringLiteral(TAGS)).filePath(nom));
            QVERIFY(fichier.open(QIODevice::ReadOnly));
            const QByteArray octets = fichier.readAll();
            QVERIFY2(!octets.startsWith("+\t"), qPrintable(nom));
            for (const BaliseTags &entree : LitFichierTags({octets.constData(), std::size_t(octets.size())})) {
                const QRegularExpressionMatch element =
                    QRegularExpression("^<([A-Z0-9]+)").match(QString::fromStdString(entree.balise.Texte));
                if (element.hasMatch() && !entree.balise.Fermeture.empty())
                    QCOMPARE(QString::fromStdString(entree.balise.Fermeture), "</" + element.captured(1) + ">");
            }
        }
    }
};

QTEST_APPLESS_MAIN(TstFichierTags)
#include "tst_fichiertags.moc"
