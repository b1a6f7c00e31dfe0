#include "suite/FrmTablas.h"

#include "data/AdoField.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "data/SqlValue.h"
#include "zimbrel2/ClsUtiles.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSqlError>
#include <QSqlTableModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

FrmTablas::FrmTablas(const TablaMantenida& tabla, const QString& titulo, QWidget* parent)
    : QWidget(parent), m_tabla(tabla)
{
    setObjectName(u"FrmTablas"_s);
    setWindowTitle(titulo + u" ("_s + m_tabla.tabla() + u")"_s);
    const bool esAdmin = DataGlobals::gDB().gEsAdmin;

    m_grilla = new QTableView(this);
    m_grilla->setObjectName(u"Grilla"_s);
    m_grilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grilla->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grilla->verticalHeader()->setVisible(false);

    auto* grupo = new QGroupBox(u"Nuevo registro"_s, this);
    auto* form = new QFormLayout(grupo);
    for (const TablaMantenida::Columna& c : m_tabla.columnas()) {
        auto* box = new QLineEdit(grupo);
        box->setObjectName(c.nombre);
        // A text longer than the column is cut (or refused) by the server: never let it be typed.
        if (ADOText(c.tipo) && c.tamano > 0)
            box->setMaxLength(c.tamano);
        if (adodate(c.tipo))
            box->setPlaceholderText(u"dd/mm/aaaa"_s);
        else if (ADOBoolean(c.tipo))
            box->setPlaceholderText(u"SI / NO"_s);
        box->setReadOnly(!esAdmin);
        form->addRow(c.nombre + u":"_s, box);
        m_campos << box;
    }
    auto* desplazable = new QScrollArea(this);
    desplazable->setWidget(grupo);
    desplazable->setWidgetResizable(true);

    m_lblPermiso = new QLabel(u"Solo un usuario con atributo administrador puede agregar registros."_s, this);
    m_lblPermiso->setObjectName(u"LblPermiso"_s);
    m_lblPermiso->setVisible(!esAdmin);
    m_cmdGrabar = new QPushButton(u"&Grabar"_s, this);
    m_cmdGrabar->setObjectName(u"CmdGrabar"_s);
    m_cmdGrabar->setEnabled(esAdmin);
    m_cmdGrabar->setDefault(true);
    m_cmdCerrar = new QPushButton(u"&Cerrar"_s, this);
    m_cmdCerrar->setObjectName(u"CmdCerrar"_s);
    connect(m_cmdGrabar, &QPushButton::clicked, this, &FrmTablas::cmdGrabar);
    connect(m_cmdCerrar, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    // Enter in any box of the form saves, as the default button would in a dialog.
    for (QLineEdit* box : m_campos)
        connect(box, &QLineEdit::returnPressed, m_cmdGrabar, &QPushButton::click);

    auto* botones = new QHBoxLayout;
    botones->addWidget(m_lblPermiso);
    botones->addStretch();
    botones->addWidget(m_cmdGrabar);
    botones->addWidget(m_cmdCerrar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grilla, 3);
    layout->addWidget(desplazable, 2);
    layout->addLayout(botones);
    resize(900, 600);
    recarga();
    // The programs open to add a record: the form's first box takes the typing.
    if (esAdmin && !m_campos.isEmpty())
        m_campos.front()->setFocus();
}

FrmTablas::~FrmTablas() = default;

QLineEdit* FrmTablas::campo(const QString& columna) const
{
    for (QLineEdit* box : m_campos) {
        if (box->objectName().compare(columna, Qt::CaseInsensitive) == 0)
            return box;
    }
    return nullptr;
}

TablaMantenida::Alta FrmTablas::agrega(const QMap<QString, QString>& valores)
{
    for (QLineEdit* box : m_campos)
        box->clear();
    for (auto it = valores.constBegin(); it != valores.constEnd(); ++it) {
        if (QLineEdit* box = campo(it.key()))
            box->setText(it.value());
    }
    QMap<QString, QString> delForm;
    for (QLineEdit* box : m_campos)
        delForm.insert(box->objectName(), box->text());
    const TablaMantenida::Alta alta = m_tabla.agrega(DataGlobals::gDB(), delForm);
    if (alta == TablaMantenida::Alta::Grabada) {
        for (QLineEdit* box : m_campos)
            box->clear();
        recarga();
        if (m_grilla->model())
            m_grilla->scrollToBottom();
        if (!m_campos.isEmpty())
            m_campos.front()->setFocus();
    }
    return alta;
}

void FrmTablas::cmdGrabar()
{
    QMap<QString, QString> valores;
    for (QLineEdit* box : m_campos)
        valores.insert(box->objectName(), box->text());
    agrega(valores);
}

void FrmTablas::recarga()
{
    DB_Dll& db = DataGlobals::gDB();
    if (!m_modelo) {
        const QSqlDatabase base = db.gCnn().database();
        if (base.isValid()) {
            auto* modelo = new QSqlTableModel(this, base);
            modelo->setEditStrategy(QSqlTableModel::OnManualSubmit);
            modelo->setTable(m_tabla.tabla());
            if (modelo->select()) {
                while (modelo->canFetchMore())
                    modelo->fetchMore();
                m_modelo = modelo;
                m_grilla->setModel(modelo);
                return;
            }
            delete modelo;
        }
    } else if (auto* sql = qobject_cast<QSqlTableModel*>(m_modelo)) {
        sql->select();
        // The model fetches in pages; the operator expects to reach the last (new) row at once.
        while (sql->canFetchMore())
            sql->fetchMore();
        return;
    }

    // An engine whose driver gives no table model: the rows come through the data layer.
    auto* modelo = qobject_cast<QStandardItemModel*>(m_modelo);
    if (!modelo) {
        modelo = new QStandardItemModel(this);
        m_modelo = modelo;
        m_grilla->setModel(modelo);
    }
    modelo->clear();
    QString sentencia = u"SELECT * FROM "_s + m_tabla.tabla() + u" with(nolock)"_s;
    AdoRecordset rs;
    db.AbrirRecordset(sentencia, rs, nullptr, 0, 1, -1, true);
    if (!rs.isOpen())
        return;
    QStringList titulos;
    for (int i = 0; i < rs.fieldCount(); ++i)
        titulos << rs.field(i).name;
    modelo->setHorizontalHeaderLabels(titulos);
    while (!rs.eof()) {
        QList<QStandardItem*> fila;
        for (int i = 0; i < rs.fieldCount(); ++i)
            fila << new QStandardItem(ClsUtiles::ValorSeguro(rs.value(i)));
        modelo->appendRow(fila);
        rs.moveNext();
    }
    db.CierraRecordset(&rs);
}
