// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/Bureau.h"

#include <QtTest>

using Noms = std::vector<std::string>;

class TstBureau : public QObject {
    Q_OBJECT

private slots:
    void bureau()
    {
        const Noms noms = {"/home/u/Mes pages/index.htm", " espace devant.htm", "/srv/été/çà.html"};
        QCOMPARE(EcritBureau(noms), std::string("/home/u/Mes pages/index.htm\n espace devant.htm\n/srv/été/çà.html\n"));
        QCOMPARE(LitBureau(EcritBureau(noms)), noms);
        QCOMPARE(LitBureau("\na\r\n\r\nb\nc\rd"), (Noms{"a", "b", "c", "d"}));
        // Ctrl-Z ends the text.
        QCOMPARE(LitBureau("a\nbc\x1A" "d\ne\n"), (Noms{"a", "bc"}));
    }
};

QTEST_APPLESS_MAIN(TstBureau)
#include "tst_bureau.moc"
