// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/document/EditHTML.h"

#include "core/document/Couleurs.h"
#include "core/document/CoupeLignes.h"
#include "core/document/GrandDocument.h"
#include "core/texte/CodecFichier.h"
#include "core/texte/NomsHTML.h"
#include "gui/document/Saisie.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscidocument.h>
#include <Qsci/qscilexerhtml.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <QIODevice>

#include <algorithm>
#include <new>

namespace {

// QScintilla's accessible text counts the characters from the start of the text at every caret move and converts
// every inserted text, whether or not a screen reader listens: seconds at the end of a large page. The document
// is offered to assistive tools as a plain editable widget instead.
QAccessibleInterface *AccessibiliteSimple(const QString &classe, QObject *objet)
{
    if (classe == QLatin1String("TEditHTML") && objet->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(objet), QAccessible::EditableText);
    return nullptr;
}

// Room left at the end of the text buffer after a load, so that the first edits do not copy the whole text again.
constexpr std::size_t MargeTampon = 1 << 20;

// The HTML colouring, with the element and attribute names of HTML as pages are written now: QScintilla's own are
// those of HTML 4, and would show a NAV or a DATETIME as unknown.
class ColorationHtml : public QsciLexerHTML {
public:
    using QsciLexerHTML::QsciLexerHTML;

    const char *keywords(int liste) const override
    {
        if (liste != 1)
            return QsciLexerHTML::keywords(liste);
        static const std::string mots = MotsClesHtml();
        return mots.c_str();
    }
};

// A colour of the schemes' tables, as Qt takes it.
QColor Couleur(Rgb rgb)
{
    return QColor::fromRgb(rgb);
}

// The text events that the control asks Scintilla for: those that come before a change cost nothing and tell that
// one comes.
constexpr unsigned long EvenementsTexte =
    QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE;

// The pause in the typing after which the background colouring of a page goes on.
constexpr int PauseColoration = 1000;

} // namespace

TEditHTML::TEditHTML(QWidget *parent)
    : QsciScintilla(parent)
    , lexerHTML(new ColorationHtml(this))
    , repriseColoration(new QTimer(this))
{
    static const bool accessibiliteInstallee = (QAccessible::installFactory(AccessibiliteSimple), true);
    Q_UNUSED(accessibiliteInstallee);
    // QScintilla turns each insertion and deletion into a QString and counts the characters before it, for
    // signals that this program does not use; without these events a keystroke at the end of 100 MB is instant.
    // So textChanged() and linesChanged() are never emitted.
    SendScintilla(SCI_SETMODEVENTMASK, EvenementsTexte);
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this, [this] {
        ++generation;
        SuspendColorationEnFond();
        emit Modifie();
    });
    repriseColoration->setSingleShot(true);
    repriseColoration->setInterval(PauseColoration);
    connect(repriseColoration, &QTimer::timeout, this, [this] {
        SendScintilla(SCI_SETIDLESTYLING, static_cast<unsigned long>(SC_IDLESTYLING_ALL));
        // Scintilla takes its background work up again when it paints.
        viewport()->update();
    });
    // Scintilla's keys that change text where a user expects no change (Ctrl+L cuts the line, Ctrl+Shift+L deletes
    // it, Ctrl+T swaps two lines, Ctrl+D duplicates one, Ctrl+U and Ctrl+Shift+U change the case) are dropped, and
    // so are those that the program's commands take (Shift+Return writes a line break; the clipboard, undo and
    // zoom keys), so that a key reaches the command that the menus show, whatever that command does.
    for (const QKeyCombination combinaison :
         {Qt::CTRL | Qt::Key_L, Qt::CTRL | Qt::SHIFT | Qt::Key_L, Qt::CTRL | Qt::Key_T, Qt::CTRL | Qt::SHIFT | Qt::Key_T,
          Qt::CTRL | Qt::Key_D, Qt::CTRL | Qt::Key_U, Qt::CTRL | Qt::SHIFT | Qt::Key_U, Qt::SHIFT | Qt::Key_Return,
          Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::Key_X,
          Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Delete, Qt::CTRL | Qt::Key_Insert,
          Qt::SHIFT | Qt::Key_Insert, Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Minus, Qt::ALT | Qt::Key_Backspace}) {
        const int touche = combinaison.toCombined();
        while (QsciCommand *commande = standardCommands()->boundTo(touche)) {
            if (commande->key() == touche)
                commande->setKey(0);
            else
                commande->setAlternateKey(0);
        }
    }
    setUtf8(true);
    // A fold ends with its element's last line, not with the blank lines after it.
    lexerHTML->setFoldCompact(false);
    setLexer(lexerHTML);
    // Scintilla itself opens a folded element whose start tag goes, and the lines that the caret reaches: QScintilla
    // would do it on fold events, which would come to the control as changes of the text.
    SendScintilla(SCI_SETAUTOMATICFOLD, static_cast<unsigned long>(SC_AUTOMATICFOLD_SHOW | SC_AUTOMATICFOLD_CHANGE));
    setEolMode(EolUnix);
    setWrapMode(WrapWord);
    setIndentationsUseTabs(true);
    setTabIndents(false);
    setMarginLineNumbers(0, true);
    setMarginWidth(1, 0);
    AdaptePliage(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    AjusteMarge(true);
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int miseAJour) {
        if (miseAJour & SC_UPDATE_CONTENT)
            AjusteMarge();
    });
    periodeCurseur = SendScintilla(SCI_GETCARETPERIOD);
    connect(this, &QsciScintilla::cursorPositionChanged, this, &TEditHTML::AdapteClignotement);
    saisie = new TSaisie(*this);
    AppliqueCouleurs(false);
}

