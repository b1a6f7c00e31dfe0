#include "suite/FrmAsiento.h"

#include "zimbrel2/RegionalSettings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

enum Columna
{
    Cuenta,
    Descripcion,
    Detalle,
    Debe,
    Haber,
    NroBancario,
    Cantidad
};

QTableWidgetItem* celda(const QString& texto, bool importe = false, bool negrita = false)
{
    auto* item = new QTableWidgetItem(texto);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (importe)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (negrita) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
    }
    return item;
}

QString monto(const Currency& c, bool vacioSiCero)
{
    return vacioSiCero && c.units() == 0 ? QString() : c.toDisplayText(RegionalSettings::current());
}

} // namespace

FrmAsiento::FrmAsiento(const AsientoContable& asiento, QWidget* parent) : QWidget(parent)
{
    setObjectName(u"FrmAsiento"_s);
    setWindowTitle(asiento.titulo());

    // The title bar is the window manager's: the voucher is also written on the window itself.
    m_lblAsiento = new QLabel(u"<b>Comprobante "_s + asiento.comprobante.texto().toHtmlEscaped() +
                                  u"</b> &nbsp; Asiento "_s + asiento.asientos.join(u", "_s).toHtmlEscaped(),
                              this);
    m_lblAsiento->setObjectName(u"LblAsiento"_s);

    m_lineas = new QTableWidget(static_cast<int>(asiento.lineas.size()) + 1, Cantidad, this);
    m_lineas->setObjectName(u"Lineas"_s);
    m_lineas->setHorizontalHeaderLabels(
        {u"Cuenta"_s, u"Descripción"_s, u"Detalle"_s, u"Debe"_s, u"Haber"_s, u"Nro. Comprobante Bancario"_s});
    m_lineas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lineas->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lineas->verticalHeader()->setVisible(false);
    int fila = 0;
    for (const LineaAsiento& l : asiento.lineas) {
        m_lineas->setItem(fila, Cuenta, celda(l.cuenta));
        m_lineas->setItem(fila, Descripcion, celda(l.descripcion));
        m_lineas->setItem(fila, Detalle, celda(l.detalle));
        m_lineas->setItem(fila, Debe, celda(monto(l.debe, true), true));
        m_lineas->setItem(fila, Haber, celda(monto(l.haber, true), true));
        m_lineas->setItem(fila, NroBancario, celda(l.nroComprobanteBancario));
        ++fila;
    }
    m_lineas->setItem(fila, Cuenta, celda(u"Totales"_s, false, true));
    for (int c : {Descripcion, Detalle, NroBancario})
        m_lineas->setItem(fila, c, celda(QString()));
    m_lineas->setItem(fila, Debe, celda(monto(asiento.totalDebe(), false), true, true));
    m_lineas->setItem(fila, Haber, celda(monto(asiento.totalHaber(), false), true, true));
    m_lineas->resizeColumnsToContents();
    m_lineas->horizontalHeader()->setStretchLastSection(true);
    m_lineas->setCurrentCell(-1, -1);

    m_cmdCerrar = new QPushButton(u"&Cerrar"_s, this);
    m_cmdCerrar->setObjectName(u"CmdCerrar"_s);
    connect(m_cmdCerrar, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(m_cmdCerrar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblAsiento);
    layout->addWidget(m_lineas);
    layout->addLayout(botones);

    int ancho = 40;
    for (int c = 0; c < Cantidad; ++c)
        ancho += m_lineas->columnWidth(c);
    int alto = m_lineas->horizontalHeader()->height() + 4;
    for (int r = 0; r < m_lineas->rowCount(); ++r)
        alto += m_lineas->rowHeight(r);
    m_lineas->setMinimumHeight(std::min(alto, 500));
    resize(std::min(ancho, 1100), std::min(alto, 500) + 100);
}
