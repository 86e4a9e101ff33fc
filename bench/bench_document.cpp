// SPDX-License-Identifier: GPL-3.0-or-later
// How long a real document window takes on large pages: opening and first paint, saving, going to the end, typing
// at the end of a very long line, the keys that the writing aids answer, replacing every occurrence of a text. The
// window is driven offscreen through the frame, as a user would drive it.
//
//   ./bench_document                                  every measure
//   ./bench_document --benchmark_filter=Ouverture     some of them
//   BALIZO_APERCU=1 ./bench_document                  with the live preview shown beside the pages
//
// The pages are generated at start-up in a temporary folder, always the same (fixed seed).

#include "UtilisateurScripte.h"
#include "gui/app/MDIHtml.h"
#include "gui/dialogs/DlgRemplacer.h"
#include "gui/document/WndHTML.h"
#include "gui/verification/PanneauProblemes.h"
#include "gui/verification/Verification.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>

namespace {

constexpr std::size_t Mo = 1024 * 1024;

// --- Memory of the process ------------------------------------------------------------------------------------

// A field of /proc/self/status, in bytes; 0 when the system has none.
std::size_t Statut(const char *champ)
{
    std::ifstream statut("/proc/self/status");
    std::string ligne;
    const std::string prefixe = std::string(champ) + ':';
    while (std::getline(statut, ligne)) {
        if (ligne.compare(0, prefixe.size(), prefixe) == 0)
            return std::stoull(ligne.substr(prefixe.size())) * 1024;
    }
    return 0;
}

// Starts a new peak at the current resident size, so that each measure has a peak of its own. Where the kernel
// refuses, the peak stays the process's since its start, which is why the 100 Mo page is opened first.
void RemetLePicAZero()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << '5';
}

// --- Generated pages ------------------------------------------------------------------------------------------

// Hand-written HTML as found on personal and association sites: French text with its accents, entities, links,
// tables and lists, one element per line.
class Generateur {
public:
    explicit Generateur(unsigned graine) : alea(graine) {}

