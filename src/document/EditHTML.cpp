#include "document/EditHTML.h"

#include "document/GrandDocument.h"

#include <Qsci/qscilexerhtml.h>

#include <QContextMenuEvent>

TEditHTML::TEditHTML(QWidget *parent)
    : QsciScintilla(parent)
    , lexerHTML(new QsciLexerHTML(this))
{
    setUtf8(true);
    setLexer(lexerHTML);
    setEolMode(EolUnix);
    setWrapMode(WrapWord);
    setIndentationsUseTabs(true);
    setTabIndents(false);
    setMarginLineNumbers(0, true);
    setMarginWidth(1, 0);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(this, &QsciScintilla::linesChanged, this, &TEditHTML::AjusteMarge);
    AjusteMarge();
}

Encodage TEditHTML::Charge(std::string_view octets)
{
    const Encodage encodage = DetecteEncodage(octets);
    const std::string_view contenu = Contenu(octets, encodage);

    // The caret and the line positions must not be laid out again for each chunk: undo off, text replaced in one go.
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    SendScintilla(SCI_CLEARALL);
    if (encodage == Encodage::Windows1252) {
        // Decoded chunk by chunk into a buffer sized once, so that no second whole copy of a large file is held.
        SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(LongueurUtf8DeWindows1252(contenu) + 1));
        constexpr std::size_t Morceau = 1 << 20;
        std::string decode;
        for (std::size_t debut = 0; debut < contenu.size(); debut += Morceau) {
            decode.clear();
            DecodeWindows1252(contenu.substr(debut, Morceau), decode);
            SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(decode.size()), decode.data());
        }
    } else {
        SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(contenu.size()), contenu.data());
    }
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETSAVEPOINT);

    const std::string_view texte = Texte();
    switch (DetecteFinDeLigne(texte)) {
    case FinDeLigne::CrLf: setEolMode(EolWindows); break;
    case FinDeLigne::Lf: setEolMode(EolUnix); break;
    case FinDeLigne::Cr: setEolMode(EolMac); break;
    }
    const Affichage affichage = AffichagePour(texte.size(), LongueurPlusLongueLigne(texte));
    setWrapMode(affichage.retourALaLigne ? WrapWord : WrapNone);
    if (affichage.coloration != (lexer() != nullptr)) {
        setLexer(affichage.coloration ? lexerHTML : nullptr);
        AppliqueFonte(fonte);
    }
    return encodage;
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
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(texte.size()), texte.data());
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
    lexerHTML->setDefaultFont(fonte);
    lexerHTML->setFont(fonte);
    if (!lexer()) {
        // Without colouring every style takes the default style's font.
        setFont(fonte);
        SendScintilla(SCI_STYLECLEARALL);
    }
    setMarginsFont(fonte);
    AjusteMarge();
}

void TEditHTML::AjusteMarge()
{
    setMarginWidth(0, QString(QString::number(lines()).size() + 1, u'9'));
}

void TEditHTML::contextMenuEvent(QContextMenuEvent *event)
{
    emit MenuContextuelDemande(event->globalPos());
}