void TEditHTML::FermeBalises(bool oui)
{
    saisie->fermeture = oui;
}

bool TEditHTML::FermeBalises() const
{
    return saisie->fermeture;
}

void TEditHTML::OuvreCompletion()
{
    saisie->OuvreCompletion();
}

bool TEditHTML::AllerABaliseCorrespondante()
{
    return saisie->AllerABaliseCorrespondante();
}

bool TEditHTML::SelectionneElement()
{
    return saisie->SelectionneElement();
}

void TEditHTML::keyPressEvent(QKeyEvent *event)
{
    if (saisie->Touche(*event))
        event->accept();
    else
        QsciScintilla::keyPressEvent(event);
}

std::string TEditHTML::Extrait(std::size_t debut, std::size_t fin) const
{
    const auto longueur = static_cast<std::size_t>(SendScintilla(SCI_GETLENGTH));
    fin = std::min(fin, longueur);
    debut = std::min(debut, fin);
    // The pointer comes back as the message's result, which is as wide as a pointer here.
    const auto *octets = reinterpret_cast<const char *>(
        SendScintilla(SCI_GETRANGEPOINTER, static_cast<unsigned long>(debut), static_cast<long>(fin - debut)));
    return octets ? std::string(octets, fin - debut) : std::string();
}

std::pair<std::size_t, std::size_t> TEditHTML::PlageVisible() const
{
    const QRect vue = viewport()->rect();
    const long debut = SendScintilla(SCI_POSITIONFROMPOINT, 0UL, 0L);
    const long fin = SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(std::max(vue.width(), 0)),
                                   static_cast<long>(vue.height()));
    return {static_cast<std::size_t>(std::max(debut, 0L)), static_cast<std::size_t>(std::max(fin, debut))};
}

std::optional<std::size_t> TEditHTML::PositionSous(const QPoint &point) const
{
    const long position = SendScintilla(SCI_POSITIONFROMPOINTCLOSE, static_cast<unsigned long>(point.x()),
                                        static_cast<long>(point.y()));
    if (position < 0)
        return std::nullopt;
    return static_cast<std::size_t>(position);
}

void TEditHTML::AdapteClignotement()
{
    // Each blink of the caret lays its whole line out again: on a line of hundreds of kilobytes that costs a tenth
    // of a second, over and over while the user only reads. There the caret stays still.
    const long ligne = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(SendScintilla(SCI_GETCURRENTPOS)));
    const bool longue = SendScintilla(SCI_LINELENGTH, static_cast<unsigned long>(ligne)) >
                        static_cast<long>(LongueurMaximaleDeLigne);
    SendScintilla(SCI_SETCARETPERIOD, static_cast<unsigned long>(longue ? 0 : periodeCurseur));
}

