// The cheque window's lookups, list loading and list handling.
#include "cheques/FrmTalonex.h"

#include "app/MenuExes.h"
#include "banner/Dll_Display.h"
#include "banner/Lbf_CtrlDisplay.h"
#include "cheques/CargaCheques.h"
#include "cheques/ChequeItem.h"
#include "cheques/SentenciasCheques.h"
#include "data/DataGlobals.h"
#include "lookup/Lib_ClsCons3.h"
#include "menus/FrmMenus.h"
#include "zimbrel2/ClsFormulario.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/Currency.h"
#include "zimbrel2/RegionalSettings.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QAction>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

void FrmTalonex::cmdConsultar()
{
    QLineEdit* activo = m_controlActivo;
    if (!activo)
        return;
    const QString tag = activo->property("Tag").toString();
    if (tag.isEmpty())
        return;
    QString elegido;
    if (tag.compare(u"Fecha"_s, Qt::CaseInsensitive) == 0) {
        elegido = ClsUtiles::ElegirFecha(activo->text());
    } else if (tag.compare(u"Vt_proveedores"_s, Qt::CaseInsensitive) == 0) {
        Lib_ClsCons3& consulta = Lib_ClsCons3::instance();
        consulta.CampoDevuelto = u"codigo"_s;
        QString campoBusqueda;
        QString where;
        consulta.ConsultaSearch(u"Vt_proveedores"_s, nullptr, QString(), &campoBusqueda, &where, QString(),
                                false, QString());
        elegido = consulta.ValorDevuelto.trimmed();
    } else if (tag.compare(u"MA_CUENTAS"_s, Qt::CaseInsensitive) == 0) {
        Lib_ClsCons3& consulta = Lib_ClsCons3::instance();
        consulta.CampoDevuelto = u"CODIGO"_s;
        QString campoBusqueda;
        QString where = u"MEDIODEPAGO = 'CH' AND TIPOVISTA = 'BC'"_s;
        consulta.ConsultaSearch(u"MA_CUENTAS"_s, &consulta.CmpsDevueltos, QString(), &campoBusqueda, &where,
                                QString(), false, QString());
        elegido = consulta.ValorDevuelto.trimmed();
    } else {
        return;
    }
    // An empty answer is nothing picked (cancelled, or a lookup that could not be made): the field
    // keeps its text and the focus, and nothing is checked.
    if (elegido.isEmpty())
        return;
    activo->setText(elegido);
    // Accepted as if the operator had pressed Enter: checked, and the focus moves on when it passed.
    if (std::find(m_txtBanco1.begin(), m_txtBanco1.end(), activo) != m_txtBanco1.end())
        bancoConfigKeyDown(activo, 13);
    else if (m_txtFields.contains(activo))
        campoKeyDown(activo, 13);
}

// ---------------------------------------------------------------------------------------------
// Loading

void FrmTalonex::preparaLista()
{
    m_lvw->clear();
    m_lvw->setSortingEnabled(false);
    const auto& columnas = columnasLista();
    QStringList titulos;
    for (const ColumnaLista& c : columnas)
        titulos << c.titulo;
    m_lvw->setColumnCount(ColumnaCheque::Cantidad);
    m_lvw->setHeaderLabels(titulos);
    const QFontMetrics metrics(m_lvw->font());
    for (int i = 0; i < ColumnaCheque::Cantidad; ++i) {
        const QString& plantilla = columnas[static_cast<size_t>(i)].plantilla;
        // Columns with an empty template are the ones the program reads and the operator never sees.
        m_lvw->setColumnHidden(i, plantilla.isEmpty());
        if (!plantilla.isEmpty())
            m_lvw->setColumnWidth(i, metrics.horizontalAdvance(plantilla));
    }
    m_lvw->headerItem()->setTextAlignment(ColumnaCheque::Importe, Qt::AlignRight | Qt::AlignVCenter);
}

