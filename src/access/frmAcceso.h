#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

/// "Control de Acceso": the modal dialog in which the operator types or picks the connection
/// parameters. It keeps the registered connections of BASES.TXT, registers a new one once the server
/// answers, fills the boxes from a registered one and puts a launcher of the program on the desktop.
/// It only collects values: the caller opens the connection with what the boxes hold.
class frmAcceso : public QDialog
{
    Q_OBJECT

public:
    /// The entries of the platform list, by index.
    enum Plataforma
    {
        SqlServer = 0,
        Oracle = 1,
        /// A folder of database files (`file://` folders).
        SQLite = 2,
        /// A PostgreSQL server (`pg://host[:port]`; a bare host is taken as one).
        PostgreSQL = 3
    };

    /// Builds the window and loads it: centred, the list read from BASES.TXT, the hints applied.
    explicit frmAcceso(QWidget* parent = nullptr);
    ~frmAcceso() override;

    /// True once the operator accepted; false on every new display.
    bool Aceptar() const { return m_aceptar; }

    QListWidget* lstBases() const { return m_lstBases; }
    QLineEdit* TxtServidor() const { return m_txtServidor; }
    QLineEdit* TxtDbName() const { return m_txtDbName; }
    QLineEdit* TxtUserId() const { return m_txtUserId; }
    QLineEdit* TxtUserPassword() const { return m_txtUserPassword; }
    QLineEdit* TxtPuerto() const { return m_txtPuerto; }
    QComboBox* CboPlataformaDB() const { return m_cboPlataformaDB; }

    /// The text of `caja` as a value: a box that still shows its hint holds nothing.
    QString Valor(const QLineEdit* caja) const;
    /// The server box as the data layer reaches it: a `file://` address becomes its folder.
    QString ServidorElegido() const;

    /// Refills the list from BASES.TXT; the first entry selected.
    void llenarlist();
    /// Looks `Nombre` up in BASES.TXT (exact, after trimming); true when found, with the connection's
    /// server, database, login and password remembered.
    bool DatosBase(const QString& Nombre);
    /// Fills the boxes from the connection selected in the list; login and password are emptied.
    void AsignarDatosBase();
    /// Opens and closes the main connection with these values; true when it opened.
    bool ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname, const QString& Usuario,
                           const QString& Password, const QString& Proveedor);
    /// Puts the box's hint back, selected and focused, when the box is blank or shows it.
    void MensajeInicial(QLineEdit* ObjTxt);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void bcAceptar_Click();
    void bcCancelar_Click();
    void CmdRegistrar_Click();
    void CmdLineaComando_Click();
    void CboPlataformaDB_Activated(int index);
    QString Hint(const QLineEdit* caja) const;

    bool m_aceptar = false;
    bool m_aplicandoHint = false;
    bool m_mostrado = false;
    bool m_teclaEnLista = false;

    // The connection DatosBase found last.
    QString m_servidorBase;
    QString m_dbNameBase;
    QString m_usuarioBase;
    QString m_passwordBase;

    QListWidget* m_lstBases = nullptr;
    QLabel* m_lblBases = nullptr;
    QFrame* m_framAcceso = nullptr;
    QLabel* m_label1 = nullptr;
    QLineEdit* m_txtServidor = nullptr;
    QLineEdit* m_txtDbName = nullptr;
    QLineEdit* m_txtUserId = nullptr;
    QLineEdit* m_txtUserPassword = nullptr;
    QLineEdit* m_txtPuerto = nullptr;
    QComboBox* m_cboPlataformaDB = nullptr;
    QPushButton* m_bcAceptar = nullptr;
    QPushButton* m_bcCancelar = nullptr;
    QPushButton* m_cmdRegistrar = nullptr;
    QPushButton* m_cmdLineaComando = nullptr;
};
