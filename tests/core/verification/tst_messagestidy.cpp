// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/verification/MessagesTidy.h"

#include <tidy/tidy.h>

#include <QRegularExpression>
#include <QtTest>

namespace {

// Words of Tidy's English messages that no French message holds.
const QStringList MotsAnglais = {"the", "of", "to", "is", "was", "for", "with", "and", "not", "no", "yes", "found",
                                 "missing", "added", "replaced", "dropping", "detected", "attribute", "value", "tag",
                                 "should", "will", "before", "within", "consider", "use", "move", "avoid", "set",
                                 "reached", "end"};

// The names of Tidy's options.
QStringList NomsReglages()
{
    QStringList noms;
    const TidyDoc doc = tidyCreate();
    for (TidyIterator i = tidyGetOptionList(doc); i;)
        noms << QString::fromUtf8(tidyOptGetName(tidyGetNextOption(doc, &i)));
    tidyRelease(doc);
    return noms;
}

// What is wrong with a text that the list of problems shows, or nothing.
QString Defaut(const QString &texte, const QString &anglais, const QStringList &reglages)
{
    if (texte.isEmpty())
        return "vide";
    if (texte == anglais)
        return "anglais";
    // Names in quotes are the page's own.
    QString horsNoms = texte;
    horsNoms.remove(QRegularExpression("\"[^\"]*\"|«[^»]*»|'\\w+'"));
    for (const QRegularExpressionMatch &mot : QRegularExpression(R"(\p{L}+)").globalMatch(horsNoms))
        if (MotsAnglais.contains(mot.captured().toLower()))
            return "mot anglais « " + mot.captured() + " »";
    for (const QString faute : {"''", "'\"", "\uFFFD", "Ã", "Â"})
        if (texte.contains(faute))
            return "apostrophe doublée ou mauvais encodage « " + faute + " »";
    for (const QRegularExpressionMatch &mot : QRegularExpression(R"([A-Za-z0-9-]+)").globalMatch(texte)) {
        const QString m = mot.captured();
        if (m.compare("option", Qt::CaseInsensitive) == 0 || m.compare("options", Qt::CaseInsensitive) == 0 ||
            (m.contains('-') && reglages.contains(m)))
            return "réglage de Tidy « " + m + " »";
    }
    for (const QString &reglage : reglages)
        if (texte.contains(reglage + ":") || texte.contains("--" + reglage))
            return "réglage de Tidy « " + reglage + " »";
    return {};
}

} // namespace

class TestMessagesTidy : public QObject {
    Q_OBJECT

private slots:
    // The language that the check sets.
    void initTestCase() { tidySetLanguage("fr"); }

    // Every message that Tidy can report on a page, as the list of problems shows it, its arguments being names of
    // elements: French, neither garbled nor telling the user to set one of Tidy's options.
    void catalogue_data()
    {
        QTest::addColumn<unsigned>("code");
        for (TidyIterator i = getErrorCodeList(); i;) {
            const unsigned code = getNextErrorCode(&i);
            if (code > REPORT_MESSAGE_FIRST && code < REPORT_MESSAGE_LAST)
                QTest::newRow(tidyErrorCodeAsKey(code)) << code;
        }
    }

    void catalogue()
    {
        QFETCH(unsigned, code);
        static const QStringList reglages = NomsReglages();
        const std::vector<std::string> arguments = {"<a1>", "<a2>", "<a3>", "<a4>"};
        const std::string_view modele = ModeleMessageTidy(code);
        const QString texte =
            QString::fromStdString(modele.empty() ? tidyLocalizedString(code) : RemplitModele(modele, arguments));
        const QString defaut = Defaut(texte, QString::fromUtf8(tidyDefaultString(code)), reglages);
        QVERIFY2(defaut.isEmpty(), qPrintable(defaut + " : " + texte));
        if (!modele.empty())
            QVERIFY2(!texte.contains('%'), qPrintable(texte));
    }

    void remplissage_data()
    {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("arguments dans un autre ordre") << "%2 dans %1" << QStringList{"<ul>", "<li>"} << "<li> dans <ul>";
        QTest::newRow("argument absent") << "a %1 b %3." << QStringList{"x"} << "a x b .";
        QTest::newRow("signes pour cent ordinaires") << "100 % de %s, %0 et %" << QStringList{"x"} << "100 % de %s, %0 et %";
        QTest::newRow("argument qui contient un renvoi") << "%1 puis %2" << QStringList{"%2", "y"} << "%2 puis y";
    }

    void remplissage()
    {
        QFETCH(QString, modele);
        QFETCH(QStringList, arguments);
        std::vector<std::string> args;
        for (const QString &a : arguments)
            args.push_back(a.toStdString());
        QTEST(QString::fromStdString(RemplitModele(modele.toStdString(), args)), "attendu");
    }
};

QTEST_APPLESS_MAIN(TestMessagesTidy)
#include "tst_messagestidy.moc"