void TEditHTML::PrepareDocument(std::size_t taille)
{
    // A text too big ever to be coloured goes into a document without style bytes: a byte of memory less for each
    // of its bytes.
    const long options = taille > TailleMaximaleColoration ? SC_DOCUMENTOPTION_STYLES_NONE : SC_DOCUMENTOPTION_DEFAULT;
    if (SendScintilla(SCI_GETDOCUMENTOPTIONS) == options)
        return;
    // QScintilla makes every document with styles. Its record of the document is this widget's alone and never
    // speaks to Scintilla while the widget shows it, so Scintilla's document is replaced under it.
    auto *document = reinterpret_cast<void *>(SendScintilla(SCI_CREATEDOCUMENT, 0UL, options));
    SendScintilla(SCI_SETDOCPOINTER, 0UL, document);
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, document);
    VerifieMemoire();
    setUtf8(true);
    setIndentationsUseTabs(true);
    QsciLexer *coloration = lexer();
    setLexer(nullptr);
    setLexer(coloration);
    AppliqueStyles();
}

Resultat<FichierCharge, ErreurChargement> TEditHTML::Charge(QIODevice &source)
{
    const auto taille = static_cast<std::size_t>(std::max<qint64>(source.size(), 0));
    // The text is at least the file less its byte-order mark.
    PrepareDocument(taille - std::min<std::size_t>(taille, 3));
    // No undo, and no wrapping while the text arrives: Scintilla would wrap every line of it as it is appended.
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    setWrapMode(WrapNone);
    SendScintilla(SCI_CLEARALL);
    rempli = false;
    // Read, not mapped: a file that another program shortens meanwhile must not bring the program down.
    const SourceFichier fichier{taille,
                                [&](char *bloc, std::size_t longueur) {
                                    return std::int64_t{source.read(bloc, static_cast<qint64>(longueur))};
                                },
                                [&] { return source.seek(0); }};
    const DestinationTexte document{[&](std::size_t longueur) {
                                        SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(longueur + MargeTampon));
                                        VerifieMemoire();
                                    },
                                    [&](std::string_view texte) { Ajoute(texte); },
                                    [&] { SendScintilla(SCI_CLEARALL); }};
    try {
        auto charge = ChargeFichier(fichier, document, TailleMaximale);
        if (!charge)
            SendScintilla(SCI_CLEARALL);
        SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
        SendScintilla(SCI_EMPTYUNDOBUFFER);
        SendScintilla(SCI_SETSAVEPOINT);
        AdapteAffichage(charge ? charge->fin : FinDeLigne::Lf);
        return charge;
    } catch (...) {
        DocumentNeuf();
        throw;
    }
}

void TEditHTML::Ajoute(std::string_view texte)
{
    SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(texte.size()), texte.data());
    VerifieMemoire();
}

void TEditHTML::VerifieMemoire()
{
    // Scintilla keeps a failed allocation to itself and only notes it in its status.
    if (SendScintilla(SCI_GETSTATUS) == SC_STATUS_BADALLOC) {
        SendScintilla(SCI_SETSTATUS, static_cast<unsigned long>(SC_STATUS_OK));
        throw std::bad_alloc();
    }
}

void TEditHTML::DocumentNeuf()
{
    // An allocation that fails half-way can leave Scintilla's buffers inconsistent: the document is dropped for a
    // new, empty one, which also gives its memory back. The new one takes the settings that belong to a document.
    setDocument(QsciDocument());
    setUtf8(true);
    setIndentationsUseTabs(true);
    rempli = false;
    QsciLexer *coloration = lexer();
    setLexer(nullptr);
    setLexer(coloration);
    AppliqueStyles();
    AdapteAffichage(FinDeLigne::Lf);
}

void TEditHTML::Remplit(std::string_view texte, FinDeLigne fin)
{
    PrepareDocument(texte.size());
    setWrapMode(WrapNone);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    try {
        SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(texte.size() + MargeTampon));
        VerifieMemoire();
        Ajoute(texte);
    } catch (...) {
        DocumentNeuf();
        throw;
    }
    // The text is the document's start: nothing to undo, and still to be saved.
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    rempli = true;
    emit modificationChanged(true);
    AdapteAffichage(fin);
}

