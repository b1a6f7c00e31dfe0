#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "lookup/ListadoConsulta.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTreeWidget;
class QTreeWidgetItem;
class AdoRecordset;

/// The list lookup window: the rows of one statement as a table, one search box above each column,
/// and the operator's pick handed back through its public members. The lookup request fills the
/// members, shows it modally and reads the answer when it hides. It loads when first shown (or when
/// the request first touches its rows), again on "&Nueva Busqueda" and on F5.
class Lib_FrmCons3 : public QDialog
{
    Q_OBJECT

public:
    explicit Lib_FrmCons3(QWidget* parent = nullptr);
    ~Lib_FrmCons3() override;

    // Set by the request before the window is shown, read after.
    QString sql;
    /// Header text of the column whose value is returned.
    QString CampoDevuelto;
    /// Header texts of further columns returned in Valores (the caller's collection; may be null).
    QStringList* CmpsDevueltos = nullptr;
    bool CheckBoxes = false;
    QString ValorDevuelto;
    QStringList Valores;
    QStringList Cantidades;
    QString ValoresDefault;
    QString FiltroInicial;
    QString CampoBusqueda;
    bool OrdenarPorLwv = false;
    bool UsaCantidades = false;
    bool CfgUsaConsultaLIKE = false;
    QVariant StkNivel1;
    QVariant StkNivel2;
    QVariant StkNivel3;
    QVariant StkNivel4;
    QString MuestraStock;
    QString gConnString;
    /// Store the column widths in the width file when the window closes.
    bool GrabarCfg = false;

    /// Loads the window now unless it has loaded already (touching a control loads it).
    void AseguraCarga();
    /// The load: rows and columns of the current statement, stored widths, sizing.
    void Cargar();
    /// The last load stopped because its statement could not be opened.
    bool CargaFallida() const { return m_cargaFallida; }
    /// The unload: stores the widths (GrabarCfg) and removes the rows.
    void Descargar();

    /// Position (from 1) of the first column whose trimmed header equals `Columna`, or 0.
    int IndiceColumna(const QString& Columna) const;
    /// Position (from 1) of the first listed row whose cell of column `Clave` + 1 (below 1: the row
    /// text) starts with the trimmed `QueValor`, or 0.
    int Busqueda(int Clave, const QString& QueValor) const;
    void CalcularAncho();
    void CargaAnchos();
    void GuardaAnchos();

    // The button handlers.
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void CmdTodos_Click();
    void CmdNueva_Click();
    void CmdNuevo_Click();

    /// Option lists: no statement, one column headed `titulo` (the returned column), tick boxes
    /// with `marcas`; then AgregaFila for each row.
    void PreparaLista(const QString& titulo, bool marcas);
    void AgregaFila(const QString& texto, bool marcada);

    QTreeWidget* ListView1() const { return m_list; }
    QComboBox* CmbSearch(int index) const { return m_boxes.value(index); }
    int CantidadBuscadores() const { return static_cast<int>(m_boxes.size()); }
    QPushButton* CmdNueva() const { return m_cmdNueva; }
    QScrollBar* HScroll1() const { return m_scroll; }
    const QString& TablaConsulta() const { return m_tablaConsulta; }
    int BuscadorActual() const { return m_buscadorActual; }
    /// The statement of the last load, as sent (with its trailing blank).
    const QString& SqlBase() const { return m_sqlBase; }

    /// The search-box background while it has the focus, and otherwise.
    static QColor ColorBuscadorActivo();
    static QColor ColorBuscador();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Encolumnar(AdoRecordset& rs);
    void Leer(AdoRecordset& rs);
    void AnchoPorContenido();
    void Reacomoda();
    void UbicaBuscadores();
    QComboBox* buscador(int index);
    void BuscaTexto(int index);
    bool TeclaBuscador(int index, QKeyEvent* event);
    bool TeclaLista(QKeyEvent* event);
    void ReBusqueda(int index);
    void InformaFaltante();
    void OrdenaPorColumna(int column);
    QString valorColumna(const QTreeWidgetItem* item, int k, const QString& previo) const;
    int indiceBuscador(const QObject* watched) const;
    void vigila(QWidget* widget);

    QTreeWidget* m_list = nullptr;
    QWidget* m_picFields = nullptr;
    QWidget* m_frame1 = nullptr;
    QScrollBar* m_scroll = nullptr;
    QLabel* m_label1 = nullptr;
    QPushButton* m_cmdAceptar = nullptr;
    QPushButton* m_cmdCancelar = nullptr;
    QPushButton* m_cmdNueva = nullptr;
    QPushButton* m_cmdTodos = nullptr;
    QPushButton* m_cmdNuevo = nullptr;
    QList<QComboBox*> m_boxes;
    /// Columns whose field has no defined size: sized by their longest value instead.
    QList<int> m_sinTamano;
    bool m_ensancha = false;
    /// The rows of the last load, until the columns without size have taken their widths.
    QList<ListadoConsulta::Fila> m_filas;

    bool m_cargada = false;
    bool m_cargaFallida = false;
    bool m_esArticulos = false;
    QString m_tablaConsulta;
    QString m_sqlOriginal;
    QString m_sqlBase;
    QString m_colaSql;
    int m_buscadorActual = 0;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_reacomodando = false;
    /// Where the search boxes start, below the top row.
    int m_topeBuscadores = 0;
};
