// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "UtilisateurScripte.h"
#include "gui/app/MDIHtml.h"
#include "gui/app/Session.h"
#include "gui/document/WndHTML.h"

#include <QAbstractButton>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

inline QByteArray Lit(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<illisible>");
}

inline void Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(octets), octets.size());
}

inline QByteArray Texte(TWndHTML *w)
{
    const std::string_view t = w->EditHTML->Texte();
    return QByteArray(t.data(), static_cast<qsizetype>(t.size()));
}

// A frame with a scripted user and its settings in a temporary folder, for the tests of the windows.
class CadreDeTest : public QObject {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<TMDIHtml> frame;
    UtilisateurScripte *script = nullptr;

    // Without a recovery folder, the documents keep no journal; without a table of accents, a small one of five rows.
    void NouveauCadre(const QString &recuperation = QString(), const QString &table = QString())
    {
        auto utilisateur = std::make_unique<UtilisateurScripte>();
        script = utilisateur.get();
        if (table.isNull())
            Ecrit(dossier.filePath("Accents.txt"), "&eacute;\t\"é\"\te accent aigu\tO\n"
                                                   "&egrave;\tè\te accent grave\to\n"
                                                   "&Eacute;\tÉ\tE accent aigu\n"
                                                   "&amp;\t&\tet commercial\n"
                                                   "&lt;\t<\tinférieur\n");
        frame = std::make_unique<TMDIHtml>(dossier.filePath("Balizo.ini"), std::move(utilisateur),
                                           table.isNull() ? dossier.filePath("Accents.txt") : table, recuperation);
    }

    // Closes the frame without questions.
    void FermeCadre()
    {
        if (frame) {
            for (TWndHTML *w : frame->Fenetres())
                w->EditHTML->setModified(false);
        }
        frame.reset();
        QFile::remove(dossier.filePath("Balizo.ini"));
    }

    // Writes the file in the temporary folder and returns its path.
    QString Fichier(const QString &nom, const QByteArray &contenu = "<P>")
    {
        const QString chemin = dossier.filePath(nom);
        Ecrit(chemin, contenu);
        return chemin;
    }

    // The next modal dialog: `saisie` fills it in, then the button is clicked, as the user would; the dialog's
    // result is the answer.
    void Repond(std::function<void()> saisie, QAbstractButton *bouton)
    {
        script->executions << [saisie = std::move(saisie), bouton](QDialog &dialogue) {
            saisie();
            bouton->click();
            return dialogue.result();
        };
    }

    // Opens the file through the frame's open command.
    TWndHTML *Ouvre(const QString &chemin)
    {
        script->fichiers << chemin;
        frame->FileOpen();
        return frame->FenetreActive();
    }

    // Writes the page in the temporary folder and opens it.
    TWndHTML *OuvrePage(const QByteArray &octets, const QString &nom = QStringLiteral("page.htm"))
    {
        return Ouvre(Fichier(nom, octets));
    }

    // Shows the frame in front and gives the keyboard to the page.
    void AuClavier(TWndHTML *w)
    {
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        w->EditHTML->setFocus();
    }
};

// The selection as "debut+longueur", in bytes.
inline QString Selection(TWndHTML *w)
{
    return QStringLiteral("%1+%2").arg(w->EditHTML->SelStart()).arg(w->EditHTML->SelLength());
}

inline void Selectionne(TWndHTML *w, const QString &selection)
{
    w->EditHTML->Selectionne(selection.section(u'+', 0, 0).toInt(), selection.section(u'+', 1).toInt());
}
