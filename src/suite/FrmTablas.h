#pragma once

#include "suite/TablaMantenida.h"

#include <QMap>
#include <QWidget>

class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

/// The table-maintenance window: the table's rows in a grid, read-only, and below it a form with one
/// box per column to add a row ("&Grabar"). Only an administrator saves; a plain user looks.
class FrmTablas : public QWidget
{
    Q_OBJECT

public:
    /// `titulo` names what the table holds ("Proveedores"); the table's columns must have been read.
    FrmTablas(const TablaMantenida& tabla, const QString& titulo, QWidget* parent = nullptr);
    ~FrmTablas() override;

    QTableView* Grilla() const { return m_grilla; }
    /// The box of a column of the form (the box's object name is the column's name).
    QLineEdit* campo(const QString& columna) const;

    /// Adds the row of `valores` as the form would ("&Grabar" with those values typed) and tells
    /// whether it was saved. The unattended run of the program uses it.
    TablaMantenida::Alta agrega(const QMap<QString, QString>& valores);

private:
    void cmdGrabar();
    /// Reads the rows again, through Qt's table model where the engine serves one.
    void recarga();

    TablaMantenida m_tabla;
    QTableView* m_grilla = nullptr;
    QAbstractItemModel* m_modelo = nullptr;
    QList<QLineEdit*> m_campos;
    QPushButton* m_cmdGrabar = nullptr;
    QPushButton* m_cmdCerrar = nullptr;
    QLabel* m_lblPermiso = nullptr;
};