    // Appends one element, without line end.
    void Element(std::string &sortie)
    {
        const int tirage = Entre(0, 99);
        if (tirage < 2) {
            sortie += "<h1>";
            Phrase(sortie, 3, 7);
            sortie += "</h1>";
        } else if (tirage < 8) {
            sortie += Entre(0, 1) ? "<h2>" : "<h3 class=\"sous-titre\">";
            Phrase(sortie, 2, 8);
            sortie += Entre(0, 1) ? "</h2>" : "</h3>";
        } else if (tirage < 45) {
            sortie += Entre(0, 3) ? "<p>" : "<p align=\"justify\">";
            const int phrases = Entre(1, 5);
            for (int i = 0; i < phrases; ++i) {
                if (i)
                    sortie += ' ';
                Phrase(sortie, 6, 22);
            }
            sortie += "</p>";
        } else if (tirage < 55) {
            sortie += "<p>";
            Phrase(sortie, 3, 9);
            sortie += ' ';
            Lien(sortie);
            sortie += ".</p>";
        } else if (tirage < 70) {
            sortie += "<li>";
            if (Entre(0, 2) == 0)
                Lien(sortie);
            else
                Phrase(sortie, 2, 12);
            sortie += "</li>";
        } else if (tirage < 73) {
            sortie += Entre(0, 1) ? "<ul>" : "</ul>";
        } else if (tirage < 88) {
            sortie += "<tr><td>";
            Phrase(sortie, 1, 4);
            sortie += "</td><td align=\"right\">";
            sortie += std::to_string(Entre(1, 999)) + ',' + std::to_string(Entre(10, 99));
            sortie += "&nbsp;&euro;</td><td>";
            Phrase(sortie, 2, 6);
            sortie += "</td></tr>";
        } else if (tirage < 90) {
            sortie += Entre(0, 1) ? "<table border=\"1\" cellpadding=\"4\" width=\"100%\">" : "</table>";
        } else if (tirage < 93) {
            sortie += "<img src=\"images/photo-" + std::to_string(Entre(1, 500)) + ".jpg\" width=\"" +
                      std::to_string(Entre(100, 640)) + "\" height=\"" + std::to_string(Entre(80, 480)) +
                      "\" alt=\"";
            Phrase(sortie, 2, 5);
            sortie += "\">";
        } else if (tirage < 95) {
            sortie += "<!-- ";
            Phrase(sortie, 2, 6);
            sortie += " -->";
        } else if (tirage < 97) {
            sortie += "<br>";
        } else {
            sortie += "<hr>";
        }
    }

private:
    int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(alea); }

    template <std::size_t N>
    const char *Un(const char *const (&liste)[N])
    {
        return liste[Entre(0, static_cast<int>(N) - 1)];
    }

    void Phrase(std::string &sortie, int minimum, int maximum)
    {
        static const char *const mots[] = {
            "le", "la", "les", "de", "des", "du", "un", "une", "et", "pour", "dans", "sur", "avec", "par", "en",
            "au", "aux", "qui", "que", "est", "sont", "nous", "vous", "ils", "ce", "cette", "plus", "très", "été",
            "élève", "école", "château", "forêt", "français", "à", "où", "déjà", "garçon", "Noël", "naïf", "cœur",
            "œuvre", "résumé", "fenêtre", "hôpital", "théâtre", "île", "première", "bibliothèque", "mère", "après",
            "voilà", "ça", "réunion", "écrire", "modèle", "qualité", "société", "maison", "jardin", "ville", "page",
            "texte", "travail", "année", "jour", "soirée", "fête", "début", "région", "rivière", "coûteux", "âge",
            "numéro", "adhérent", "association", "assemblée", "générale", "été", "inscription", "Ardèche", "Lyon",
            "Besançon", "Orléans", "Genève", "aujourd'hui", "l'église", "d'été", "tarif", "réduit", "enfants",
            "randonnée", "départ", "arrivée", "kilomètres", "dénivelé", "repas", "tiré", "sac", "prévu", "nôtre",
        };
        static const char *const entites[] = {"&nbsp;", "&amp;", "&eacute;", "&laquo;", "&raquo;", "&lt;",
                                              "&gt;", "&euro;", "&copy;", "&agrave;", "&ccedil;", "&quot;"};
        const int nombre = Entre(minimum, maximum);
        for (int i = 0; i < nombre; ++i) {
            if (i)
                sortie += ' ';
            const int tirage = Entre(0, 39);
            if (tirage == 0) {
                sortie += Un(entites);
            } else if (tirage == 1) {
                sortie += "<b>";
                sortie += Un(mots);
                sortie += "</b>";
            } else if (tirage == 2) {
                sortie += "<i>";
                sortie += Un(mots);
                sortie += "</i>";
            } else {
                std::string mot = Un(mots);
                if (i == 0 && mot[0] >= 'a' && mot[0] <= 'z')
                    mot[0] = static_cast<char>(mot[0] - 'a' + 'A');
                sortie += mot;
            }
        }
        sortie += Entre(0, 5) ? "." : " ?";
    }

    void Lien(std::string &sortie)
    {
        static const char *const sites[] = {"https://www.exemple.fr", "http://perso.exemple.org/~michel",
                                            "https://association-des-randonneurs.fr", "page"};
        sortie += "<a href=\"";
        sortie += Un(sites);
        sortie += "/rubrique-" + std::to_string(Entre(1, 80)) + "/article" + std::to_string(Entre(1, 5000)) +
                  ".html\" title=\"";
        Phrase(sortie, 2, 5);
        sortie += Entre(0, 2) ? "\">" : "\" target=\"_blank\">";
        Phrase(sortie, 1, 4);
        sortie += "</a>";
    }

    std::mt19937 alea;
};

// UTF-8 text as Windows-1252: Latin-1 byte for byte, and the few characters of the generator above 0xFF.
std::string EnWindows1252(const std::string &utf8)
{
    std::string sortie;
    sortie.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            sortie += static_cast<char>(c);
            ++i;
            continue;
        }
        char32_t point;
        if ((c & 0xE0) == 0xC0) {
            point = (c & 0x1F) << 6 | (utf8[i + 1] & 0x3F);
            i += 2;
        } else {
            point = (c & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
            i += 3;
        }
        switch (point) {
        case U'œ': sortie += '\x9C'; break;
        case U'Œ': sortie += '\x8C'; break;
        case U'€': sortie += '\x80'; break;
        case U'’': sortie += '\x92'; break;
        default: sortie += static_cast<char>(point <= 0xFF ? point : '?');
        }
    }
    return sortie;
}

enum class Forme { Lignes, UneLigne, Windows1252 };