void TEditHTML::setModified(bool modifie)
{
    // Scintilla can only be told that the text is saved; a text that no longer has its file is marked here.
    rempli = modifie;
    QsciScintilla::setModified(modifie);
    // Scintilla tells only of the save point that it knows.
    emit modificationChanged(isModified());
}

void TEditHTML::RemplaceTout(std::string_view texte)
{
    Remplace(0, static_cast<qsizetype>(Texte().size()), texte);
    Selectionne(0, 0);
}

void TEditHTML::AdaptePliage(bool colore)
{
    // The fold levels come with the colouring: an uncoloured page has no fold margin.
    setFolding(colore ? BoxedTreeFoldStyle : NoFoldStyle, MargePliage);
    ColorePliage();
    // QScintilla asks for the fold events as it sets the margin up; they would come here as changes of the text,
    // and Scintilla opens the folds itself.
    SendScintilla(SCI_SETMODEVENTMASK, EvenementsTexte);
}

void TEditHTML::AdapteAffichage(FinDeLigne fin)
{
    switch (fin) {
    case FinDeLigne::CrLf: setEolMode(EolWindows); break;
    case FinDeLigne::Lf: setEolMode(EolUnix); break;
    case FinDeLigne::Cr: setEolMode(EolMac); break;
    }
    AjusteMarge();
    const std::string_view texte = Texte();
    plusLongueLigne = LongueurPlusLongueLigne(texte);
    const Affichage affichage = AffichagePour(texte.size(), plusLongueLigne);
    setWrapMode(affichage.retourALaLigne ? WrapWord : WrapNone);
    if (affichage.coloration != (lexer() != nullptr)) {
        setLexer(affichage.coloration ? lexerHTML : nullptr);
        AppliqueStyles();
    }
    AdaptePliage(affichage.coloration);
    // The colouring of a page runs in the background once it is shown, before and after what is in view: a jump to
    // the end of a big page no longer waits for everything before it to be coloured. Without colouring, nothing
    // ever styles the text, and Scintilla would ask for it again and again as long as the page is open.
    colorationEnFond = affichage.coloration;
    repriseColoration->stop();
    SendScintilla(SCI_SETIDLESTYLING,
                  static_cast<unsigned long>(affichage.coloration ? SC_IDLESTYLING_ALL : SC_IDLESTYLING_NONE));
    AdapteClignotement();
}

void TEditHTML::SuspendColorationEnFond()
{
    if (!colorationEnFond)
        return;
    // Scintilla still colours in steps what comes into view, as after a jump to the end of the page.
    if (!repriseColoration->isActive())
        SendScintilla(SCI_SETIDLESTYLING, static_cast<unsigned long>(SC_IDLESTYLING_TOVISIBLE));
    repriseColoration->start();
}

bool TEditHTML::CoupeLignesLongues()
{
    const std::string_view texte = Texte();
    const std::optional<std::string> coupe =
        CoupeLignes(texte, TexteFinDeLigne(FinDeLigneDocument()), LongueurMaximaleDeLigne);
    if (!coupe)
        return false;
    Remplace(0, static_cast<qsizetype>(texte.size()), *coupe);
    Selectionne(0, 0);
    AdapteAffichage(FinDeLigneDocument());
    return true;
}

std::string_view TEditHTML::Texte() const
{
    const auto longueur = static_cast<std::size_t>(SendScintilla(SCI_GETLENGTH));
    const auto *octets = static_cast<const char *>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    return {octets, longueur};
}

qsizetype TEditHTML::SelStart() const
{
    return SendScintilla(SCI_GETSELECTIONSTART);
}

qsizetype TEditHTML::SelLength() const
{
    return SendScintilla(SCI_GETSELECTIONEND) - SendScintilla(SCI_GETSELECTIONSTART);
}

void TEditHTML::Selectionne(qsizetype debut, qsizetype longueur)
{
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(debut), static_cast<long>(debut + longueur));
}

