#include "gui/app/Application.h"

#include <QStyle>
#include <QtTest>

// Started as a user would start it, with arguments that Qt would take for its own options.
class TstApplication : public QObject {
    Q_OBJECT

public:
    explicit TstApplication(const TApplication &application)
        : application(application)
    {
    }

private slots:
    void chaqueArgumentEstUnNomDeFichier()
    {
        QCOMPARE(application.Arguments(), (QStringList{"-reverse", "-style", "windows", "ma page.htm", "été.dsk"}));
        QCOMPARE(QApplication::arguments().size(), 1);
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
        QVERIFY(QApplication::style()->name().compare("windows", Qt::CaseInsensitive) != 0);
        // Qt's environment variables still apply: the test runs on the platform that QT_QPA_PLATFORM names.
        QCOMPARE(QGuiApplication::platformName(), qEnvironmentVariable("QT_QPA_PLATFORM"));
    }

private:
    const TApplication &application;
};

int main(int, char *argv[])
{
    QByteArray arguments[] = {"-reverse", "-style", "windows", "ma page.htm", "été.dsk"};
    char *ligne[] = {argv[0], arguments[0].data(), arguments[1].data(), arguments[2].data(),
                     arguments[3].data(), arguments[4].data(), nullptr};
    TApplication application(6, ligne);
    TstApplication test(application);
    return QTest::qExec(&test);
}

#include "tst_application.moc"
