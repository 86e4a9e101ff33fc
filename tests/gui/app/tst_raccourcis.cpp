#include "CadreDeTest.h"

#include "gui/dialogs/DlgChercher.h"
#include "gui/dialogs/DlgAncreLocale.h"
#include "gui/dialogs/DlgHyperlien.h"
#include "gui/dialogs/DlgImage.h"
#include "gui/dialogs/WndTitre.h"
#include "gui/tagremoval/DlgSupprimer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <optional>

namespace {

// An accelerator: the dialog, the page that must be shown (-1: any), the letter pressed with Alt and the control
// that it reaches.
struct Accelerateur {
    const char *dialogue;
    int page;
    char lettre;
    const char *cible;
};

// Every accelerator of every dialog; the image and title dialogs have none.
constexpr Accelerateur Accelerateurs[] = {
    {"TDlgInsertionHyperlien", 0, 'P', "Protocole"},
    {"TDlgInsertionHyperlien", 0, 'A', "Adresse"},
    {"TDlgInsertionHyperlien", 1, 'A', "AncreLocale"},
    {"TDlgInsertionHyperlien", 2, 'N', "Fichier"},
    {"TDlgInsertionHyperlien", 2, 'A', "Ancre"},
    {"TDlgInsertionHyperlien", -1, 'U', "URL"},
    {"TDlgInsertionHyperlien", -1, 'D', "Description"},
    {"TDlgInsertionHyperlien", -1, 'I', "StyleItalique"},
    {"TDlgInsertionAncreLocale", -1, 'N', "Ancre"},
    {"TDlgChercher", -1, 'R', "Texte"},
    {"TDlgChercher", -1, 'E', "MotEntier"},
    {"TDlgChercher", -1, 'C', "Casse"},
    {"TDlgChercher", -1, 'S', "Suivant"},
    {"TSupprimerForm", -1, 'R', "CbRestaurer"},
    {"TSupprimerForm", -1, 'E', "RbEspace"},
    {"TSupprimerForm", -1, 'T', "RbTab"},
};

// The letter of the text's accelerator, or 0 when it has none.
char Lettre(const QString &texte)
{
    const QKeySequence touche = QKeySequence::mnemonic(texte);
    return touche.isEmpty() ? 0 : char(touche[0].key());
}

} // namespace

class TestRaccourcis : public CadreDeTest {
    Q_OBJECT

    std::unique_ptr<TSupprimerForm> supprimer;

    QDialog *Dialogue(const QString &classe)
    {
        const std::pair<const char *, QDialog *> dialogues[] = {
            {"TDlgInsertionHyperlien", &frame->DlgHyperlien()}, {"TDlgInsertionAncreLocale", &frame->DlgAncreLocale()},
            {"TDlgInsertionImage", &frame->DlgImage()},         {"TDlgInsertionTitre", &frame->DlgTitre()},
            {"TDlgChercher", &frame->DlgChercher()},            {"TSupprimerForm", supprimer.get()},
        };
        for (const auto &[nom, dialogue] : dialogues)
            if (classe == QLatin1String(nom))
                return dialogue;
        return nullptr;
    }

    // Shows the dialog at that page (-1: as it is), in front and active as the user sees it.
    void Montre(QDialog *dialogue, int page)
    {
        if (auto *pages = dialogue->findChild<QTabWidget *>(); pages && page >= 0)
            pages->setCurrentIndex(page);
        dialogue->show();
        dialogue->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialogue));
    }

private slots:
    void init()
    {
        NouveauCadre();
        supprimer = std::make_unique<TSupprimerForm>(frame.get());
    }

    void cleanup()
    {
        supprimer.reset();
        FermeCadre();
    }

    void accelerateur_data()
    {
        QTest::addColumn<QString>("dialogue");
        QTest::addColumn<int>("page");
        QTest::addColumn<char>("lettre");
        QTest::addColumn<QString>("cible");
        for (const Accelerateur &a : Accelerateurs)
            QTest::addRow("%s, page %d: Alt+%c donne %s", a.dialogue, a.page, a.lettre, a.cible)
                << a.dialogue << a.page << a.lettre << a.cible;
    }

    void accelerateur()
    {
        QFETCH(QString, dialogue);
        QFETCH(int, page);
        QFETCH(char, lettre);
        QFETCH(QString, cible);

        QDialog *d = Dialogue(dialogue);
        QVERIFY(d);
        // "Suivant" has nothing to do, and stays disabled, without a search text.
        if (auto *texte = d->findChild<QLineEdit *>("Texte"))
            texte->setText(QStringLiteral("mot"));
        Montre(d, page);
        QWidget *controle = d->findChild<QWidget *>(cible);
        QVERIFY(controle);
        QWidget *focus = controle;
        while (focus->focusProxy())
            focus = focus->focusProxy();
        // The focus starts elsewhere.
        for (QPushButton *bouton : d->findChildren<QPushButton *>())
            if (bouton != controle && bouton->isVisible()) {
                bouton->setFocus();
                break;
            }
        QVERIFY(QApplication::focusWidget() != focus);

        auto *bouton = qobject_cast<QAbstractButton *>(controle);
        const bool coche = bouton && bouton->isChecked();
        std::optional<QSignalSpy> clics;
        if (bouton)
            clics.emplace(bouton, &QAbstractButton::clicked);
        QTest::keyClick(d, Qt::Key(lettre), Qt::AltModifier);
        if (bouton) {
            QTRY_COMPARE(clics->size(), 1);
            QCOMPARE(bouton->isChecked(), bouton->isCheckable() && !coche);
        }
        // A push button is pressed where the focus is; every other control takes the focus.
        if (!bouton || bouton->isCheckable())
            QCOMPARE(QApplication::focusWidget(), focus);
    }

    // On every page of every dialog, no two controls in view share a letter, and each letter is in the table.
    void accelerateursDistinctsEtTousEssayes()
    {
        for (const char *classe : {"TDlgInsertionHyperlien", "TDlgInsertionAncreLocale", "TDlgInsertionImage",
                                   "TDlgInsertionTitre", "TDlgChercher", "TSupprimerForm"}) {
            QDialog *d = Dialogue(QLatin1String(classe));
            const auto *pages = d->findChild<QTabWidget *>();
            for (int page = 0; page < (pages ? pages->count() : 1); ++page) {
                Montre(d, page);
                QMap<char, QString> lettres;
                const auto releve = [&](QWidget *controle, const QString &texte) {
                    const char lettre = Lettre(texte);
                    if (!lettre || !controle->isVisible())
                        return;
                    const QString ou = QStringLiteral("%1, page %2: %3").arg(QLatin1String(classe)).arg(page).arg(texte);
                    QVERIFY2(!lettres.contains(lettre), qPrintable(ou + " et " + lettres.value(lettre)));
                    lettres[lettre] = texte;
                    const bool essaye = std::any_of(std::begin(Accelerateurs), std::end(Accelerateurs), [&](auto &a) {
                        return classe == std::string_view(a.dialogue) && a.lettre == lettre &&
                               (a.page == page || a.page < 0);
                    });
                    QVERIFY2(essaye, qPrintable(ou + " n'est pas dans le tableau"));
                };
                for (QLabel *etiquette : d->findChildren<QLabel *>())
                    releve(etiquette, etiquette->text());
                for (QAbstractButton *bouton : d->findChildren<QAbstractButton *>())
                    releve(bouton, bouton->text());
                if (QTest::currentTestFailed())
                    return;
            }
            d->hide();
        }
    }
};

QTEST_MAIN(TestRaccourcis)
#include "tst_raccourcis.moc"