// Writes a page of at least `taille` bytes: one element per CR LF line, or all on one line (minified).
void EcritPage(const QString &chemin, std::size_t taille, Forme forme, unsigned graine)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        qFatal("Ne peut créer %s", qPrintable(chemin));
    Generateur generateur(graine);
    const char *const fin = forme == Forme::UneLigne ? "" : "\r\n";
    std::string morceau = std::string("<html><head><meta name=\"author\" content=\"Générateur\">") + fin +
                          "<title>Page de démonstration</title></head>" + fin + "<body bgcolor=\"#FFFFFF\">" + fin;
    std::size_t ecrit = 0;
    auto vide = [&] {
        const std::string octets = forme == Forme::Windows1252 ? EnWindows1252(morceau) : morceau;
        fichier.write(octets.data(), static_cast<qint64>(octets.size()));
        ecrit += octets.size();
        morceau.clear();
    };
    while (ecrit + morceau.size() < taille) {
        generateur.Element(morceau);
        morceau += fin;
        if (morceau.size() >= Mo)
            vide();
    }
    morceau += std::string("</body></html>") + fin;
    vide();
}

// Writes a list of that many short lines, each about 35 bytes.
void EcritLignesCourtes(const QString &chemin, int lignes)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        qFatal("Ne peut créer %s", qPrintable(chemin));
    std::string texte;
    for (int i = 0; i < lignes; ++i)
        texte += "<li>Élément numéro " + std::to_string(i) + " de la liste</li>\r\n";
    fichier.write(texte.data(), static_cast<qint64>(texte.size()));
}

struct Pages {
    QString grande;       // 100 Mo of lines
    QString uneLigne;     // 5 Mo, not a single line end
    QString moyenne;      // 5 Mo of lines
    QString windows1252;  // 20 Mo of lines, not valid UTF-8
    QString coloree;      // 10 Mo of lines
    QString courte;       // 1 Mo of 30,000 short lines
};

// --- The window under measure ---------------------------------------------------------------------------------

// Counts the paints of a widget, to make sure that a measure did paint.
class CompteurDePeintures : public QObject {
public:
    int peintures = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++peintures;
        return false;
    }
};

// The scripted user, who also notes when the question about long lines comes.
class UtilisateurChronometre : public UtilisateurScripte {
public:
    std::chrono::steady_clock::time_point question;
    bool CoupeLignesLongues(QWidget *parent, const QString &texte) override
    {
        question = std::chrono::steady_clock::now();
        return UtilisateurScripte::CoupeLignesLongues(parent, texte);
    }
};

struct Session {
    QTemporaryDir dossier;
    Pages pages;
    std::unique_ptr<TMDIHtml> frame;
    UtilisateurChronometre *script = nullptr;
    QPointer<TWndHTML> fenetre;
    QString fichierOuvert;
    CompteurDePeintures compteur;
};

Session *session = nullptr;

void Traite()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Closes every document window and waits until they are destroyed, so that a measure neither pays for the
// previous document's destruction nor counts its memory.
void FermeTout()
{
    QList<QPointer<TWndHTML>> fenetres;
    for (TWndHTML *w : session->frame->Fenetres()) {
        w->EditHTML->setModified(false);
        fenetres << w;
    }
    session->frame->FenetresFermerTout();
    // A closed window is only deleted later, and its frame after it.
    auto vivante = [](const QPointer<TWndHTML> &w) { return !w.isNull(); };
    for (int tour = 0; tour < 100 && std::any_of(fenetres.begin(), fenetres.end(), vivante); ++tour)
        Traite();
    Traite();
    // Hands the freed heap back to the system: otherwise the next document reuses it without raising the resident
    // size, and its peak would read as nothing.
    malloc_trim(0);
    session->fenetre = nullptr;
    session->fichierOuvert.clear();
}

// Paints the editor's visible part now, as the screen would show it.
void Peint(TWndHTML *w)
{
    QCoreApplication::processEvents();
    w->EditHTML->viewport()->repaint();
    QCoreApplication::processEvents();
}

// Opens the file through the frame as the "Ouvrir" command does, and paints it.
TWndHTML *Ouvre(const QString &chemin)
{
    session->script->fichiers << chemin;
    session->frame->FileOpen();
    TWndHTML *w = session->frame->FenetreActive();
    if (!w)
        return nullptr;
    w->EditHTML->viewport()->installEventFilter(&session->compteur);
    Peint(w);
    session->fenetre = w;
    session->fichierOuvert = chemin;
    return w;
}

