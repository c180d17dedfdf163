#include "filefailure.h"

#include <cerrno>
#include <cstring>

namespace brisquel {

QString fileFailureReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("no queda espacio libre en el disco");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("se ha agotado la cuota de disco de este usuario");
#endif
    case EFBIG:
        return QStringLiteral("el fichero pasaría del tamaño máximo que se permite escribir");
    case EACCES:
    case EPERM:
        return QStringLiteral("no hay permiso para hacerlo en esa carpeta o en ese fichero");
    case EROFS:
        return QStringLiteral("el disco es de solo lectura");
    case ENOENT:
        return QStringLiteral("la carpeta o el fichero no existe");
    case ENOTDIR:
        return QStringLiteral("una parte de la ruta no es una carpeta");
    case EEXIST:
        return QStringLiteral("ya hay un fichero con ese nombre");
    case EISDIR:
        return QStringLiteral("es una carpeta, no un fichero");
    case ELOOP:
        return QStringLiteral("la ruta da vueltas entre enlaces simbólicos");
    case ENAMETOOLONG:
        return QStringLiteral("la ruta es demasiado larga");
    case EIO:
        return QStringLiteral("el disco ha dado un error de lectura o escritura");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("hay demasiados ficheros abiertos");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("el fichero está en uso");
    case 0:
        return QStringLiteral("el sistema no ha dicho por qué");
    default:
        return QStringLiteral("error del sistema %1 (%2)")
            .arg(errorNumber)
            .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
    }
}

} // namespace brisquel
