// The list lookup window: its controls, load, search combos, buttons and the answers it hands
// back. The rows, columns and widths are built without widgets in ListadoConsulta and the keyboard
// lives in Lib_FrmCons3_Teclado.cpp; what stays here is one handler per control of the window,
// which read best together.
#include "lookup/Lib_FrmCons3.h"

#include "app/Configuracion.h"
#include "app/ErrorReporting.h"
#include "app/MenuExes.h"
#include "data/AdoRecordset.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "lookup/AnchosConsulta.h"
#include "lookup/BotonesConsulta.h"
#include "lookup/ListadoConsulta.h"
#include "lookup/SentenciaConsulta.h"
#include "zimbrel2/ClsFormulario.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/ClsUtilesGui.h"
#include "zimbrel2/MedidaTextos.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/TrappedRoutine.h"
#include "zimbrel2/Twips.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The designed places of the window, in twips.
constexpr int AltoFilaSuperior = 300;
constexpr int AltoBotonSuperior = 285;
constexpr int AnchoBotonSuperior = 1095;
constexpr int TopeBuscadores = 300;
constexpr int AltoBuscador = 315;
constexpr int TopeLista = 645;
constexpr int AltoFranja = 615;
constexpr int AnchoBoton = 1695;
constexpr int AltoBoton = 495;
constexpr int TopeBoton = 60;
constexpr int AltoInicial = 6300;
// The platform never let a window get narrower than its caption needs; here that keeps the two
// buttons of a short option list side by side inside the window.
constexpr int AnchoMinimo = 2100;
// The layout rules measure the whole window, caption and borders included.
constexpr int AltoMarco = 405;
constexpr int AnchoMarco = 120;

// A listed row: the list sorts its texts without regard to case, as the operator reads them.
class FilaConsulta : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
    }
};

ErrorReporter reporter(const QString& rutina)
{
    return [rutina](const RuntimeError& error) { return TrataError(error, std::nullopt, rutina); };
}

int px(int twips, const QWidget*)
{
    return Twips::aPixelesX(twips);
}

int tw(int pixels, const QWidget*)
{
    return Twips::desdePixelesX(pixels);
}

} // namespace