void FrmTalonex::llenaLista(const std::vector<ChequeFila>& filas)
{
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(filas.size()));
    const QFont fija = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const ChequeFila& fila : filas) {
        QStringList textos;
        textos.reserve(ColumnaCheque::Cantidad);
        for (const QString& t : fila.columnas)
            textos << t;
        auto* item = new ChequeItem(textos);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, fila.marcado ? Qt::Checked : Qt::Unchecked);
        item->setData(0, ChequeItem::MarcaRole, fila.marcado);
        item->setData(0, ChequeItem::ClaveRole, fila.clave);
        item->setData(0, ChequeItem::TagRole, fila.tag);
        // The amount is right-aligned in fourteen characters: shown in a fixed font, the figures line up.
        item->setTextAlignment(ColumnaCheque::Importe, Qt::AlignRight | Qt::AlignVCenter);
        item->setFont(ColumnaCheque::Importe, fija);
        items << item;
    }
    m_lvw->addTopLevelItems(items);
}

void FrmTalonex::CmdCargar_Click()
{
    m_estado.ValidandoCarga = true;
    m_estado.ValidandoGrabar = false;
    const bool validos = DatosValidos();
    m_estado.ValidandoCarga = false;
    if (!validos)
        return;

    TrappedRoutine routine(ClsUtiles::reporterFor(QString()));
    QString sentencia;
    std::vector<ChequeFila> filas;
    m_cargandoLista = true;
    routine.step([&] {
        const FiltroCheques f = filtro();
        if (!m_estado.EnReimpresion) {
            sentencia = SentenciasCheques::chequesSinNumero(f);
        } else {
            const QString hasta = f.numerarHasta.trimmed();
            sentencia = SentenciasCheques::chequesNumerados(
                f, ValidacionFiltros::numeroEntero(f.numerarDesde).value_or(0),
                hasta.isEmpty() ? std::nullopt : ValidacionFiltros::numeroEntero(hasta));
        }
    }) &&
        routine.step([&] { filas = CargaCheques(DataGlobals::gDB()).carga(sentencia); }) &&
        routine.step([&] { preparaLista(); }) && routine.step([&] {
            llenaLista(filas);
            ajustaColumnas();
            setBarra(EstadoBarra::Grabar, !filas.empty());
            actualizaEstado();
        }) &&
        routine.step([&] {
            m_columnaOrden = ColumnaCheque::Numero;
            m_lvw->sortItems(m_columnaOrden, Qt::AscendingOrder);
            m_lvw->setSortingEnabled(true);
        }) &&
        routine.step([&] { gDisplay().CartelCerrar(); });
    m_cargandoLista = false;
}

void FrmTalonex::ajustaColumnas()
{
    // Each shown column as wide as its header (with the sort arrow) and its widest text; when that is
    // more than the list has, the concept and then the two voucher columns give way (never below their
    // header), so that the payee and the supplier stay in view without scrolling. The columns keep
    // their order.
    QHeaderView* header = m_lvw->header();
    // Sorting is switched off while the rows go in, and with it the arrow the headers need room for.
    header->setSortIndicatorShown(true);
    std::array<int, ColumnaCheque::Cantidad> anchos{};
    int total = 0;
    for (int c = 0; c < ColumnaCheque::Cantidad; ++c) {
        if (m_lvw->isColumnHidden(c))
            continue;
        anchos[static_cast<size_t>(c)] = std::max(
            header->sectionSizeHint(c), static_cast<const QAbstractItemView*>(m_lvw)->sizeHintForColumn(c));
        total += anchos[static_cast<size_t>(c)];
    }
    int sobra = total - m_lvw->viewport()->width();
    for (int c : {static_cast<int>(ColumnaCheque::Concepto), static_cast<int>(ColumnaCheque::Comprobante),
                  static_cast<int>(ColumnaCheque::Cpte)}) {
        if (sobra <= 0)
            break;
        int& ancho = anchos[static_cast<size_t>(c)];
        const int minimo = header->sectionSizeHint(c);
        const int quita = std::min(sobra, std::max(ancho - minimo, 0));
        ancho -= quita;
        sobra -= quita;
    }
    for (int c = 0; c < ColumnaCheque::Cantidad; ++c) {
        if (!m_lvw->isColumnHidden(c))
            m_lvw->setColumnWidth(c, anchos[static_cast<size_t>(c)]);
    }
}

