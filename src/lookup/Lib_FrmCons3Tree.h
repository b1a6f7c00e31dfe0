#pragma once

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QComboBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class AdoRecordset;

/// The tree lookup window: the rows of a statement (code, description) as a tree of hierarchical
/// codes, each under the longest code that begins it, or the article families under their parent
/// family. The lookup request sets sql, CampoDevuelto and CheckBoxes, shows it modally and reads
/// ValorDevuelto (one node picked, looked up in the table of CampoDevuelto) or Valores (the ticked
/// nodes).
class Lib_FrmCons3Tree : public QDialog
{
    Q_OBJECT

public:
    explicit Lib_FrmCons3Tree(QWidget* parent = nullptr);
    ~Lib_FrmCons3Tree() override;

    QString sql;
    /// "IDFAMILIA", "IDPOSICION" or "CODIGO": the table the picked code is looked up in.
    QString CampoDevuelto;
    bool CheckBoxes = false;
    QString ValorDevuelto;
    QStringList Valores;

    /// The load: a fresh Valores and the tree of the current statement.
    void Cargar();
    /// Loads the window now unless it has loaded already.
    void AseguraCarga();
    /// The last load stopped because its statement could not be opened.
    bool CargaFallida() const { return m_cargaFallida; }
    /// Builds the family tree from its fixed statement.
    void ArmarTreeVFamilias();
    /// Removes every node (the unload).
    void Descargar();

    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void CmdNueva_Click();

    QTreeWidget* TreeV() const { return m_tree; }
    QComboBox* CmbSearch() const { return m_search; }
    /// The node of `clave` ("A" + code; "A" is the root), any case; null when there is none.
    QTreeWidgetItem* Nodo(const QString& clave) const;
    /// The key of a node.
    static QString Clave(const QTreeWidgetItem* nodo);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ArmarTreeVAutomatico();
    void iniciaArbol();
    /// Fills the tree from `sql` under the routine name `rutina`, one row at a time through
    /// `agregaFila`; a row that fails is reported, and going on takes the next one.
    void armaArbol(const QString& rutina, const std::function<void(const AdoRecordset&)>& agregaFila);
    QTreeWidgetItem* agregaNodo(QTreeWidgetItem* padre, const QString& clave, const QString& texto);
    void BuscaTexto();
    void ReBusqueda();
    void ExtiendeMarca(QTreeWidgetItem* nodo);

    QTreeWidget* m_tree = nullptr;
    QComboBox* m_search = nullptr;
    QWidget* m_picFields = nullptr;
    QWidget* m_frame1 = nullptr;
    QPushButton* m_cmdAceptar = nullptr;
    QPushButton* m_cmdCancelar = nullptr;
    QPushButton* m_cmdNueva = nullptr;

    QHash<QString, QTreeWidgetItem*> m_nodos;
    QList<QTreeWidgetItem*> m_orden;
    bool m_cargada = false;
    bool m_cargaFallida = false;
    bool m_extendiendo = false;
    QString m_sqlPrimera;
    QString m_sqlBase;
    QString m_colaSql;
};
