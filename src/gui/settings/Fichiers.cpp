#include "gui/settings/Fichiers.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool OuvreEnLecture(const QString &nom, QFile &fichier)
{
    // Anything but a regular file is left unopened: opening a named pipe would wait for a writer, perhaps forever,
    // or wake the one that waits; opening a device may act on it. The name may come to stand for such a file
    // between the check and the opening: it is opened without waiting, and checked again once open.
    const QByteArray chemin = QFile::encodeName(nom);
    struct stat etat {};
    if (::stat(chemin.constData(), &etat) != 0)
        return false;
    if (!S_ISREG(etat.st_mode)) {
        errno = EINVAL;
        return false;
    }
    const int fd = ::open(chemin.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return false;
    }
    if (!fichier.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        errno = EIO;
        return false;
    }
    return true;
}

bool EcritFichier(const QString &nom, std::initializer_list<std::string_view> morceaux)
{
    QSaveFile fichier(nom);
    // A shared folder may be read-only while the user may still write the file itself.
    fichier.setDirectWriteFallback(true);
    // Unbuffered, every write reaches the system at once and a refused byte shows in its result: a buffered
    // write reports success, and the commit would then put a truncated file in place of the page.
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    for (const std::string_view morceau : morceaux) {
        const auto taille = static_cast<qint64>(morceau.size());
        if (taille > 0 && fichier.write(morceau.data(), taille) != taille) {
            fichier.cancelWriting();
            return false;
        }
    }
    if (!fichier.flush()) {
        fichier.cancelWriting();
        return false;
    }
    return fichier.commit();
}
