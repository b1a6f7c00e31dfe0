#pragma once

#include <QString>

/// Keeps two cheque runs of one workstation-and-user key on one database apart. A run empties the
/// print rows of its key and prints what its key holds, so a second run under the same key (a second
/// instance of the program on the same machine and user) would mix its rows with the first one's.
/// The lock is the kernel's lock on a file of this machine: it belongs to the open file, so the
/// kernel drops it when the process ends, however it ends, and a crashed run never leaves it held.
class BloqueoPuesto
{
public:
    enum class Resultado
    {
        Tomado,
        /// Another run of the key holds it.
        Ocupado,
        /// The lock file cannot be opened (see error()).
        SinArchivo
    };

    /// `baseDatos` names the database (server and database name); `puestoUsuario` the key.
    BloqueoPuesto(const QString& baseDatos, const QString& puestoUsuario);
    ~BloqueoPuesto();
    BloqueoPuesto(const BloqueoPuesto&) = delete;
    BloqueoPuesto& operator=(const BloqueoPuesto&) = delete;

    /// Takes the lock without waiting.
    Resultado toma();
    bool tomado() const { return m_fd >= 0; }
    /// Why the lock file could not be opened.
    const QString& error() const { return m_error; }

    /// The lock file of a database and key: in the machine's temporary folder, named by a digest so
    /// that any key makes a valid file name.
    static QString ruta(const QString& baseDatos, const QString& puestoUsuario);

private:
    QString m_ruta;
    QString m_error;
    int m_fd = -1;
};