void TEditHTML::Remplace(qsizetype debut, qsizetype fin, std::string_view texte)
{
    beginUndoAction();
    SendScintilla(SCI_SETTARGETRANGE, static_cast<unsigned long>(debut), static_cast<long>(fin));
    // An empty view may have no data: Scintilla would read through its null pointer.
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(texte.size()), texte.empty() ? "" : texte.data());
    endUndoAction();
}

FinDeLigne TEditHTML::FinDeLigneDocument() const
{
    switch (eolMode()) {
    case EolWindows: return FinDeLigne::CrLf;
    case EolMac: return FinDeLigne::Cr;
    case EolUnix: break;
    }
    return FinDeLigne::Lf;
}

void TEditHTML::AppliqueFonte(const QFont &nouvelle)
{
    fonte = nouvelle;
    AppliqueStyles();
}

void TEditHTML::AppliqueCouleurs(bool oui)
{
    sombre = oui;
    for (const CouleursStyle &style : CouleursHtml(sombre)) {
        lexerHTML->setColor(Couleur(style.encre), style.style);
        lexerHTML->setPaper(Couleur(style.fond), style.style);
    }
    const CouleursStyle &page = CouleursHtml(sombre).front();
    lexerHTML->setDefaultColor(Couleur(page.encre));
    lexerHTML->setDefaultPaper(Couleur(page.fond));
    const CouleursAutour &autour = CouleursAutourDuTexte(sombre);
    setCaretForegroundColor(Couleur(autour.curseur));
    setSelectionForegroundColor(Couleur(autour.texteSelection));
    setSelectionBackgroundColor(Couleur(autour.selection));
    setFoldMarginColors(Couleur(autour.pliage), Couleur(autour.pliage));
    saisie->CouleurElement(Couleur(autour.balisesAssociees));
    AppliqueStyles();
    ColorePliage();
}

void TEditHTML::AppliqueStyles()
{
    lexerHTML->setDefaultFont(fonte);
    lexerHTML->setFont(fonte);
    // The space after the text, and every style of a page without colouring, take the default style's colours.
    const CouleursStyle &page = CouleursHtml(sombre).front();
    SendScintilla(SCI_STYLESETFORE, static_cast<unsigned long>(STYLE_DEFAULT), Couleur(page.encre));
    SendScintilla(SCI_STYLESETBACK, static_cast<unsigned long>(STYLE_DEFAULT), Couleur(page.fond));
    if (!lexer()) {
        setFont(fonte);
        SendScintilla(SCI_STYLECLEARALL);
    }
    const CouleursAutour &autour = CouleursAutourDuTexte(sombre);
    setMarginsForegroundColor(Couleur(autour.numeros));
    setMarginsBackgroundColor(Couleur(autour.marge));
    setMarginsFont(fonte);
    AjusteMarge(true);
}

void TEditHTML::ColorePliage()
{
    const CouleursAutour &autour = CouleursAutourDuTexte(sombre);
    for (unsigned long marqueur = SC_MARKNUM_FOLDEREND; marqueur <= SC_MARKNUM_FOLDEROPEN; ++marqueur) {
        SendScintilla(SCI_MARKERSETFORE, marqueur, Couleur(autour.interieurPliage));
        SendScintilla(SCI_MARKERSETBACK, marqueur, Couleur(autour.traitPliage));
    }
}

void TEditHTML::AjusteMarge(bool toujours)
{
    const auto chiffres = QString::number(lines()).size();
    if (chiffres == chiffresMarge && !toujours)
        return;
    chiffresMarge = chiffres;
    setMarginWidth(0, QString(chiffres + 1, u'9'));
}

void TEditHTML::contextMenuEvent(QContextMenuEvent *event)
{
    emit MenuContextuelDemande(event->globalPos());
}

void TEditHTML::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->ignore();
    else
        QsciScintilla::dragEnterEvent(event);
}

void TEditHTML::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->ignore();
    else
        QsciScintilla::dragMoveEvent(event);
}

void TEditHTML::dropEvent(QDropEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->ignore();
    else
        QsciScintilla::dropEvent(event);
}