// The window holding that file, opened outside the clock when it is not the one already open.
TWndHTML *Fenetre(const QString &chemin)
{
    if (session->fenetre && session->fichierOuvert == chemin)
        return session->fenetre;
    FermeTout();
    return Ouvre(chemin);
}

using Horloge = std::chrono::steady_clock;

double Secondes(Horloge::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// --- Measures -------------------------------------------------------------------------------------------------

// Open and first paint, with the memory that it takes at its peak relative to the file's size.
void MesureOuverture(benchmark::State &state, const QString &chemin, Encodage encodage, bool couper = false)
{
    const double taille = static_cast<double>(QFileInfo(chemin).size());
    double picRelatif = 0;
    double question = 0;
    for (auto _ : state) {
        FermeTout();
        // The answer to the question about long lines, if it comes.
        session->script->couper = {couper};
        const std::size_t avant = Statut("VmRSS");
        RemetLePicAZero();
        const int peinturesAvant = session->compteur.peintures;
        const auto debut = Horloge::now();
        TWndHTML *w = Ouvre(chemin);
        const auto fin = Horloge::now();
        if (!w || w->EditHTML->Texte().empty() || w->EncodageFichier() != encodage) {
            state.SkipWithError("le fichier ne s'est pas ouvert comme prévu");
            break;
        }
        if (session->compteur.peintures == peinturesAvant) {
            state.SkipWithError("l'éditeur n'a pas été peint");
            break;
        }
        state.SetIterationTime(Secondes(fin - debut));
        if (session->script->question > debut)
            question = std::max(question, Secondes(session->script->question - debut));
        const std::size_t pic = Statut("VmHWM");
        const double relatif = (static_cast<double>(pic) - static_cast<double>(avant)) / taille;
        picRelatif = std::max(picRelatif, relatif);
    }
    state.counters["Mo"] = taille / Mo;
    state.counters["pic/taille"] = picRelatif;
    // The slowest wait for the question about long lines, when it came.
    if (question > 0)
        state.counters["question_ms"] = question * 1000;
    state.SetBytesProcessed(static_cast<int64_t>(taille) * state.iterations());
}

void BM_Ouverture100Mo(benchmark::State &state)
{
    MesureOuverture(state, session->pages.grande, Encodage::Utf8);
}

void BM_Enregistrement100Mo(benchmark::State &state)
{
    TWndHTML *w = Fenetre(session->pages.grande);
    for (auto _ : state) {
        // One character typed at the top of the page, so that the save really writes.
        w->EditHTML->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, 0UL, "x");
        const auto debut = Horloge::now();
        const bool ecrit = w->FileSave();
        const auto fin = Horloge::now();
        if (!ecrit || w->EditHTML->isModified()) {
            state.SkipWithError("l'enregistrement a échoué");
            break;
        }
        state.SetIterationTime(Secondes(fin - debut));
    }
    state.counters["Mo"] = static_cast<double>(QFileInfo(session->pages.grande).size()) / Mo;
}

// The caret to the end of a page and the paint that shows its last line: right after the page is shown, or once
// the background colouring of the page has reached its end (the time that took is given as coloration_ms).
void MesureAllerALaFin(benchmark::State &state, const QString &chemin, bool apresColoration)
{
    double coloration = 0;
    for (auto _ : state) {
        FermeTout();
        TWndHTML *w = Fenetre(chemin);
        TEditHTML *edit = w->EditHTML;
        Peint(w);
        if (apresColoration) {
            const auto debutColoration = Horloge::now();
            while (edit->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED) <
                   edit->SendScintilla(QsciScintillaBase::SCI_GETLENGTH)) {
                if (Horloge::now() - debutColoration > std::chrono::seconds(30)) {
                    state.SkipWithError("la coloration ne s'achève pas");
                    return;
                }
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            }
            coloration = std::max(coloration, Secondes(Horloge::now() - debutColoration));
        }
        const auto debut = Horloge::now();
        edit->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
        Peint(w);
        const auto fin = Horloge::now();
        const long derniere = edit->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT) - 1;
        const long premiereVisible = edit->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE);
        const long visibles = edit->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN);
        if (derniere < premiereVisible || derniere > premiereVisible + visibles) {
            state.SkipWithError("la dernière ligne n'est pas à l'écran");
            break;
        }
        state.SetIterationTime(Secondes(fin - debut));
    }
    if (apresColoration)
        state.counters["coloration_ms"] = coloration * 1000;
}

