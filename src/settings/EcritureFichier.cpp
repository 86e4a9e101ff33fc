#include "settings/EcritureFichier.h"

#include <QSaveFile>

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
