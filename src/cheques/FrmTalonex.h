#pragma once

#include "cheques/ChequeFila.h"
#include "cheques/EstadoBarra.h"
#include "cheques/GeneracionCheques.h"
#include "cheques/SentenciasCheques.h"
#include "cheques/ValidacionFiltros.h"

#include <QLineEdit>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <vector>

class ClsDialogo;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

/// The cheque printing window, the program's one working window: filters, the list of issued
/// cheques, numbering and printing on the first tab, the report file of each bank account on the
/// second. Normal mode numbers cheques that have none; reprint mode prints numbered ones again.
class FrmTalonex : public QMainWindow, private CamposFiltro
{
    Q_OBJECT

public:
    explicit FrmTalonex(QWidget* parent = nullptr);
    ~FrmTalonex() override;

    /// The load event: start-up with `parametros` ("" reads the command line), look, idle state and
    /// mode. False when no connection could be opened: the program must end.
    bool Form_Load(const QString& parametros = {});
    /// Back to the idle state: toolbar idle, no columns in the list, first tab, no bank description.
    void Inicializa();
    void DetalleOn();
    /// Hides the window and ends the program.
    void Form_Unload();
    /// A toolbar button's key: "GRABAR", "CONSULTAR", "CERRAR", "CANCELAR".
    void Morvane1_click(const QString& key);

    void CampoValida(QLineEdit* campo);
    bool DatosValidos();
    /// The lookup of the active field (date picker, suppliers, bank accounts).
    void cmdConsultar();

    void CmdCargar_Click();
    void CmdTodos_Click();
    void CmdNinguno_Click();
    void ActualizarDatos();
    void Imprimir();
    /// Prints to this PDF file instead of the printer when the preview is not ticked (empty: the
    /// printer).
    void setArchivoPdf(const QString& ruta);

    void CargarCfgCh();
    void CmdGrabar_Click();
    void cmdExplorar_Click(int i);

    // Window state.
    bool EnReimpresion() const { return m_estado.EnReimpresion; }
    bool Fallo() const { return m_estado.Fallo; }
    QLineEdit* ControlActivo() const { return m_controlActivo; }
    const EstadoBarra& barra() const { return m_barra; }
    const QList<QLineEdit*>& txtFields() const { return m_txtFields; }
    /// The filter field of a field name (without regard to case); null when none.
    QLineEdit* campo(const QString& dataField) const;
    QTreeWidget* Lvw() const { return m_lvw; }
    /// What the last "GRABAR" run did (numbered, printed, first and last number, next free number).
    const ResultadoGeneracion& ultimaCorrida() const { return m_ultimaCorrida; }

Q_SIGNALS:
    /// A "GRABAR" run has ended, however it ended.
    void corridaTerminada(const ResultadoGeneracion& resultado);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void construye();
    QWidget* construyeCheques();
    QWidget* construyeConfiguracion();
    void construyeBarra();
    QLineEdit* agregaCampo(const QString& dataField, const QString& tag, int maximo);

    // CamposFiltro
    QString texto(const QString& dataField) const override;
    void setTexto(const QString& dataField, const QString& texto) override;
    void setDescripcionBanco(const QString& descripcion) override;
    int chequesMarcados() const override;

    void campoKeyDown(QLineEdit* campo, int key);
    void bancoConfigKeyDown(QLineEdit* caja, int key);
    void preparaLista();
    void llenaLista(const std::vector<ChequeFila>& filas);
    void ajustaColumnas();
    void marcaTodos(bool marcado);
    void tickCambiado(QTreeWidgetItem* item, int column);
    void ordenaPor(int columna);
    void menuContextual(const QPoint& posicion);
    std::vector<ChequeFila> filasDeLista() const;
    void actualizaFila(QTreeWidgetItem* item, const ChequeFila& fila);
    void setBarra(int id, bool valor);
    /// The status line under the list: how many cheques are listed and ticked, and the ticked total.
    void actualizaEstado();
    /// The status line after a run of GRABAR that started with `marcados` ticked cheques, and the
    /// next number to give after a run that numbered cheques.
    void informaCorrida(int marcados);
    FiltroCheques filtro() const;

    EstadoValidacion m_estado;
    ValidacionFiltros validacion();
    EstadoBarra m_barra;
    QPointer<QLineEdit> m_controlActivo;
    bool m_cargandoLista = false;
    int m_columnaOrden = ColumnaCheque::Numero;

    QToolBar* m_morvane = nullptr;
    QAction* m_grabar = nullptr;
    QTabWidget* m_tab = nullptr;
    QList<QLineEdit*> m_txtFields;
    QLabel* m_lblDescBanco = nullptr;
    QLabel* m_lblHasta = nullptr;
    QGroupBox* m_frmFiltros = nullptr;
    QPushButton* m_cmdCargar = nullptr;
    QTreeWidget* m_lvw = nullptr;
    QLabel* m_lblEstado = nullptr;
    /// The last run stopped at the printer choice, which the operator cancelled.
    bool m_impresoraCancelada = false;
    QPushButton* m_cmdTodos = nullptr;
    QPushButton* m_cmdNinguno = nullptr;
    QCheckBox* m_chkPantalla = nullptr;
    QCheckBox* m_chkImpresora = nullptr;
    std::array<QLineEdit*, 3> m_txtBanco1{};
    std::array<QLineEdit*, 3> m_txtUbicacion{};
    std::array<QPushButton*, 3> m_cmdExplorar{};
    QPushButton* m_cmdGrabar = nullptr;
    std::unique_ptr<ClsDialogo> m_dialogo;
    QString m_archivoPdf;
    ResultadoGeneracion m_ultimaCorrida;
};