void BM_AllerALaFin100Mo(benchmark::State &state)
{
    MesureAllerALaFin(state, session->pages.grande, false);
}

// A page small enough to be coloured; argument 1: once its colouring has run in the background.
void BM_AllerALaFinColoree10Mo(benchmark::State &state)
{
    MesureAllerALaFin(state, session->pages.coloree, state.range(0) != 0);
}

// "Vérifier la page" on the coloured page, its spelling on: from the command to the problems listed and marked in
// the text; and the longest stop of the interface meanwhile (arret_max_ms), the command's own part included.
void BM_VerifierPage10Mo(benchmark::State &state)
{
    TWndHTML *w = Fenetre(session->pages.coloree);
    TVerification &verification = session->frame->Verification();
    verification.ActiveOrthographe(true);
    double problemes = 0;
    double arretMaximal = 0;
    for (auto _ : state) {
        bool termine = false;
        const QMetaObject::Connection fin = QObject::connect(&verification, &TVerification::Message,
                                                             [&](const QString &message) {
                                                                 termine = message.contains(u"problème");
                                                             });
        const auto debut = Horloge::now();
        session->frame->VerifierLaPage();
        arretMaximal = std::max(arretMaximal, Secondes(Horloge::now() - debut));
        while (!termine && Horloge::now() - debut < std::chrono::minutes(2)) {
            const auto tour = Horloge::now();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            arretMaximal = std::max(arretMaximal, Secondes(Horloge::now() - tour));
        }
        Peint(w);
        const auto finMesure = Horloge::now();
        QObject::disconnect(fin);
        if (!termine) {
            state.SkipWithError("la vérification ne s'achève pas");
            break;
        }
        state.SetIterationTime(Secondes(finMesure - debut));
        problemes = static_cast<double>(session->frame->Problemes().Problemes(w).size());
    }
    state.counters["problemes"] = problemes;
    state.counters["arret_max_ms"] = arretMaximal * 1000;
    verification.ActiveOrthographe(false);
}

void BM_OuvertureUneLigne5Mo(benchmark::State &state)
{
    MesureOuverture(state, session->pages.uneLigne, Encodage::Utf8);
}

// The same page, its long line cut as the user asks when it opens.
void BM_OuvertureUneLigne5MoCoupee(benchmark::State &state)
{
    MesureOuverture(state, session->pages.uneLigne, Encodage::Utf8, true);
}

// A character typed at the end of the page, and the paint that shows it.
// `apres` runs after each measured keystroke.
void MesureFrappeALaFin(benchmark::State &state, const QString &chemin, const std::function<void()> &apres = {})
{
    TWndHTML *w = Fenetre(chemin);
    TEditHTML *edit = w->EditHTML;
    for (auto _ : state) {
        const long longueur = edit->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        if (edit->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS) != longueur) {
            edit->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
            Peint(w);
        }
        const auto debut = Horloge::now();
        QTest::keyClick(edit, Qt::Key_E);
        Peint(w);
        const auto fin = Horloge::now();
        if (edit->SendScintilla(QsciScintillaBase::SCI_GETLENGTH) != longueur + 1) {
            state.SkipWithError("la frappe n'a pas été prise");
            break;
        }
        state.SetIterationTime(Secondes(fin - debut));
        if (apres)
            apres();
    }
}

// Not among the targets, but typing at the end of a large page shows what each insertion costs in proportion to
// the text before the caret.
void BM_FrappeFin100Mo(benchmark::State &state)
{
    session->frame->Verification().ActiveOrthographe(false);
    MesureFrappeALaFin(state, session->pages.grande);
}

// The same with the spelling of the words in view checked after each keystroke: besides the keystroke, the
// longest stop of the interface while the check runs and its marks are laid (arret_max_ms).
void BM_FrappeFin100MoOrthographe(benchmark::State &state)
{
    session->frame->Verification().ActiveOrthographe(true);
    if (!session->frame->Verification().OrthographeActive()) {
        state.SkipWithError("aucun dictionnaire");
        return;
    }
    double arretMaximal = 0;
    MesureFrappeALaFin(state, session->pages.grande, [&] {
        // Long enough for the pause before the check, the check and its marks.
        const auto attente = Horloge::now();
        while (Horloge::now() - attente < std::chrono::milliseconds(600)) {
            const auto tour = Horloge::now();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            arretMaximal = std::max(arretMaximal, Secondes(Horloge::now() - tour));
        }
    });
    state.counters["arret_max_ms"] = arretMaximal * 1000;
    session->frame->Verification().ActiveOrthographe(false);
}