// ---------------------------------------------------------------------------------------------
// Selection

int FrmTalonex::chequesMarcados() const
{
    int n = 0;
    const int filas = m_lvw->topLevelItemCount();
    for (int i = 0; i < filas; ++i)
        n += m_lvw->topLevelItem(i)->checkState(0) == Qt::Checked ? 1 : 0;
    return n;
}

void FrmTalonex::marcaTodos(bool marcado)
{
    m_cargandoLista = true;
    const int filas = m_lvw->topLevelItemCount();
    for (int i = 0; i < filas; ++i) {
        QTreeWidgetItem* item = m_lvw->topLevelItem(i);
        item->setCheckState(0, marcado ? Qt::Checked : Qt::Unchecked);
        item->setData(0, ChequeItem::MarcaRole, marcado);
    }
    m_cargandoLista = false;
    actualizaEstado();
    CampoValida(campo(u"serie"_s));
}

void FrmTalonex::CmdTodos_Click()
{
    marcaTodos(true);
}

void FrmTalonex::CmdNinguno_Click()
{
    marcaTodos(false);
}

void FrmTalonex::tickCambiado(QTreeWidgetItem* item, int column)
{
    if (m_cargandoLista || column != 0)
        return;
    const bool marcado = item->checkState(0) == Qt::Checked;
    if (item->data(0, ChequeItem::MarcaRole).toBool() == marcado)
        return; // another change of the row, not its tick
    item->setData(0, ChequeItem::MarcaRole, marcado);
    actualizaEstado();
    if (!m_estado.EnReimpresion)
        CampoValida(campo(u"serie"_s));
}

void FrmTalonex::actualizaEstado()
{
    const int filas = m_lvw->topLevelItemCount();
    if (filas == 0) {
        m_lblEstado->setText(u"No hay cheques para los filtros indicados"_s);
        return;
    }
    int marcados = 0;
    std::int64_t total = 0;
    for (int i = 0; i < filas; ++i) {
        const QTreeWidgetItem* item = m_lvw->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked)
            continue;
        ++marcados;
        const std::optional<Currency> importe =
            Currency::parse(item->text(ColumnaCheque::Importe), RegionalSettings::current());
        total += importe ? importe->units() : 0;
    }
    m_lblEstado->setText(QString::number(marcados) + u" de "_s + QString::number(filas) +
                         u" cheques marcados, total $ "_s +
                         Currency::fromUnits(total).toDisplayText(RegionalSettings::current()));
}

void FrmTalonex::informaCorrida(int marcados)
{
    const bool reimpresion = m_estado.EnReimpresion;
    if (marcados == 0) {
        m_lblEstado->setText(reimpresion ? u"No hay cheques marcados: no se imprimió ninguno"_s
                                         : u"No hay cheques marcados: no se numeró ninguno"_s);
        return;
    }
    if (m_impresoraCancelada) {
        m_lblEstado->setText(reimpresion
                                 ? u"Se canceló la elección de impresora: no se imprimió ningún cheque"_s
                                 : u"Se canceló la elección de impresora: no se numeró ningún cheque"_s);
        return;
    }
    // What the run itself says it did: the rows may already be gone with the window's reset.
    const ResultadoGeneracion& corrida = m_ultimaCorrida;
    if (corrida.generados == 0 || corrida.primero.isEmpty()) {
        m_lblEstado->setText(reimpresion ? u"No se imprimió ningún cheque"_s
                                         : u"No se numeró ningún cheque"_s);
        return;
    }
    const bool varios = corrida.generados > 1;
    QString cheques = u"Cheque "_s + corrida.primero;
    if (varios)
        cheques = u"Cheques "_s + corrida.primero + u" a "_s + corrida.ultimo;
    const QString s = varios ? u"s"_s : QString();
    QString texto;
    if (reimpresion)
        texto = cheques + (m_estado.Fallo ? u": la impresión no terminó"_s : u" impreso"_s + s);
    else if (m_estado.Fallo)
        texto = cheques + u" numerado"_s + s + u"; la impresión no terminó"_s;
    else
        texto = cheques + u" numerado"_s + s + u" e impreso"_s + s;
    m_lblEstado->setText(texto);
    // The next run goes on from the next free number of the chequebook, which counts the numbers
    // other workstations gave meanwhile; without it, from the one after this run's last.
    if (!reimpresion) {
        const QString siguiente = corrida.siguienteLibre.isEmpty() ? corrida.ultimo : corrida.siguienteLibre;
        bool entero = false;
        const qlonglong n = siguiente.mid(2).toLongLong(&entero);
        if (entero)
            setTexto(u"NumerarDesde"_s, QString::number(corrida.siguienteLibre.isEmpty() ? n + 1 : n));
    }
}

