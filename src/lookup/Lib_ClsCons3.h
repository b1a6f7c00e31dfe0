#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

/// The lookup request of the program: a window sets a few members, calls ConsultaSearch (or one of
/// the option and file lists) and reads the operator's answer back from ValorDevuelto, Valores and
/// Cantidades. Each call builds its statement, shows a fresh list or tree window modally and
/// destroys it again. One instance for the whole run (instance()), created on first use; its
/// creation reads the stock colours and the search pattern from the configuration store, so the
/// main connection should be open by then.
class Lib_ClsCons3
{
public:
    Lib_ClsCons3();
    ~Lib_ClsCons3();
    Lib_ClsCons3(const Lib_ClsCons3&) = delete;
    Lib_ClsCons3& operator=(const Lib_ClsCons3&) = delete;

    /// The program-wide request, created on first use.
    static Lib_ClsCons3& instance();
    /// Drops the program-wide request so that the next instance() creates it afresh (tests; a new
    /// configuration).
    static void resetInstance();

    // Colours (blue-green-red whole numbers) of the four stock situations of article rows.
    QVariant StkNivel1;
    QVariant StkNivel2;
    QVariant StkNivel3;
    QVariant StkNivel4;
    /// "SI" colours article rows by their stock.
    QString MuestraStock;
    /// Column names whose values the caller wants back in Valores (an own collection callers may
    /// pass to ConsultaSearch).
    QStringList CmpsDevueltos;
    /// Values of the last request: returned columns, or the ticked rows; empty after a cancel.
    QStringList Valores;
    /// Quantities of the last list request (the list window keeps them in its cells).
    QStringList Cantidades;
    /// The next request shows tick boxes; every request that reaches a window clears it.
    bool Checks = false;
    /// The value picked by the last request; "" when the operator cancelled.
    QString ValorDevuelto;
    /// The list window accepts quantities (Insert, Shift+Insert, Delete).
    bool UsaCantidades = false;
    /// Name of the column whose value becomes ValorDevuelto; every ConsultaSearch clears it.
    QString CampoDevuelto;
    /// The list window stores its column widths in CONSULTASLEN.TSO when it closes.
    bool GrabarCfg = false;

    /// The connection text handed to the list window, the mask file and whether table lookups use
    /// it. They live in the program-wide state that start-up fills (AppState), so these refer to it.
    QString& gConnString();
    QString& gRutaMascaraConsultas();
    bool& gUsarMascarasConsultas();

    /// Lets the operator pick from `sql` (a table or view name, or a whole statement containing
    /// SELECT). `CmpsDevueltos` (may be null): column names returned in Valores, emptied when the
    /// call ends. `Clave`: first text of the first search box. `CampoBusqueda` and `Where` (may be
    /// null) are read and may be rewritten: the search column and a condition without WHERE.
    /// `SentenciaOpcional` replaces the automatic statement. `TreeView` shows the tree window.
    /// `ValoresDefault`: rows whose returned value occurs in it start ticked ("@10" widens columns).
    void ConsultaSearch(const QString& sql, QStringList* CmpsDevueltos = nullptr, const QString& Clave = {},
                        QString* CampoBusqueda = nullptr, QString* Where = nullptr,
                        const QString& SentenciaOpcional = {}, bool TreeView = false,
                        const QString& ValoresDefault = {});

    /// Shows `Opc` with tick boxes (each element: "1" ticked / other unticked, then the text); the
    /// ticked texts end in Valores. Returns "".
    QString CheckOpciones(const QString& Titulo, QStringList* CmpsDevueltos, const QStringList& Opc);
    /// Shows `Opc`; the option picked, "" when cancelled.
    QString MenuOpciones(const QString& Titulo, const QStringList& Opc);
    /// Shows the lines of the text file `QueArchivo`; the line picked, "" when cancelled or when the
    /// file does not exist (a message says so). `Separador` has no effect.
    QString ConsultaDesdeArchivo(const QString& Titulo, const QString& QueArchivo,
                                 const QString& Separador = {});

    /// The statement the last ConsultaSearch handed to its window ("" when none was shown).
    const QString& UltimaSentencia() const { return m_ultimaSentencia; }

private:
    /// The end of every ConsultaSearch: the returned column and the caller's column list cleared.
    void terminaPedido(QStringList* CmpsDevueltos);
    enum class Lista
    {
        Opciones,
        Menu
    };
    /// The option and file lists: one column headed `Titulo`, rows `filas`; returns the window's
    /// value (Menu) or fills Valores (Opciones).
    QString muestraLista(const QString& Titulo, const QStringList& filas, const QList<bool>& ticks,
                         Lista tipo);

    bool m_usaConsultaLike = false;
    QString m_ultimaSentencia;
};
