// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/Instance.h"

#include "core/session/LigneDeCommande.h"
#include "gui/app/MDIHtml.h"
#include "gui/app/Session.h"
#include "gui/settings/CheminsQt.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <memory>

#include <unistd.h>

namespace {

// The running editor's answer once it has a whole message; the starting one's, when that came too late.
constexpr char Recu = 'O';
constexpr char Abandonne = 'A';

// How long a starting editor waits for the running one.
constexpr int Delai = 1000;

} // namespace

QString TInstance::NomDuServeur(const std::string &affichage)
{
    // Created by Qt for the user alone: no one else may take the name.
    const QString dossier = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (affichage.empty() || dossier.isEmpty())
        return {};
    const QByteArray empreinte =
        QCryptographicHash::hash(QByteArray::fromStdString(affichage), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("%1/balizo-%2-%3").arg(dossier).arg(::getuid()).arg(QLatin1String(empreinte));
}

bool TInstance::Confie(const QString &serveur, const std::vector<std::string> &fichiers)
{
    const QDeadlineTimer echeance(Delai);
    const auto reste = [&echeance] { return static_cast<int>(echeance.remainingTime()); };
    QLocalSocket socket;
    socket.connectToServer(serveur);
    if (!socket.waitForConnected(reste()))
        return false;
    const std::string message = MessageDeFichiers(fichiers);
    socket.write(message.data(), static_cast<qint64>(message.size()));
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(reste())) {
    }
    while (socket.bytesAvailable() == 0 && socket.waitForReadyRead(reste())) {
    }
    char reponse = 0;
    if (socket.getChar(&reponse) && reponse == Recu) {
        // The running editor opens the files when the connection ends without a word more.
        socket.disconnectFromServer();
        return true;
    }
    // An editor that stopped meanwhile hears nothing more.
    if (socket.state() == QLocalSocket::ConnectedState) {
        socket.putChar(Abandonne);
        socket.waitForBytesWritten(Delai / 10);
    }
    return false;
}

TInstance::TInstance(const QString &nom, TMDIHtml &principal)
    : QObject(&principal)
    , principal(principal)
{
    connect(&serveur, &QLocalServer::newConnection, this, &TInstance::Accueille);
    if (serveur.listen(nom) || serveur.serverError() != QAbstractSocket::AddressInUseError)
        return;
    // A socket that no one listens on any more: that of an editor that was killed.
    QLocalSocket essai;
    essai.connectToServer(nom);
    if (!essai.waitForConnected(Delai) && essai.error() == QLocalSocket::ConnectionRefusedError &&
        QLocalServer::removeServer(nom))
        serveur.listen(nom);
}

void TInstance::Accueille()
{
    while (QLocalSocket *socket = serveur.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The starting editor may give up after a complete message: only its silence until the end confirms it.
        auto lecture = std::make_shared<LectureMessage>();
        connect(socket, &QLocalSocket::readyRead, socket, [socket, lecture] {
            using Etat = LectureMessage::Etat;
            const QByteArray octets = socket->peek(socket->bytesAvailable());
            const auto taille = static_cast<std::size_t>(octets.size());
            if (lecture->etat == Etat::Incomplet)
                *lecture = LitMessageDeFichiers(std::string_view(octets.constData(), taille));
            if (lecture->etat == Etat::Complet && taille == lecture->longueur) {
                socket->putChar(Recu);
            } else if (lecture->etat != Etat::Incomplet) {
                lecture->etat = Etat::Invalide;
                socket->abort();
            }
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, lecture] {
            // Out of the socket's signal: opening a file may ask the user.
            if (lecture->etat == LectureMessage::Etat::Complet)
                QMetaObject::invokeMethod(this, [this, noms = std::move(lecture->noms)] { Recoit(noms); },
                                          Qt::QueuedConnection);
        });
    }
}

void TInstance::Recoit(const std::vector<std::string> &fichiers)
{
    principal.setWindowState((principal.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    principal.raise();
    principal.activateWindow();
    for (const std::string &fichier : fichiers)
        principal.Session().OuvreDepose(DecodeNom(fichier));
}
