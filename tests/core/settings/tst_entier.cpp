// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/Entier.h"

#include <QtTest>

#include <climits>

class TstEntier : public QObject {
    Q_OBJECT

private slots:
    // -1 is the default.
    void litEntier_data()
    {
        QTest::addColumn<QByteArray>("valeur");
        QTest::addColumn<int>("attendu");
        const std::pair<const char *, int> lignes[] = {
            {"  -7\t", -7}, {"+5", 5}, {"0x0C", 12}, {"0Xff", 255}, {"-2147483648", INT_MIN}, {"", -1}, {"mot", -1},
            {"12abc", -1}, {"+-5", -1}, {"2147483648", -1}, {"0x100000000", -1},
        };
        for (const auto &[valeur, attendu] : lignes)
            QTest::addRow("«%s»", valeur) << QByteArray(valeur) << attendu;
    }

    void litEntier()
    {
        QFETCH(QByteArray, valeur);
        QTEST(LitEntier(valeur.toStdString(), -1), "attendu");
    }
};

QTEST_APPLESS_MAIN(TstEntier)
#include "tst_entier.moc"