// The same while the page's journal is written: each keystroke is measured as the journal of the previous one is
// being written, off the interface thread; the longest stop of the interface while waiting for it (the copy of the
// text) is counted apart.
void BM_FrappeFin100MoJournal(benchmark::State &state)
{
    TWndHTML *w = Fenetre(session->pages.grande);
    TEditHTML *edit = w->EditHTML;
    const QDir recuperation(session->dossier.filePath(QStringLiteral("recuperation")));
    double arretMaximal = 0;
    for (auto _ : state) {
        edit->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
        Peint(w);
        const auto debut = Horloge::now();
        QTest::keyClick(edit, Qt::Key_E);
        Peint(w);
        state.SetIterationTime(Secondes(Horloge::now() - debut));
        // The journal comes two seconds after the keystroke; its write starts then.
        const auto attente = Horloge::now();
        while (Secondes(Horloge::now() - attente) < 2.5) {
            const auto tour = Horloge::now();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            arretMaximal = std::max(arretMaximal, Secondes(Horloge::now() - tour));
        }
    }
    state.counters["arret_max_ms"] = arretMaximal * 1000;
    if (recuperation.entryList({QStringLiteral("*.journal")}, QDir::Files).isEmpty())
        state.SkipWithError("aucun journal écrit");
}

void BM_FrappeFinUneLigne5Mo(benchmark::State &state)
{
    MesureFrappeALaFin(state, session->pages.uneLigne);
}

void BM_FrappeFinUneLigne5MoCoupee(benchmark::State &state)
{
    FermeTout();
    session->script->couper = {true};
    Ouvre(session->pages.uneLigne);
    MesureFrappeALaFin(state, session->pages.uneLigne);
    // The next measures open the page as it is.
    FermeTout();
}

void BM_FrappeFinLignes5Mo(benchmark::State &state)
{
    MesureFrappeALaFin(state, session->pages.moyenne);
}

// A key typed with every writing aid on, and the paint that shows it: first `devant` is put before the caret (outside
// the clock, as text that no aid sees), then the key is typed; the aids must write `ecrit` bytes after the key, and
// open a list or not. The caret stands at the end of the page, or in its middle in a paragraph's text; what was
// written is taken away after each measure.
void MesureEcriture(benchmark::State &state, TWndHTML *w, bool milieu, std::string_view devant, char touche,
                    long ecrit, bool liste)
{
    TEditHTML *edit = w->EditHTML;
    edit->FermeBalises(true);
    const std::string_view texte = edit->Texte();
    const std::size_t paragraphe = milieu ? texte.find("</p>", texte.size() / 2) : texte.size();
    if (paragraphe == std::string_view::npos) {
        state.SkipWithError("aucun paragraphe au milieu de la page");
        return;
    }
    const auto position = static_cast<qsizetype>(paragraphe);
    const auto longueurDevant = static_cast<qsizetype>(devant.size());
    for (auto _ : state) {
        const long longueur = edit->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        edit->Remplace(position, position, devant);
        edit->Selectionne(position + longueurDevant, 0);
        edit->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
        Peint(w);
        const auto debut = Horloge::now();
        QTest::keyClick(edit, touche);
        Peint(w);
        const auto fin = Horloge::now();
        const bool ouverte = edit->SendScintilla(QsciScintillaBase::SCI_AUTOCACTIVE) != 0;
        const long ajout = edit->SendScintilla(QsciScintillaBase::SCI_GETLENGTH) - longueur - longueurDevant;
        edit->SendScintilla(QsciScintillaBase::SCI_AUTOCCANCEL);
        edit->Remplace(position, position + longueurDevant + ajout, "");
        if (ajout != 1 + ecrit || ouverte != liste) {
            state.SkipWithError("les aides n'ont pas écrit ce qu'elles devaient");
            break;
        }
        state.SetIterationTime(Secondes(fin - debut));
    }
}