Lib_FrmCons3::Lib_FrmCons3(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"Lib_FrmCons3"_s);
    setWindowTitle(u"Consulta..."_s);
    setModal(true);

    m_picFields = new QWidget(this);
    m_picFields->setObjectName(u"picFields"_s);
    m_label1 = new QLabel(u"CONSULTA"_s, m_picFields);
    m_label1->setObjectName(u"Label1"_s);
    m_cmdTodos = new QPushButton(u"&Marcar"_s, m_picFields);
    m_cmdTodos->setObjectName(u"CmdTodos"_s);
    m_cmdTodos->setAutoDefault(false);
    m_cmdNuevo = new QPushButton(u"N&uevo"_s, m_picFields);
    m_cmdNuevo->setObjectName(u"CmdNuevo"_s);
    m_cmdNuevo->setAutoDefault(false);

    m_list = new QTreeWidget(m_picFields);
    m_list->setObjectName(u"ListView1"_s);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setStretchLastSection(false);
    // The arrow shows the column the list is sorted by; every header keeps room for it.
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(-1, Qt::AscendingOrder);
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({QString()});

    m_scroll = new QScrollBar(Qt::Horizontal, m_picFields);
    m_scroll->setObjectName(u"HScroll1"_s);

    m_frame1 = new QWidget(this);
    m_frame1->setObjectName(u"Frame1"_s);
    const BotonesConsulta botones = BotonesConsulta::crea(m_frame1);
    m_cmdAceptar = botones.aceptar;
    m_cmdCancelar = botones.cancelar;
    m_cmdNueva = botones.nueva;
    for (QPushButton* b : {m_cmdAceptar, m_cmdCancelar, m_cmdNueva})
        b->setGeometry(0, px(TopeBoton, this), px(AnchoBoton, this), px(AltoBoton, this));
    m_cmdTodos->resize(px(AnchoBotonSuperior, this), px(AltoBotonSuperior, this));
    m_cmdNuevo->resize(px(AnchoBotonSuperior, this), px(AltoBotonSuperior, this));
    m_cmdTodos->setVisible(false);

    // Tab order: the search boxes (box 0 first), the list, then the buttons.
    QWidget* orden[] = {buscador(0), m_list, m_cmdAceptar, m_cmdCancelar, m_cmdNueva, m_cmdNuevo, m_cmdTodos};
    for (size_t i = 1; i < std::size(orden); ++i)
        QWidget::setTabOrder(orden[i - 1], orden[i]);

    connect(m_cmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(m_cmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(m_cmdNueva, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
    connect(m_cmdTodos, &QPushButton::clicked, this, [this] { CmdTodos_Click(); });
    connect(m_cmdNuevo, &QPushButton::clicked, this, [this] { CmdNuevo_Click(); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { CmdAceptar_Click(); });
    connect(m_list->header(), &QHeaderView::sectionClicked, this, [this](int c) { OrdenaPorColumna(c); });
    connect(m_list->header(), &QHeaderView::sectionResized, this, [this] { UbicaBuscadores(); });
    // The strip's scroll bar moves the columns and their search boxes together.
    QScrollBar* own = m_list->horizontalScrollBar();
    connect(own, &QScrollBar::rangeChanged, m_scroll, &QScrollBar::setRange);
    connect(own, &QScrollBar::valueChanged, this, [this](int v) {
        m_scroll->setValue(v);
        UbicaBuscadores();
    });
    connect(m_scroll, &QScrollBar::valueChanged, own, &QScrollBar::setValue);

    vigila(m_list);
    for (QWidget* w : {static_cast<QWidget*>(m_cmdAceptar), static_cast<QWidget*>(m_cmdCancelar),
                       static_cast<QWidget*>(m_cmdNueva), static_cast<QWidget*>(m_cmdTodos),
                       static_cast<QWidget*>(m_cmdNuevo), static_cast<QWidget*>(m_scroll)})
        vigila(w);

    setMinimumWidth(px(AnchoMinimo, this));
    resize(px(8000, this), px(AltoInicial, this));
}

Lib_FrmCons3::~Lib_FrmCons3() = default;

QColor Lib_FrmCons3::ColorBuscadorActivo()
{
    return Twips::aColor(0xFFFF00);
}

QColor Lib_FrmCons3::ColorBuscador()
{
    return Twips::aColor(0xFFFFFF);
}

void Lib_FrmCons3::vigila(QWidget* widget)
{
    widget->installEventFilter(this);
}

QComboBox* Lib_FrmCons3::buscador(int index)
{
    while (m_boxes.size() <= index) {
        const int i = static_cast<int>(m_boxes.size());
        auto* box = new QComboBox(m_picFields);
        box->setObjectName(u"CmbSearch"_s + QString::number(i));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setToolTip(u"F5 realiza nueva busqueda"_s);
        box->setAutoFillBackground(true);
        box->setFixedHeight(px(AltoBuscador, this));
        box->lineEdit()->setAutoFillBackground(true);
        QPalette palette = box->lineEdit()->palette();
        palette.setColor(QPalette::Base, ColorBuscador());
        box->lineEdit()->setPalette(palette);
        // Keys and focus reach the box itself, which hands them on to its line edit.
        vigila(box);
        connect(box, &QComboBox::editTextChanged, this, [this, i] { BuscaTexto(i); });
        connect(box, &QComboBox::activated, this, [this, i] { BuscaTexto(i); });
        if (i > 0)
            QWidget::setTabOrder(m_boxes.back(), box);
        m_boxes << box;
    }
    return m_boxes[index];
}

void Lib_FrmCons3::showEvent(QShowEvent* event)
{
    AseguraCarga();
    // Type-ahead works at once: the window opens in the first search box.
    buscador(0)->setFocus();
    // The keys go to this window even where the window manager would leave the focus behind.
    QTimer::singleShot(0, this, [this] { activateWindow(); });
    QDialog::showEvent(event);
}

void Lib_FrmCons3::AseguraCarga()
{
    if (!m_cargada)
        Cargar();
}

void Lib_FrmCons3::Cargar()
{
    m_cargada = true;
    m_cargaFallida = false;
    TrappedRoutine routine(reporter(u"FORM_LOAD"_s));
    DB_Dll& db = DataGlobals::gDB();
    AdoRecordset rs;

    if (!routine.step([&] {
            m_esArticulos = sql.contains(u"articulos"_s, Qt::CaseInsensitive);
            Valores.clear();
            Cantidades.clear();
            m_list->clear();
            QFont font = m_list->font();
            font.setBold(true);
            font.setPointSize(10);
            m_list->setFont(font);
        }))
        return;
    if (sql.trimmed().isEmpty()) {
        ClsUtilesGui::PreparaVentana(this, 0);
        return;
    }
    routine.step([&] {
        sql += u" "_s;
        m_tablaConsulta = SentenciaConsulta::TablaDeSentencia(sql);
        if (m_sqlOriginal.isEmpty())
            m_sqlOriginal = sql;
        m_sqlBase = sql;
    }) &&
        routine.step([&] {
            // The data layer rewrites the text it is given (restricted views); the window keeps its own.
            QString statement = sql;
            db.AbrirRecordset(statement, rs, nullptr, 0, 1, -1, true);
            // A statement the data layer could not open has been reported there: the load stops
            // rather than read rows that are not there.
            m_cargaFallida = !rs.isOpen();
        }) &&
        !m_cargaFallida && routine.step([&] { Encolumnar(rs); }) && routine.step([&] { Leer(rs); }) &&
        routine.step([&] { AnchoPorContenido(); }) && routine.step([&] {
            if (OrdenarPorLwv) {
                m_list->sortItems(m_sortColumn, m_sortOrder);
                m_list->header()->setSortIndicator(m_sortColumn, m_sortOrder);
            }
            if (m_list->topLevelItemCount() > 0 && !m_list->currentItem())
                m_list->setCurrentItem(m_list->topLevelItem(0));
        }) &&
        routine.step([&] {
            if (!FiltroInicial.trimmed().isEmpty())
                buscador(0)->setEditText(FiltroInicial);
        }) &&
        routine.step([&] { db.CierraRecordset(&rs); }) && routine.step([&] { CargaAnchos(); }) &&
        routine.step([&] { CalcularAncho(); }) &&
        routine.step([&] { ClsUtilesGui::PreparaVentana(this, 0); });
}

void Lib_FrmCons3::Encolumnar(AdoRecordset& rs)
{
    QList<ListadoConsulta::Columna> columnas;
    try {
        ListadoConsulta::Encolumnar(rs, sql, ValoresDefault, columnas);
    } catch (const RuntimeError& failure) {
        operatorDialogs().messageBox(failure.description(), MsgStyle::OkOnly, QString());
    }
    QStringList headers;
    QList<int> widths;
    m_sinTamano.clear();
    m_ensancha = false;
    for (int i = 0; i < columnas.size(); ++i) {
        const ListadoConsulta::Columna& columna = columnas[i];
        QComboBox* box = buscador(i);
        ClsFormulario::setDataField(box, columna.campo);
        if (i > 0)
            box->setVisible(true);
        if (columna.sinTamano)
            m_sinTamano << i;
        m_ensancha = m_ensancha || columna.ensanchada;
        headers << columna.titulo;
        widths << fontMetrics().horizontalAdvance(QString(columna.letras, u'X'));
    }
    for (qsizetype i = std::max<qsizetype>(headers.size(), 1); i < m_boxes.size(); ++i)
        m_boxes[i]->setVisible(false);
    m_list->setColumnCount(std::max<int>(static_cast<int>(headers.size()), 1));
    m_list->setHeaderLabels(headers.isEmpty() ? QStringList{QString()} : headers);
    // Never narrower than the header's own text and sort arrow.
    for (int i = 0; i < widths.size(); ++i)
        m_list->setColumnWidth(i, std::max(widths[i], m_list->header()->sectionSizeHint(i)));
}

void Lib_FrmCons3::Leer(AdoRecordset& rs)
{
    m_filas.clear();
    const ListadoConsulta::Opciones opciones{sql,          CampoDevuelto, CheckBoxes, ValoresDefault,
                                             MuestraStock, StkNivel1,     StkNivel2,  StkNivel3,
                                             StkNivel4};
    m_filas = ListadoConsulta::Leer(rs, opciones);
    const int fields = rs.fieldCount();
    QList<QTreeWidgetItem*> items;
    items.reserve(m_filas.size());
    for (const ListadoConsulta::Fila& fila : std::as_const(m_filas)) {
        auto* item = new FilaConsulta();
        items << item;
        for (int i = 0; i < fila.textos.size(); ++i)
            item->setText(i, fila.textos[i]);
        if (CheckBoxes)
            item->setCheckState(0, fila.marcada ? Qt::Checked : Qt::Unchecked);
        if (fila.color) {
            const QColor c = Twips::aColor(*fila.color);
            for (int i = 0; i < std::max(fields, 1); ++i)
                item->setForeground(i, c);
        }
    }
    m_list->addTopLevelItems(items);
}

void Lib_FrmCons3::AnchoPorContenido()
{
    // An engine that gives no defined size for a field leaves the column as wide as its longest
    // value (or header), under the same cap.
    const QTreeWidgetItem* header = m_list->headerItem();
    for (int column : std::as_const(m_sinTamano)) {
        const int x = ListadoConsulta::LetrasPorContenido(header->text(column), m_filas, column, m_ensancha);
        m_list->setColumnWidth(column, std::max(fontMetrics().horizontalAdvance(QString(x, u'X')),
                                                m_list->header()->sectionSizeHint(column)));
    }
    m_filas.clear();
}

int Lib_FrmCons3::IndiceColumna(const QString& Columna) const
{
    const QTreeWidgetItem* header = m_list->headerItem();
    const QString sought = Columna.trimmed();
    for (int i = 0; i < m_list->columnCount(); ++i) {
        if (header->text(i).trimmed().compare(sought, Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

void Lib_FrmCons3::CalcularAncho()
{
    int total = 0;
    for (int i = 0; i < m_list->columnCount(); ++i)
        total += tw(m_list->columnWidth(i), this);
    const int listWidth = total + 360;
    m_list->resize(px(listWidth, this), m_list->height());
    m_picFields->resize(px(total + 360, this), m_picFields->height());
    m_scroll->resize(px(total, this), m_scroll->height());
    const QScreen* scr = screen() ? screen() : QGuiApplication::primaryScreen();
    const int screenWidth = scr ? tw(scr->availableGeometry().width(), this) : 15 * 1024;
    const int windowWidth = listWidth + 360 >= screenWidth ? screenWidth - 480 : listWidth + 280;
    resize(std::max(px(windowWidth - AnchoMarco, this), 1), height());
    Reacomoda();
}

void Lib_FrmCons3::UbicaBuscadores()
{
    const QHeaderView* header = m_list->header();
    const int left = m_list->x() + m_list->viewport()->x();
    const int columns = m_list->columnCount();
    for (int i = 0; i < columns && i < m_boxes.size(); ++i) {
        QComboBox* box = m_boxes[i];
        box->setGeometry(left + header->sectionViewportPosition(i), m_topeBuscadores,
                         std::max(header->sectionSize(i) - px(50, this), 1), px(AltoBuscador, this));
    }
}

void Lib_FrmCons3::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Reacomoda();
}

void Lib_FrmCons3::Reacomoda()
{
    if (m_reacomodando)
        return;
    m_reacomodando = true;
    const int h = tw(height(), this) + AltoMarco;
    const int wd = tw(width(), this) + AnchoMarco;
    const int franja = AltoFranja;
    const int picHeight = h - franja - 480;
    const int listHeight = picHeight - franja - 600;
    const int picWidth = wd - 120;
    const int listWidth = picWidth - 20;
    m_picFields->setGeometry(0, 0, std::max(px(picWidth, this), 1), std::max(px(picHeight, this), 1));
    // The top row (title and its two buttons) as tall as its buttons need; the boxes and the list
    // below it move down with it.
    const int fila = std::max(
        {px(AltoFilaSuperior, this), m_cmdNuevo->sizeHint().height(), m_cmdTodos->sizeHint().height()});
    m_topeBuscadores = std::max(px(TopeBuscadores, this), fila);
    const int topeLista = px(TopeLista, this) + (m_topeBuscadores - px(TopeBuscadores, this));
    m_list->setGeometry(0, topeLista, std::max(px(listWidth, this), 1),
                        std::max(px(listHeight, this) - (topeLista - px(TopeLista, this)), 1));
    m_frame1->setGeometry(0, px(h - franja - 520, this), px(wd, this), px(franja, this));
    const int scrollHeight = tw(m_scroll->sizeHint().height(), this);
    m_scroll->setGeometry(0, px(picHeight - scrollHeight - 120, this), std::max(px(wd - 120, this), 1),
                          px(scrollHeight, this));

    const int stripWidth = wd;
    int aceptarWidth = AnchoBoton;
    int cancelarWidth = AnchoBoton;
    int aceptarLeft = 100;
    int cancelarLeft = (stripWidth - cancelarWidth) / 2;
    int nuevaLeft = stripWidth - (cancelarWidth + 150);
    if (m_cmdNueva->isHidden()) {
        if (aceptarWidth + cancelarWidth + 400 > stripWidth) {
            aceptarWidth /= 2;
            cancelarWidth = aceptarWidth;
            aceptarLeft = 100;
            cancelarLeft = stripWidth - (cancelarWidth + 150);
            nuevaLeft = cancelarLeft;
        } else {
            cancelarLeft = nuevaLeft;
        }
    }
    // The designed measures, or what the text needs in the window's font and look when that is more.
    const auto ubica = [this](QPushButton* b, int left, int width) {
        const QSize hint = b->sizeHint();
        b->setGeometry(px(left, this), px(TopeBoton, this), std::max(px(width, this), hint.width()),
                       std::max(px(AltoBoton, this), hint.height()));
    };
    ubica(m_cmdAceptar, aceptarLeft, aceptarWidth);
    ubica(m_cmdCancelar, cancelarLeft, cancelarWidth);
    ubica(m_cmdNueva, nuevaLeft, AnchoBoton);
    if (m_cmdNueva->isHidden()) {
        // "&Cancelar" keeps its place at the right of the strip, however wide its text made it.
        m_cmdCancelar->move(px(stripWidth, this) - px(150, this) - m_cmdCancelar->width(),
                            m_cmdCancelar->y());
        m_cmdNueva->move(m_cmdCancelar->pos());
    }
    // Never so narrow that the two buttons of the strip overlap or leave it.
    const int botones = m_cmdAceptar->width() + m_cmdCancelar->width() +
                        (m_cmdNueva->isHidden() ? 0 : m_cmdNueva->width() + px(60, this));
    const int minimo = std::max(px(AnchoMinimo, this), botones + px(100 + 150 + 60 + AnchoMarco, this));
    if (minimumWidth() < minimo)
        setMinimumWidth(minimo);
    // A button wider than designed keeps clear of the edge and of the button before it.
    const int derecha = width() - px(150 - AnchoMarco, this);
    if (!m_cmdNueva->isHidden() && m_cmdNueva->geometry().right() > derecha)
        m_cmdNueva->move(
            std::max(derecha - m_cmdNueva->width(), m_cmdCancelar->geometry().right() + px(60, this)),
            m_cmdNueva->y());

    for (QPushButton* b : {m_cmdNuevo, m_cmdTodos}) {
        const QSize hint = b->sizeHint();
        b->resize(std::max(px(AnchoBotonSuperior, this), hint.width()),
                  std::max(px(AltoBotonSuperior, this), hint.height()));
    }
    const int nuevoWidth = tw(m_cmdNuevo->width(), this);
    m_label1->setGeometry(0, 0, std::max(px(listWidth - nuevoWidth, this), 1), fila);
    m_cmdNuevo->move(px(listWidth - nuevoWidth, this), 0);
    m_cmdTodos->move(m_cmdNuevo->x() - m_cmdTodos->width() - px(60, this), 0);
    UbicaBuscadores();
    m_reacomodando = false;
}

void Lib_FrmCons3::CargaAnchos()
{
    const QString archivo = ProgramInfo::readablePath(AnchosConsulta::NombreArchivo());
    const QList<int> anchos =
        AnchosConsulta::Lee(archivo, AnchosConsulta::Tabla(m_tablaConsulta), m_list->columnCount());
    for (int i = 0; i < anchos.size(); ++i)
        m_list->setColumnWidth(i, px(anchos[i], this));
    UbicaBuscadores();
}

void Lib_FrmCons3::GuardaAnchos()
{
    if (!GrabarCfg)
        return;
    QList<int> anchos;
    for (int i = 0; i < m_list->columnCount(); ++i)
        anchos << tw(m_list->columnWidth(i), this);
    if (!AnchosConsulta::Graba(ProgramInfo::writablePath(AnchosConsulta::NombreArchivo()),
                               ProgramInfo::writablePath(AnchosConsulta::NombreTrabajo()),
                               AnchosConsulta::Tabla(m_tablaConsulta), anchos))
        throw RuntimeError(75, u"Path/File access error"_s);
}

void Lib_FrmCons3::Descargar()
{
    try {
        GuardaAnchos();
        m_list->clear();
    } catch (const RuntimeError& failure) {
        operatorDialogs().messageBox(failure.description(), MsgStyle::Critical, u"Aviso al Operador"_s);
    }
}

QString Lib_FrmCons3::valorColumna(const QTreeWidgetItem* item, int k, const QString& previo) const
{
    if (k == 1)
        return item->text(0);
    if (k > 1)
        return item->text(k - 1);
    return previo;
}

void Lib_FrmCons3::CmdAceptar_Click()
{
    TrappedRoutine routine(reporter(u"CmdAceptar_Click"_s));
    if (CheckBoxes) {
        routine.step([&] {
            if (CampoDevuelto.isEmpty())
                CampoDevuelto = m_list->headerItem()->text(0);
        }) &&
            routine.step([&] {
                const int k = IndiceColumna(CampoDevuelto);
                QString valor;
                for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
                    const QTreeWidgetItem* item = m_list->topLevelItem(i);
                    if (item->checkState(0) != Qt::Checked)
                        continue;
                    valor = valorColumna(item, k, valor);
                    Valores << valor;
                }
            }) &&
            routine.step([&] { hide(); });
        return;
    }
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        hide();
        return;
    }
    QString valor;
    routine.step([&] {
        if (CmpsDevueltos) {
            for (const QString& name : *CmpsDevueltos) {
                valor = valorColumna(item, IndiceColumna(name), valor);
                Valores << valor;
            }
        }
    }) &&
        routine.step([&] {
            if (!CampoDevuelto.trimmed().isEmpty())
                valor = valorColumna(item, IndiceColumna(CampoDevuelto), valor);
            ValorDevuelto = valor;
        }) &&
        routine.step([&] { hide(); });
}

void Lib_FrmCons3::CmdCancelar_Click()
{
    ValorDevuelto.clear();
    CmpsDevueltos = nullptr;
    Valores.clear();
    hide();
}

void Lib_FrmCons3::reject()
{
    // Escape and the close box cancel.
    CmdCancelar_Click();
}

void Lib_FrmCons3::CmdTodos_Click()
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

void Lib_FrmCons3::CmdNueva_Click()
{
    sql = m_sqlOriginal;
    Cargar();
    buscador(0)->setFocus();
}

void Lib_FrmCons3::CmdNuevo_Click()
{
    const QString tabla = m_tablaConsulta.trimmed();
    const auto is = [&](QStringView name) { return tabla.compare(name, Qt::CaseInsensitive) == 0; };
    QString programa = u"SHELL:V_TA_TABLAS"_s;
    QString parametro = m_tablaConsulta;
    if (is(u"V_TA_RUBROS") || is(u"V_TA_UNIDAD")) {
    } else if (is(u"VT_CLIENTES")) {
        programa = u"SHELL:V_MA_CLIENTES"_s;
        parametro = u"1"_s;
    } else if (is(u"VT_PROVEEDORES")) {
        programa = u"SHELL:V_MA_CLIENTES"_s;
        parametro = u"0"_s;
    } else if (is(u"V_TA_Tecnicos")) {
        programa = u"SHELL:V_TA_Tecnicos"_s;
        parametro.clear();
    } else if (is(u"V_TA_VENDEDORES")) {
        programa = u"SHELL:V_TA_VENDEDORES"_s;
        parametro.clear();
    } else if (is(u"V_MA_ARTICULOS") || is(u"VT_MA_ARTICULOS")) {
        programa = u"SHELL:V_MA_ARTICULOS"_s;
        parametro.clear();
    }
    qint32 proceso = 0;
    MenuExes(programa, parametro, proceso);
}

void Lib_FrmCons3::PreparaLista(const QString& titulo, bool marcas)
{
    AseguraCarga();
    setWindowTitle(titulo);
    MedidaTextos::reservaTitulo(this);
    m_cmdNueva->setVisible(false);
    OrdenarPorLwv = true;
    sql.clear();
    gConnString.clear();
    CampoDevuelto = titulo;
    CheckBoxes = marcas;
    m_list->clear();
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({titulo});
    m_list->setColumnWidth(0, std::max(m_list->width(), 1));
    buscador(0)->setVisible(true);
    UbicaBuscadores();
}

void Lib_FrmCons3::AgregaFila(const QString& texto, bool marcada)
{
    auto* item = new FilaConsulta(m_list);
    item->setText(0, texto);
    if (CheckBoxes)
        item->setCheckState(0, marcada ? Qt::Checked : Qt::Unchecked);
    if (!m_list->currentItem())
        m_list->setCurrentItem(item);
}
