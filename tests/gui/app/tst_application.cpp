// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/Application.h"
#include "gui/app/Traductions.h"

#include <QStyle>
#include <QtTest>

// Started as a user would start it, with arguments that Qt would take for its own options: Qt takes none, and its
// environment variables still apply.
class TstApplication : public QObject {
    Q_OBJECT

private slots:
    void qtNePrendAucunArgument()
    {
        QCOMPARE(QApplication::arguments().size(), 1);
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
        QVERIFY(QApplication::style()->name().compare("windows", Qt::CaseInsensitive) != 0);
        QCOMPARE(QGuiApplication::platformName(), qEnvironmentVariable("QT_QPA_PLATFORM"));
    }

    // Qt's own words in French, those that its catalogs leave in English too; French numbers and sizes.
    void enFrancais()
    {
        TraduitEnFrancais(*QCoreApplication::instance());
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Voir dans :"));
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms"),
                 QStringLiteral("Dossier"));
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Autre"), QStringLiteral("Autre"));
        QCOMPARE(QLocale().language(), QLocale::French);
    }
};

int main(int, char *argv[])
{
    char arguments[][12] = {"-reverse", "-style", "windows", "ma page.htm", "été.dsk"};
    char *ligne[] = {argv[0], arguments[0], arguments[1], arguments[2], arguments[3], arguments[4], nullptr};
    TApplication application(ligne);
    TstApplication test;
    return QTest::qExec(&test);
}

#include "tst_application.moc"