// At the end of the 100 Mo page (uncoloured: no list opens there), or in the middle of the 5 Mo one-line page cut
// as the user asks when it opens (coloured); argument 0: a '>' that ends a start tag, 1: a '/' after '<', 2: a
// letter after '<', and 3: a letter in the text, which no aid answers, to compare with.
void MesureEcritures(benchmark::State &state, TWndHTML *w, bool milieu, bool colore)
{
    switch (state.range(0)) {
    case 0: MesureEcriture(state, w, milieu, "<b", '>', 4, false); break;
    case 1: MesureEcriture(state, w, milieu, "<ul><li>x<", '/', 3, false); break;
    case 2: MesureEcriture(state, w, milieu, "<", 'd', 0, colore); break;
    default: MesureEcriture(state, w, milieu, " ", 'd', 0, false);
    }
}

void BM_EcritureFin100Mo(benchmark::State &state)
{
    MesureEcritures(state, Fenetre(session->pages.grande), false, false);
}

void BM_EcritureMilieuUneLigne5MoCoupee(benchmark::State &state)
{
    FermeTout();
    session->script->couper = {true};
    MesureEcritures(state, Ouvre(session->pages.uneLigne), true, true);
    FermeTout();
}

// Every occurrence replaced as the user clicks "Remplacer &tout" in the replace dialog, and the paint that shows the
// page; the memory that it takes at its peak, and the "&Défaire" that gives the page back, are counted apart.
void MesureRemplacerTout(benchmark::State &state, const QString &cherche, const QString &remplacement,
                         bool expression, const QString &page)
{
    TWndHTML *w = Fenetre(page);
    TDlgRemplacer &dialogue = session->frame->DlgRemplacer();
    dialogue.findChild<QLineEdit *>("Texte")->setText(cherche);
    dialogue.findChild<QLineEdit *>("Remplacement")->setText(remplacement);
    dialogue.findChild<QCheckBox *>("Expression")->setChecked(expression);
    QPushButton *tout = dialogue.findChild<QPushButton *>("RemplacerTout");
    double remplacements = 0;
    double picMo = 0;
    double defaire = 0;
    for (auto _ : state) {
        const std::size_t longueur = w->EditHTML->Texte().size();
        session->script->erreurs.clear();
        const std::size_t avant = Statut("VmRSS");
        RemetLePicAZero();
        const auto debut = Horloge::now();
        tout->click();
        Peint(w);
        const auto fin = Horloge::now();
        picMo = std::max(picMo, (static_cast<double>(Statut("VmHWM")) - static_cast<double>(avant)) / Mo);
        // "Remplacer|N remplacements."
        remplacements = session->script->erreurs.value(0).section(u'|', 1).section(u' ', 0, 0).toDouble();
        if (remplacements == 0) {
            state.SkipWithError("aucun remplacement");
            break;
        }
        state.SetIterationTime(Secondes(fin - debut));
        const auto avantDefaire = Horloge::now();
        session->frame->EditionDefaire();
        Peint(w);
        defaire = std::max(defaire, Secondes(Horloge::now() - avantDefaire));
        if (w->EditHTML->Texte().size() != longueur) {
            state.SkipWithError("« Défaire » n'a pas rendu la page");
            break;
        }
    }
    state.counters["remplacements"] = remplacements;
    state.counters["pic_Mo"] = picMo;
    state.counters["defaire_ms"] = defaire * 1000;
}

// A common word, without regard to case.
void BM_RemplacerTout100Mo(benchmark::State &state)
{
    MesureRemplacerTout(state, QStringLiteral("pour"), QStringLiteral("afin de"), false, session->pages.grande);
}

// An expression with a group, empty in half of the occurrences.
void BM_RemplacerToutExpression100Mo(benchmark::State &state)
{
    MesureRemplacerTout(state, QStringLiteral("<(/?)td\\b"), QStringLiteral("<\\1TD"), true, session->pages.grande);
}

// Every line's start, an empty occurrence, on a page of short lines.
void BM_RemplacerToutDebutsDeLigne1Mo(benchmark::State &state)
{
    MesureRemplacerTout(state, QStringLiteral("^"), QStringLiteral("> "), true, session->pages.courte);
}

// Every line whole, and the empty occurrence at its end.
void BM_RemplacerToutLignes100Mo(benchmark::State &state)
{
    MesureRemplacerTout(state, QStringLiteral(".*"), QStringLiteral("[\\0]"), true, session->pages.grande);
}

