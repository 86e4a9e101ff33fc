#include "dialogs/FichierTags.h"

#include <QtTest>

// The no-break space that a caption puts between the comma and the space.
#define INSECABLE "\xC2\xA0"

namespace {

QByteArray Octets(const std::string &texte)
{
    return QByteArray(texte.data(), static_cast<qsizetype>(texte.size()));
}

// The entries of the file, one string each: "1:opening|closing|caption" for a tag, "2:text|caption" for an
// attribute, listed after its tag.
QByteArrayList Entrees(const QByteArray &octets)
{
    QByteArrayList entrees;
    for (const BaliseTags &b : LitFichierTags(std::string_view(octets.constData(), octets.size()))) {
        entrees << QByteArray::number(b.balise.Nature) + ':' + Octets(b.balise.Texte) + '|' +
                       Octets(b.balise.Fermeture) + '|' + Octets(b.balise.Libelle);
        for (const TTag &a : b.attributs)
            entrees << QByteArray::number(a.Nature) + ':' + Octets(a.Texte) + '|' + Octets(a.Libelle) +
                           (a.Fermeture.empty() ? "" : "|fermeture non vide");
    }
    return entrees;
}

} // namespace

class TstFichierTags : public QObject {
    Q_OBJECT

private slots:
    void lecture_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QByteArrayList>("attendu");
        const auto ligne = [](const char *nom, QByteArray octets, QByteArrayList attendu) {
            QTest::newRow(nom) << octets << attendu;
        };
        ligne("sans tabulation: tout en ouverture, libellé seul", "<BR>", {"1:<BR>||<BR>"});
        ligne("tabulation: virgule, espace insécable, espace", "<B>\t</B>", {"1:<B>|</B>|<B>," INSECABLE " </B>"});
        ligne("tabulations suivantes gardées dans la fermeture", "<A>\tx\ty", {"1:<A>|x\ty|<A>," INSECABLE " x\ty"});
        ligne("tabulation finale: fermeture vide, virgule gardée", "<P>\t", {"1:<P>||<P>," INSECABLE " "});
        ligne("tabulation en tête: ouverture vide", "\t</P>", {"1:|</P>|," INSECABLE " </P>"});
        ligne("attributs sous la dernière balise", "<TABLE>\t</TABLE>\n+\tBORDER\n<TR>\n+\tALIGN=LEFT\n+\tVALIGN",
              {"1:<TABLE>|</TABLE>|<TABLE>," INSECABLE " </TABLE>", "2:BORDER|BORDER", "1:<TR>||<TR>",
               "2:ALIGN=LEFT|ALIGN=LEFT", "2:VALIGN|VALIGN"});
        ligne("attribut avant toute balise: lu comme balise", "+\tBORDER\n+\tWIDTH",
              {"1:+|BORDER|+," INSECABLE " BORDER", "2:WIDTH|WIDTH"});
        ligne("« + » sans tabulation ou suivi d'une espace: balise", "<B>\n+BORDER\n+ X\n+",
              {"1:<B>||<B>", "1:+BORDER||+BORDER", "1:+ X||+ X", "1:+||+"});
        ligne("tabulation puis « + »: balise", "<B>\n\t+\tX", {"1:<B>||<B>", "1:|+\tX|," INSECABLE " +\tX"});
        ligne("attribut vide ou avec tabulation", "<B>\n+\t\n+\tA\tB", {"1:<B>||<B>", "2:|", "2:A\tB|A\tB"});
        ligne("ligne vide: balise vide qui reçoit les attributs", "<B>\n\n+\tX", {"1:<B>||<B>", "1:||", "2:X|X"});
        ligne("fichier vide: aucune entrée", "", {});
        ligne("fin de ligne seule: une balise vide", "\n", {"1:||"});
        ligne("CR LF", "<B>\r\n<I>", {"1:<B>||<B>", "1:<I>||<I>"});
        ligne("LF", "<B>\n<I>", {"1:<B>||<B>", "1:<I>||<I>"});
        ligne("CR seul", "<B>\r<I>", {"1:<B>||<B>", "1:<I>||<I>"});
        ligne("CR puis CR LF: une ligne vide entre", "<B>\r\r\n<I>", {"1:<B>||<B>", "1:||", "1:<I>||<I>"});
        ligne("LF puis CR: une ligne vide entre", "<B>\n\r<I>", {"1:<B>||<B>", "1:||", "1:<I>||<I>"});
        ligne("fin de ligne finale: pas d'entrée de plus", "<B>\r\n<I>\r\n", {"1:<B>||<B>", "1:<I>||<I>"});
        ligne("CR final: pas d'entrée de plus", "<B>\r", {"1:<B>||<B>"});
        ligne("deux fins de ligne finales: une balise vide", "<B>\n\n", {"1:<B>||<B>", "1:||"});
        ligne("UTF-8 valide gardé", "<P>\tété €", {"1:<P>|été €|<P>," INSECABLE " été €"});
        ligne("Windows-1252 converti en UTF-8", "<P>\t\xE9t\xE9 \x80\n+\t\x9C",
              {"1:<P>|été €|<P>," INSECABLE " été €", "2:œ|œ"});
        ligne("un octet invalide: tout le fichier en Windows-1252", "é\n\xE9", {"1:Ã©||Ã©", "1:é||é"});
        ligne("marque d'ordre UTF-8 ôtée", "\xEF\xBB\xBF<B>\t</B>", {"1:<B>|</B>|<B>," INSECABLE " </B>"});
        ligne("octet nul gardé", QByteArray("<B>\0x", 5), {QByteArray("1:<B>\0x||<B>\0x", 14)});
    }

    void lecture()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QByteArrayList, attendu);
        QCOMPARE(Entrees(octets), attendu);
    }

    void ligneEnorme()
    {
        QByteArray octets(8 * 1024 * 1024, 'x');
        octets += "\t</X>\r\n+\tA";
        const std::vector<BaliseTags> balises = LitFichierTags(std::string_view(octets.constData(), octets.size()));
        QCOMPARE(balises.size(), std::size_t(1));
        QCOMPARE(balises[0].balise.Texte.size(), std::size_t(8 * 1024 * 1024));
        QCOMPARE(balises[0].balise.Fermeture, std::string("</X>"));
        QCOMPARE(balises[0].attributs.size(), std::size_t(1));
    }

    void insertion_data()
    {
        QTest::addColumn<int>("nature");
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QByteArray>("fermeture");
        QTest::addColumn<bool>("insere");
        QTest::addColumn<QByteArray>("ouvertureInseree");
        QTest::addColumn<QByteArray>("fermetureInseree");
        const auto ligne = [](const char *nom, int nature, QByteArray texte, QByteArray fermeture, bool insere,
                              QByteArray ouverture, QByteArray fermetureInseree) {
            QTest::newRow(nom) << nature << texte << fermeture << insere << ouverture << fermetureInseree;
        };
        ligne("balise: ouverture et fermeture", NatureBalise, "<B>", "</B>", true, "<B>", "</B>");
        ligne("balise sans fermeture", NatureBalise, "<BR>", "", true, "<BR>", "");
        ligne("attribut sans =: espace, texte, =", NatureAttribut, "BORDER", "", true, " BORDER=", "");
        ligne("attribut avec =: pas de second =", NatureAttribut, "BORDER=1", "", true, " BORDER=1", "");
        ligne("attribut vide: espace et =", NatureAttribut, "", "", true, " =", "");
        ligne("fichier: rien", NatureFichier, "Texte.txt", "", false, "", "");
    }

    void insertion()
    {
        QFETCH(int, nature);
        QFETCH(QByteArray, texte);
        QFETCH(QByteArray, fermeture);
        QFETCH(bool, insere);
        const auto textes = TextesInsertion({nature, texte.toStdString(), fermeture.toStdString(), {}});
        QCOMPARE(textes.has_value(), insere);
        if (textes) {
            QTEST(Octets(textes->first), "ouvertureInseree");
            QTEST(Octets(textes->second), "fermetureInseree");
        }
    }
};

QTEST_APPLESS_MAIN(TstFichierTags)
#include "tst_fichiertags.moc"
