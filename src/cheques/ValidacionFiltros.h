#pragma once

#include "zimbrel2/TrappedRoutine.h"

#include <QString>
#include <QStringList>

class AdoRecordset;
class DB_Dll;

/// What the validation reads and writes of the cheque window: the filter fields by field name, the
/// bank account's description and the number of ticked cheques.
class CamposFiltro
{
public:
    virtual ~CamposFiltro() = default;
    virtual QString texto(const QString& dataField) const = 0;
    virtual void setTexto(const QString& dataField, const QString& texto) = 0;
    virtual void setDescripcionBanco(const QString& descripcion) = 0;
    virtual int chequesMarcados() const = 0;
};

/// The window state the validation shares with the window.
struct EstadoValidacion
{
    bool Fallo = false;
    bool ValidandoCarga = false;
    bool ValidandoGrabar = false;
    bool EnReimpresion = false;
};

/// The checks of the cheque window's filter fields against the database: dates, suppliers, the bank
/// account, and the series and start number against the chequebooks and the numbers already given.
/// Each failed check shows one message to the operator and sets Fallo.
class ValidacionFiltros
{
public:
    ValidacionFiltros(DB_Dll& db, CamposFiltro& campos, EstadoValidacion& estado);

    /// Checks the field named `dataField`.
    void CampoValida(const QString& dataField);
    /// Checks the fields in the given order, stopping at the first that fails; true when all pass.
    bool DatosValidos(const QStringList& camposEnOrden);

    /// The start number as a whole number; nullopt when the text is not one.
    static std::optional<qint64> numeroEntero(const QString& texto);

private:
    void validaFecha(const QString& texto);
    void validaProveedor(const QString& dataField, QString texto);
    void validaBanco(const QString& texto);
    void validaSerie();
    void validaNumerarDesde(const QString& texto);
    void validaNumerarHasta(const QString& texto);
    void falla(const QString& mensaje);
    /// The reporter of the checks' unexpected failures ("CAMPO_VALIDA").
    static ErrorReporter reporter();
    /// True, with Fallo set, when the routine has left: a check that could not be made fails.
    bool noSePudo(const TrappedRoutine& routine);
    /// Opens a read-only recordset; a statement that failed ends the check.
    void abre(QString sql, AdoRecordset& rs);

    DB_Dll& m_db;
    CamposFiltro& m_campos;
    EstadoValidacion& m_estado;
    QString m_mensaje;
};