// "&Suivant" from the page's start for a word that only its last line holds; without regard to case (argument 0),
// then with it (1).
void BM_Chercher100Mo(benchmark::State &state)
{
    TWndHTML *w = Fenetre(session->pages.grande);
    TEditHTML *edit = w->EditHTML;
    constexpr std::string_view Mot = "Balizotron";
    if (edit->Texte().find(Mot) == std::string_view::npos) {
        const long derniere = edit->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT) - 1;
        const long position =
            edit->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(derniere));
        edit->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, static_cast<unsigned long>(position), "Balizotron ");
    }
    const bool casse = state.range(0) != 0;
    const qsizetype attendue = static_cast<qsizetype>(edit->Texte().find(Mot));
    for (auto _ : state) {
        edit->Selectionne(0, 0);
        const auto debut = Horloge::now();
        const bool trouve =
            w->SelectionneSuivant(casse ? QStringLiteral("Balizotron") : QStringLiteral("baLIZOtron"), casse, false)
                .value_or(false);
        const auto fin = Horloge::now();
        if (!trouve || edit->SelStart() != attendue) {
            state.SkipWithError("le mot n'a pas été trouvé");
            break;
        }
        state.SetIterationTime(Secondes(fin - debut));
    }
}

void BM_OuvertureWindows1252_20Mo(benchmark::State &state)
{
    MesureOuverture(state, session->pages.windows1252, Encodage::Windows1252);
}

} // namespace

// The 100 Mo open runs first, while the process holds nothing else.
BENCHMARK(BM_Ouverture100Mo)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Enregistrement100Mo)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllerALaFin100Mo)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllerALaFinColoree10Mo)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrappeFin100Mo)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrappeFin100MoOrthographe)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrappeFin100MoJournal)->UseManualTime()->Iterations(3)->Repetitions(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemplacerTout100Mo)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemplacerToutExpression100Mo)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemplacerToutDebutsDeLigne1Mo)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemplacerToutLignes100Mo)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Chercher100Mo)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerifierPage10Mo)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OuvertureUneLigne5Mo)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrappeFinUneLigne5Mo)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OuvertureUneLigne5MoCoupee)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrappeFinUneLigne5MoCoupee)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrappeFinLignes5Mo)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EcritureFin100Mo)->DenseRange(0, 3)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EcritureMilieuUneLigne5MoCoupee)
    ->DenseRange(0, 3)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OuvertureWindows1252_20Mo)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    Session etat;
    session = &etat;
    if (!etat.dossier.isValid())
        qFatal("Pas de dossier temporaire");

    QElapsedTimer generation;
    generation.start();
    etat.pages = {etat.dossier.filePath("grande.htm"), etat.dossier.filePath("une-ligne.htm"),
                  etat.dossier.filePath("moyenne.htm"), etat.dossier.filePath("windows-1252.htm"),
                  etat.dossier.filePath("coloree.htm"), etat.dossier.filePath("courte.htm")};
    EcritPage(etat.pages.grande, 100 * Mo, Forme::Lignes, 1);
    EcritPage(etat.pages.uneLigne, 5 * Mo, Forme::UneLigne, 2);
    EcritPage(etat.pages.moyenne, 5 * Mo, Forme::Lignes, 3);
    EcritPage(etat.pages.windows1252, 20 * Mo, Forme::Windows1252, 4);
    EcritPage(etat.pages.coloree, 10 * Mo, Forme::Lignes, 5);
    EcritLignesCourtes(etat.pages.courte, 30'000);
    std::fprintf(stderr, "Pages générées dans %s en %.1f s\n", qPrintable(etat.dossier.path()),
                 generation.elapsed() / 1000.0);

    auto utilisateur = std::make_unique<UtilisateurChronometre>();
    etat.script = utilisateur.get();
    etat.frame = std::make_unique<TMDIHtml>(etat.dossier.filePath("Balizo.ini"), std::move(utilisateur),
                                            QCoreApplication::applicationDirPath() + "/Accents.txt",
                                            etat.dossier.filePath("recuperation"));
    etat.frame->resize(1280, 800);
    etat.frame->show();
    if (qEnvironmentVariableIntValue("BALIZO_APERCU"))
        etat.frame->Action("ApercuEnDirect")->trigger();
    Traite();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    FermeTout();
    etat.frame.reset();
    session = nullptr;
    return 0;
}