void FrmTalonex::ordenaPor(int columna)
{
    if (m_lvw->columnCount() == 0)
        return;
    // Ascending by the clicked column, as the list always sorts.
    m_columnaOrden = columna;
    m_lvw->sortItems(columna, Qt::AscendingOrder);
}

void FrmTalonex::menuContextual(const QPoint& posicion)
{
    QTreeWidgetItem* item = m_lvw->currentItem();
    if (!item || !item->isSelected())
        return;
    FrmMenus& menus = FrmMenus::instancia();
    menus.MNU_Emergente_XV_VerDetalle()->setVisible(false);
    menus.MNU_Emergente_XV_Separador1()->setVisible(false);
    menus.MNU_Emergente_XV_Separador2()->setVisible(true);
    menus.MNU_Emergente_XV_VerAsiento()->setVisible(true);
    // Cleared first: a menu closed without a choice must not repeat the previous one.
    const QString respuesta =
        menus.Pregunta(menus.MNU_Emergente_XV(), m_lvw->viewport()->mapToGlobal(posicion));
    const QString tag = item->data(0, ChequeItem::TagRole).toString();
    if (respuesta.compare(u"VerAsiento"_s, Qt::CaseInsensitive) != 0)
        return;
    // The TC goes without its padding blanks: the launcher drops everything up to the first blank of
    // the parameter, and the viewer must still receive the voucher type.
    QString parametros = u"@TC="_s + tag.mid(0, 4).trimmed() + u"|@Sucursal="_s + tag.mid(4, 4) +
                         u"|@Numero="_s + tag.mid(8, 8) + u"|@Letra="_s + tag.mid(16, 1) + u"|"_s;
    qint32 proceso = 0;
    MenuExes(u"shell:Cons_MV_Asientos"_s, parametros, proceso);
}

std::vector<ChequeFila> FrmTalonex::filasDeLista() const
{
    std::vector<ChequeFila> filas;
    const int n = m_lvw->topLevelItemCount();
    filas.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const QTreeWidgetItem* item = m_lvw->topLevelItem(i);
        ChequeFila fila;
        for (int c = 0; c < ColumnaCheque::Cantidad; ++c)
            fila[c] = item->text(c);
        fila.clave = item->data(0, ChequeItem::ClaveRole).toString();
        fila.tag = item->data(0, ChequeItem::TagRole).toString();
        fila.marcado = item->checkState(0) == Qt::Checked;
        filas.push_back(std::move(fila));
    }
    return filas;
}

void FrmTalonex::actualizaFila(QTreeWidgetItem* item, const ChequeFila& fila)
{
    m_cargandoLista = true;
    item->setData(0, ChequeItem::ClaveRole, fila.clave);
    item->setText(ColumnaCheque::Cheque, fila[ColumnaCheque::Cheque]);
    item->setText(ColumnaCheque::Numero, fila[ColumnaCheque::Numero]);
    m_cargandoLista = false;
}
