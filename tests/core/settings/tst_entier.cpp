#include "core/settings/Entier.h"

#include <QtTest>

class TstEntier : public QObject {
    Q_OBJECT

private slots:
    void litEntier_data()
    {
        QTest::addColumn<QByteArray>("valeur");
        QTest::addColumn<int>("attendu");
        QTest::newRow("décimal") << QByteArray("12") << 12;
        QTest::newRow("négatif entre espaces") << QByteArray("  -7\t") << -7;
        QTest::newRow("signe plus") << QByteArray("+5") << 5;
        QTest::newRow("hexadécimal 0x0C") << QByteArray("0x0C") << 12;
        QTest::newRow("hexadécimal 0X") << QByteArray("0Xff") << 255;
        QTest::newRow("plus petit entier") << QByteArray("-2147483648") << int(-2147483647 - 1);
        QTest::newRow("vide: défaut") << QByteArray("") << -1;
        QTest::newRow("mot: défaut") << QByteArray("mot") << -1;
        QTest::newRow("chiffres puis lettres: défaut") << QByteArray("12abc") << -1;
        QTest::newRow("0x seul: défaut") << QByteArray("0x") << -1;
        QTest::newRow("signe après 0x: défaut") << QByteArray("0x-1") << -1;
        QTest::newRow("deux signes: défaut") << QByteArray("+-5") << -1;
        QTest::newRow("dépassement décimal: défaut") << QByteArray("2147483648") << -1;
        QTest::newRow("dépassement hexadécimal: défaut") << QByteArray("0x100000000") << -1;
    }

    void litEntier()
    {
        QFETCH(QByteArray, valeur);
        QFETCH(int, attendu);
        QCOMPARE(LitEntier(valeur.toStdString(), -1), attendu);
    }
};

QTEST_APPLESS_MAIN(TstEntier)
#include "tst_entier.moc"
