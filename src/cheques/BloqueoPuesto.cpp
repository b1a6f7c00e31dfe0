#include "cheques/BloqueoPuesto.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

BloqueoPuesto::BloqueoPuesto(const QString& baseDatos, const QString& puestoUsuario)
    : m_ruta(ruta(baseDatos, puestoUsuario))
{
}

BloqueoPuesto::~BloqueoPuesto()
{
    // Closing the file drops the lock; the file itself stays for the next run.
    if (m_fd >= 0)
        ::close(m_fd);
}

BloqueoPuesto::Resultado BloqueoPuesto::toma()
{
    if (m_fd >= 0)
        return Resultado::Tomado;
    const QByteArray nombre = QFile::encodeName(m_ruta);
    const int fd = ::open(nombre.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = m_ruta + u": "_s + QString::fromLocal8Bit(std::strerror(errno));
        return Resultado::SinArchivo;
    }
    // A lock of the open file: a second open of the same file, in this process or another, does
    // not get it while this one is open.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int causa = errno;
        ::close(fd);
        if (causa == EWOULDBLOCK)
            return Resultado::Ocupado;
        m_error = m_ruta + u": "_s + QString::fromLocal8Bit(std::strerror(causa));
        return Resultado::SinArchivo;
    }
    m_fd = fd;
    return Resultado::Tomado;
}

QString BloqueoPuesto::ruta(const QString& baseDatos, const QString& puestoUsuario)
{
    // Keys and database names compare without regard to case in the suite.
    const QByteArray clave =
        (baseDatos.trimmed().toUpper() + u'\n' + puestoUsuario.trimmed().toUpper()).toUtf8();
    const QString digest =
        QString::fromLatin1(QCryptographicHash::hash(clave, QCryptographicHash::Sha256).toHex().left(24));
    return QDir(QDir::tempPath()).filePath(u"talonex-corrida-"_s + digest + u".lock"_s);
}
