#pragma once

#include "data/AdoConnection.h"
#include "data/AdoRecordset.h"
#include "zimbrel2/ClsDialogo.h"
#include "zimbrel2/RuntimeError.h"

#include <QString>
#include <QStringView>
#include <QVariant>

#include <memory>
#include <optional>

/// One database connection of the program with its connection data as public members, and the
/// routines every window uses to reach the database: opening, statements and recordsets, existence
/// checks and single-value lookups, SQL literals, schema checks, the restricted-view and Oracle
/// rewritings, and the reporter of unexpected failures.
class DB_Dll
{
public:
    DB_Dll();
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // Connection data, read and written freely.
    bool gOpenFlag = false;
    /// Read as a boolean; null or empty read as false.
    QVariant gIgnoraPassWord;
    QString gProveedor;
    QString gServidor;
    QString gDBName;
    QString gUsuario;
    bool gEsAdmin = false;
    QString gUserPassWord;
    QString gConnString;
    QString gExtended;
    QString gLogErr;

    /// The connection itself, created on first use and never replaced.
    AdoConnection& gCnn();
    /// The file picker of the local-database open, created on first use.
    ClsDialogo& CmdDlg();

    QString ArchivoErrores() const { return gLogErr; }
    void setArchivoErrores(const QVariant& path) { gLogErr = path.toString(); }

    static QString pSQLOLEDB();
    static QString pJETOLEDB40();
    static QString pJETOLEDB35();

    // Opening.
    void OpenServerADODB(bool PideParametrosSQL, int lCursor, const QString& ConnString, bool ValidaAdmin,
                         bool MuestraError);
    void ReintentaConectar();
    void OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD);
    /// The connection string of the current members (Oracle form when the server holds "#").
    QString ArmaCadenaConexion() const;

    // Statements and recordsets.
    void AbrirRecordset(QString& SentenciaSQL, AdoRecordset& Lrcs, AdoConnection* Conexionactiva = nullptr,
                        int CursorType = 0, int LockType = 1, long Options = -1, bool ConvOracle = true);
    void CierraRecordset(AdoRecordset* LrcsTemp);
    void EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected, AdoRecordsetPtr* Lrcs = nullptr);
    void EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected, AdoRecordsetPtr* Lrcs = nullptr);

    // Existence checks and lookups.
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                       AdoRecordset* Lrcs = nullptr, int Tipodato = 8, const QString& Condicion = {},
                       bool SoloLectura = true);
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                         AdoRecordset* Lrcs = nullptr, int Tipodato = 8, const QString& Condicion = {},
                         bool SoloLectura = true);
    QString DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                       const QString& Campo, int Tipodato = 8, const QString& Condicion = {},
                       bool UsaTrim = true, bool IgnoraError = false);
    QVariant BuscaMaximo(const QString& QueTabla, const QString& QueCampo, std::optional<int> Tipo = {},
                         const QString& Condicion = {});
    QVariant BuscaMinimo(const QString& QueTabla, const QString& QueCampo, std::optional<int> Tipo = {},
                         const QString& Condicion = {});
    QVariant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, std::optional<int> Tipo = {},
                               const QString& Condicion = {});

    // SQL literals and names.
    QString SQLValue(const QVariant& Valor, QStringView Tipo) const;

    // Schema.
    bool ExisteTablaDB(const QString& Tabla);
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                  const std::optional<QString>& ValorDefault = std::nullopt);
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                    bool PermiteNulos, const std::optional<QString>& ValorDefault = std::nullopt);

    // Dialects and synonyms.
    QString SS_TSinonimos(const QString& sql) const;
    QString ORACLE_Dicc(const QString& Valor) const;

    /// Shows an unexpected failure with the answers of `Botones` (default 18: abort, retry, ignore),
    /// logs it and returns the answer; 0 for an error numbered 0.
    int TratamientoErrores(const RuntimeError& CodErr, std::optional<int> Botones = std::nullopt,
                           const QString& Rutina = {});

    /// The platform every dialect choice of this object asks: true for Oracle. Decided from the
    /// provider of the open connection's string (built from the "#" server mark or the platform
    /// chosen in the connection dialog), or of gConnString while nothing is open.
    bool isOracleConnection() const;

private:
    bool runParameterDialog();
    void EjecutaScriptOracle(QString& Script, long& RecordsAffected);
    /// The common part of EjecutaConsultaSQL and EjecutaConsultaRSQL: prepares the statement and
    /// runs it (on Oracle as a script of its statements); failures are raised to the caller.
    void ejecutaSentencia(QString& SentenciaSQL, long& RecordsAffected, AdoRecordsetPtr* Lrcs);
    QString FiltraSentenciaOracle(QString& Sentencia) const;
    /// Runs an existence check's statement on `connection`: into `Lrcs` when given, else into a
    /// private recordset; `rewrite` applies the restricted views (and, without `Lrcs`, the dialect).
    bool existsIn(QString statement, AdoConnection& connection, AdoRecordset* Lrcs, bool SoloLectura,
                  bool rewrite);

    std::unique_ptr<AdoConnection> m_cnn;
    std::unique_ptr<ClsDialogo> m_cmdDlg;
};
