#include "cheques/FrmTalonex.h"

#include "app/AppState.h"
#include "app/Inicio.h"
#include "app/WindowLook.h"
#include "cheques/CargaCheques.h"
#include "cheques/ChequeItem.h"
#include "cheques/SentenciasCheques.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "report/ClsReporte.h"
#include "zimbrel2/Clock.h"
#include "zimbrel2/ClsDialogo.h"
#include "zimbrel2/ClsFormulario.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/ClsUtilesGui.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The property that marks a filter field as still to be validated when the focus leaves it.
constexpr const char* PorValidar = "PorValidar";
constexpr const char* TagProperty = "Tag";

const QString ColorFoco = u"QLineEdit { background-color: rgb(0, 255, 255); }"_s;
const QString ColorNormal = u"QLineEdit { background-color: rgb(255, 255, 255); }"_s;

// The whole-form validation and the toolbar's "CANCELAR" address the fields by their index here.
struct DefinicionCampo
{
    const char16_t* dataField;
    const char16_t* tag;
    int maximo;
};
constexpr DefinicionCampo Campos[] = {
    {u"ProveedorH", u"vt_Proveedores", 15}, {u"FechaD", u"fecha", 10}, {u"FechaH", u"fecha", 10},
    {u"ProveedorD", u"vt_Proveedores", 15}, {u"Serie", u"", 1},        {u"NumerarDesde", u"", 0},
    {u"idbanco", u"MA_CUENTAS", 15},        {u"NumerarHasta", u"", 0},
};

} // namespace

FrmTalonex::FrmTalonex(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(u"FrmTalonex"_s);
    construye();
}

FrmTalonex::~FrmTalonex() = default;

// ---------------------------------------------------------------------------------------------
// Construction

QLineEdit* FrmTalonex::agregaCampo(const QString& dataField, const QString& tag, int maximo)
{
    auto* campo = new QLineEdit(this);
    campo->setObjectName(dataField);
    ClsFormulario::setDataField(campo, dataField);
    campo->setProperty(TagProperty, tag);
    if (maximo > 0)
        campo->setMaxLength(maximo);
    campo->installEventFilter(this);
    connect(campo, &QLineEdit::textEdited, campo, [campo] { campo->setProperty(PorValidar, true); });
    return campo;
}

void FrmTalonex::construye()
{
    setWindowTitle(u"Impresion de Cheques"_s);
    for (const DefinicionCampo& c : Campos)
        m_txtFields << agregaCampo(QString::fromUtf16(c.dataField), QString::fromUtf16(c.tag), c.maximo);
    construyeBarra();
    m_tab = new QTabWidget(this);
    m_tab->setObjectName(u"SSTab1"_s);
    m_tab->addTab(construyeCheques(), u"Cheques a Imprimir"_s);
    m_tab->addTab(construyeConfiguracion(), u"Configuracion"_s);
    setCentralWidget(m_tab);
    connect(m_tab, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1)
            CargarCfgCh();
    });
    // The whole list in view on a 1366 x 768 screen; no larger than the screen on smaller ones.
    QSize tamano(1366, 740);
    if (const QScreen* pantalla = QGuiApplication::primaryScreen())
        tamano = tamano.boundedTo(pantalla->availableGeometry().size());
    resize(tamano);
}

void FrmTalonex::construyeBarra()
{
    m_morvane = addToolBar(u"Morvane1"_s);
    m_morvane->setObjectName(u"Morvane1"_s);
    m_morvane->setMovable(false);
    m_morvane->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    struct Boton
    {
        const char16_t* key;
        const char16_t* texto;
        const char16_t* ayuda;
        QKeySequence atajo;
        QStyle::StandardPixmap icono;
    };
    // The window sees these keys before its fields do, as the suite's toolbar did.
    const Boton botones[] = {
        {u"GRABAR", u"Grabar", u"Numerar e imprimir los cheques marcados (F10)", QKeySequence(Qt::Key_F10),
         QStyle::SP_DialogSaveButton},
        {u"CONSULTAR", u"Consultar", u"Consultar el campo activo (F3)", QKeySequence(Qt::Key_F3),
         QStyle::SP_FileDialogContentsView},
        {u"CANCELAR", u"Cancelar", u"Volver a empezar (Esc)", QKeySequence(Qt::Key_Escape),
         QStyle::SP_DialogCancelButton},
        {u"CERRAR", u"Cerrar", u"Cerrar el programa (Ctrl+Q)", QKeySequence(u"Ctrl+Q"_s),
         QStyle::SP_DialogCloseButton},
    };
    for (const Boton& b : botones) {
        const QString key = QString::fromUtf16(b.key);
        QAction* action = m_morvane->addAction(style()->standardIcon(b.icono), QString::fromUtf16(b.texto));
        action->setObjectName(key);
        action->setData(key);
        action->setToolTip(QString::fromUtf16(b.ayuda));
        action->setShortcut(b.atajo);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, key] { Morvane1_click(key); });
        if (key == u"GRABAR")
            m_grabar = action;
    }
    m_grabar->setEnabled(false);
}

QWidget* FrmTalonex::construyeCheques()
{
    auto* pagina = new QWidget(this);
    pagina->setObjectName(u"TabCheques"_s);
    auto* grid = new QGridLayout;
    const auto etiqueta = [&](const QString& texto, QLineEdit* buddy, const QString& nombre = {}) {
        auto* label = new QLabel(texto, pagina);
        label->setObjectName(nombre.isEmpty() ? u"lbl"_s + buddy->objectName() : nombre);
        label->setBuddy(buddy);
        return label;
    };
    QLineEdit* fechaD = campo(u"FechaD"_s);
    QLineEdit* fechaH = campo(u"FechaH"_s);
    QLineEdit* provD = campo(u"ProveedorD"_s);
    QLineEdit* provH = campo(u"ProveedorH"_s);
    QLineEdit* banco = campo(u"idbanco"_s);
    QLineEdit* serie = campo(u"Serie"_s);
    QLineEdit* desde = campo(u"NumerarDesde"_s);
    QLineEdit* hasta = campo(u"NumerarHasta"_s);
    for (QLineEdit* fecha : {fechaD, fechaH}) {
        fecha->setPlaceholderText(u"dd/mm/aaaa"_s);
        fecha->setToolTip(u"Fecha dd/mm/aaaa (F3: calendario)"_s);
    }
    for (QLineEdit* prov : {provD, provH})
        prov->setToolTip(u"Codigo de proveedor (F3: consultar)"_s);
    banco->setToolTip(u"Cuenta bancaria que emite los cheques (F3: consultar)"_s);
    serie->setToolTip(u"Letra de la serie de la chequera"_s);
    desde->setToolTip(u"Primer numero de cheque a usar"_s);

    grid->addWidget(etiqueta(u"Fecha &Desde"_s, fechaD), 0, 0);
    grid->addWidget(fechaD, 0, 1);
    grid->addWidget(etiqueta(u"Hasta"_s, fechaH), 0, 2);
    grid->addWidget(fechaH, 0, 3);
    grid->addWidget(etiqueta(u"&Proveedor Desde:"_s, provD), 1, 0);
    grid->addWidget(provD, 1, 1);
    grid->addWidget(etiqueta(u"Hasta"_s, provH), 1, 2);
    grid->addWidget(provH, 1, 3);
    grid->addWidget(etiqueta(u"&Banco:"_s, banco), 2, 0);
    grid->addWidget(banco, 2, 1);
    m_lblDescBanco = new QLabel(u"..."_s, pagina);
    m_lblDescBanco->setObjectName(u"lblDescBanco"_s);
    grid->addWidget(m_lblDescBanco, 2, 2, 1, 3);

    m_frmFiltros = new QGroupBox(pagina);
    m_frmFiltros->setObjectName(u"FrmFiltros"_s);
    auto* numeracion = new QHBoxLayout(m_frmFiltros);
    numeracion->addWidget(etiqueta(u"&Serie:"_s, serie));
    numeracion->addWidget(serie);
    serie->setMaximumWidth(40);
    desde->setMaximumWidth(140);
    hasta->setMaximumWidth(140);
    numeracion->addWidget(etiqueta(u"&Numerar desde:"_s, desde));
    numeracion->addWidget(desde);
    m_lblHasta = etiqueta(u"Hasta"_s, hasta, u"lblHasta"_s);
    numeracion->addWidget(m_lblHasta);
    numeracion->addWidget(hasta);
    numeracion->addStretch();
    m_lblHasta->setVisible(false);
    hasta->setVisible(false);
    grid->addWidget(m_frmFiltros, 3, 0, 1, 5);
    grid->setColumnStretch(4, 1);

    m_cmdCargar = new QPushButton(u"&Cargar Cheques >>>"_s, pagina);
    m_cmdCargar->setObjectName(u"CmdCargar"_s);
    connect(m_cmdCargar, &QPushButton::clicked, this, &FrmTalonex::CmdCargar_Click);

    m_lvw = new QTreeWidget(pagina);
    m_lvw->setObjectName(u"Lvw"_s);
    m_lvw->setToolTip(u"Boton derecho para ver el Asiento"_s);
    m_lvw->setRootIsDecorated(false);
    m_lvw->setUniformRowHeights(true);
    m_lvw->setAllColumnsShowFocus(true);
    m_lvw->setAlternatingRowColors(true);
    m_lvw->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvw->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvw->setContextMenuPolicy(Qt::CustomContextMenu);
    m_lvw->header()->setSectionsClickable(true);
    m_lvw->header()->setSortIndicatorShown(true);
    m_lvw->setColumnCount(0);
    m_lvw->setHeaderLabels({});
    connect(m_lvw->header(), &QHeaderView::sectionClicked, this, &FrmTalonex::ordenaPor);
    connect(m_lvw, &QTreeWidget::itemChanged, this, &FrmTalonex::tickCambiado);
    connect(m_lvw, &QWidget::customContextMenuRequested, this, &FrmTalonex::menuContextual);
    // Space ticks the current row, so the list can be worked from the keyboard.
    m_lvw->installEventFilter(this);

    m_cmdTodos = new QPushButton(u"&Todos"_s, pagina);
    m_cmdTodos->setObjectName(u"CmdTodos"_s);
    connect(m_cmdTodos, &QPushButton::clicked, this, &FrmTalonex::CmdTodos_Click);
    m_cmdNinguno = new QPushButton(u"&Ninguno"_s, pagina);
    m_cmdNinguno->setObjectName(u"CmdNinguno"_s);
    connect(m_cmdNinguno, &QPushButton::clicked, this, &FrmTalonex::CmdNinguno_Click);
    m_chkPantalla = new QCheckBox(u"Vista previa por pantalla"_s, pagina);
    m_chkPantalla->setObjectName(u"ChkPantalla"_s);
    m_chkImpresora = new QCheckBox(u"Seleccionar Impresora"_s, pagina);
    m_chkImpresora->setObjectName(u"chkImpresora"_s);

    // Enter presses the button with the focus, as Space does (a main window's buttons take neither
    // by default).
    for (QPushButton* b : {m_cmdCargar, m_cmdTodos, m_cmdNinguno})
        b->setAutoDefault(true);

    auto* abajo = new QHBoxLayout;
    abajo->addWidget(m_cmdTodos);
    abajo->addWidget(m_cmdNinguno);
    abajo->addStretch();
    abajo->addWidget(m_chkPantalla);
    abajo->addWidget(m_chkImpresora);

    auto* cargar = new QHBoxLayout;
    cargar->addStretch();
    cargar->addWidget(m_cmdCargar);

    m_lblEstado = new QLabel(pagina);
    m_lblEstado->setObjectName(u"lblEstado"_s);

    auto* vbox = new QVBoxLayout(pagina);
    vbox->addLayout(grid);
    vbox->addLayout(cargar);
    vbox->addWidget(m_lvw, 1);
    vbox->addWidget(m_lblEstado);
    vbox->addLayout(abajo);

    // Focus order: dates, suppliers, bank, series, numbers, then the load button and the list.
    QWidget* orden[] = {fechaD, fechaH,      provD, provH,      banco,        serie,         desde,
                        hasta,  m_cmdCargar, m_lvw, m_cmdTodos, m_cmdNinguno, m_chkPantalla, m_chkImpresora};
    for (size_t i = 1; i < std::size(orden); ++i)
        setTabOrder(orden[i - 1], orden[i]);
    return pagina;
}

QWidget* FrmTalonex::construyeConfiguracion()
{
    auto* pagina = new QWidget(this);
    pagina->setObjectName(u"TabConfiguracion"_s);
    auto* grid = new QGridLayout;
    auto* cuenta = new QLabel(u"Cuenta"_s, pagina);
    cuenta->setObjectName(u"lblCuenta"_s);
    auto* ubicacion = new QLabel(u"Ubicación del Formulario:"_s, pagina);
    ubicacion->setObjectName(u"lblUbicacion"_s);
    grid->addWidget(cuenta, 0, 0);
    grid->addWidget(ubicacion, 0, 1);
    QWidget* anterior = nullptr;
    for (int i = 0; i < 3; ++i) {
        auto* banco = new QLineEdit(pagina);
        banco->setObjectName(u"TXTBANCO1_"_s + QString::number(i));
        banco->setProperty(TagProperty, u"MA_CUENTAS"_s);
        banco->setMaxLength(15);
        banco->setToolTip(u"Cuenta bancaria (F3: consultar)"_s);
        banco->installEventFilter(this);
        auto* archivo = new QLineEdit(pagina);
        archivo->setObjectName(u"TxtUbicacion_"_s + QString::number(i));
        archivo->installEventFilter(this);
        auto* explorar = new QPushButton(u"..."_s, pagina);
        explorar->setObjectName(u"cmdExplorar_"_s + QString::number(i));
        // As wide as its text needs in the window's look, no wider.
        explorar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        explorar->setAutoDefault(true);
        connect(explorar, &QPushButton::clicked, this, [this, i] { cmdExplorar_Click(i); });
        grid->addWidget(banco, i + 1, 0);
        grid->addWidget(archivo, i + 1, 1);
        grid->addWidget(explorar, i + 1, 2);
        m_txtBanco1[static_cast<size_t>(i)] = banco;
        m_txtUbicacion[static_cast<size_t>(i)] = archivo;
        m_cmdExplorar[static_cast<size_t>(i)] = explorar;
        for (QWidget* w : {static_cast<QWidget*>(banco), static_cast<QWidget*>(archivo),
                           static_cast<QWidget*>(explorar)}) {
            if (anterior)
                setTabOrder(anterior, w);
            anterior = w;
        }
    }
    grid->setColumnStretch(1, 1);
    m_cmdGrabar = new QPushButton(u"Grabar Configuracion"_s, pagina);
    m_cmdGrabar->setObjectName(u"CmdGrabar"_s);
    m_cmdGrabar->setAutoDefault(true);
    connect(m_cmdGrabar, &QPushButton::clicked, this, &FrmTalonex::CmdGrabar_Click);
    auto* nota1 =
        new QLabel(u"Solo pueden grabar la configuracion, los usuarios con atributo administrador"_s, pagina);
    nota1->setObjectName(u"lblNotaAdministrador"_s);
    auto* nota2 = new QLabel(u"Si no informa una ubicacion, tomará IMPRESION_CHEQUES.RPT"_s, pagina);
    nota2->setObjectName(u"lblNotaReporte"_s);
    auto* vbox = new QVBoxLayout(pagina);
    vbox->addLayout(grid);
    auto* boton = new QHBoxLayout;
    boton->addStretch();
    boton->addWidget(m_cmdGrabar);
    vbox->addLayout(boton);
    vbox->addWidget(nota1);
    vbox->addWidget(nota2);
    vbox->addStretch();
    return pagina;
}

// ---------------------------------------------------------------------------------------------
// Field model

QLineEdit* FrmTalonex::campo(const QString& dataField) const
{
    const int i = ClsFormulario::IndiceCampo(dataField, m_txtFields);
    return i < 0 ? nullptr : m_txtFields[i];
}

QString FrmTalonex::texto(const QString& dataField) const
{
    const QLineEdit* c = campo(dataField);
    return c ? c->text() : QString();
}

void FrmTalonex::setTexto(const QString& dataField, const QString& texto)
{
    if (QLineEdit* c = campo(dataField))
        c->setText(texto);
}

void FrmTalonex::setDescripcionBanco(const QString& descripcion)
{
    m_lblDescBanco->setText(descripcion);
}

FiltroCheques FrmTalonex::filtro() const
{
    return FiltroCheques{texto(u"FechaD"_s),       texto(u"FechaH"_s),      texto(u"ProveedorD"_s),
                         texto(u"ProveedorH"_s),   texto(u"IdBanco"_s),     texto(u"serie"_s),
                         texto(u"NumerarDesde"_s), texto(u"NumerarHasta"_s)};
}

void FrmTalonex::setBarra(int id, bool valor)
{
    m_barra.set(id, valor);
    if (id == EstadoBarra::Grabar)
        m_grabar->setEnabled(valor);
}

// ---------------------------------------------------------------------------------------------
// Load, idle state, unload, toolbar

bool FrmTalonex::Form_Load(const QString& parametros)
{
    // Qt's own dialogs (the connection's, the printer's, the preview) speak Spanish from the start.
    AplicaIdiomaQt();
    QString cadena;
    if (IniciarAplicacion(false, parametros, cadena, 3) == ResultadoInicio::SinConexion)
        return false;
    // The report object lives beside the windows, so the start-up hands it the program folder here.
    if (!DataGlobals::gDB().gDBName.isEmpty())
        ClsReporte::instance().CarpetaReportes(appState().gCarpetaPrograma);
    TrappedRoutine routine(ClsUtiles::reporterFor(QString()));
    routine.step([&] { AplicaSkin(this); }) && routine.step([&] { ClsUtilesGui::PreparaVentana(this, 0); }) &&
        routine.step([&] { AplicaIcono(this); }) && routine.step([&] { Inicializa(); }) &&
        routine.step([&] { setTexto(u"FECHAH"_s, Clock::today().toString(u"dd/MM/yyyy"_s)); }) &&
        routine.step([&] {
            for (int id :
                 {EstadoBarra::Once, EstadoBarra::Diez, EstadoBarra::D, EstadoBarra::C, EstadoBarra::Grabar})
                setBarra(id, false);
        }) &&
        routine.step([&] { m_estado.EnReimpresion = false; }) && routine.step([&] {
            if (appState().gParametroAdicional.compare(u"Reimpresion"_s, Qt::CaseInsensitive) == 0) {
                setWindowTitle(u"Reimpresion de Cheques"_s);
                m_lblHasta->setVisible(true);
                campo(u"NumerarHasta"_s)->setVisible(true);
                m_estado.EnReimpresion = true;
            }
        });
    return true;
}

void FrmTalonex::DetalleOn()
{
    setBarra(EstadoBarra::Once, true);
    setBarra(EstadoBarra::Diez, false);
    setBarra(EstadoBarra::Grabar, false);
    setBarra(EstadoBarra::C, false);
    setBarra(EstadoBarra::Principal, true);
    setBarra(EstadoBarra::Diez, false);
    setBarra(EstadoBarra::F, false);
    setBarra(EstadoBarra::D, false);
}

void FrmTalonex::Inicializa()
{
    TrappedRoutine routine(ClsUtiles::reporterFor(u"Inicializa"_s));
    routine.step([&] { DetalleOn(); }) && routine.step([&] {
        // Without columns the rows stay but nothing shows until the next load rebuilds both.
        m_lvw->setColumnCount(0);
    }) &&
        routine.step([&] { m_tab->setCurrentIndex(0); }) &&
        routine.step([&] { m_lblDescBanco->setText(u"..."_s); });
}

void FrmTalonex::Form_Unload()
{
    TrappedRoutine routine(ClsUtiles::reporterFor(u"Form_Unload"_s));
    routine.step([&] { hide(); }) && routine.step([&] {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
}

void FrmTalonex::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::quit();
}

void FrmTalonex::Morvane1_click(const QString& key)
{
    // Error 5 goes on at once, without a box.
    const ErrorReporter mostrar = ClsUtiles::reporterFor(u"Morvane1_click"_s);
    TrappedRoutine routine(
        [mostrar](const RuntimeError& error) { return error.number() == 5 ? 5 : mostrar(error); });
    const QString k = key.toUpper();
    if (k == u"GRABAR") {
        bool validos = false;
        routine.step([&] {
            m_estado.ValidandoGrabar = true;
            validos = DatosValidos();
            m_estado.ValidandoGrabar = false;
        });
        if (routine.left() || !validos)
            return;
        const int marcados = chequesMarcados();
        m_impresoraCancelada = false;
        routine.step([&] { ActualizarDatos(); }) && routine.step([&] {
            if (!m_estado.Fallo)
                Inicializa();
        });
        informaCorrida(marcados);
    } else if (k == u"CONSULTAR") {
        routine.step([&] { cmdConsultar(); });
    } else if (k == u"CERRAR") {
        routine.step([&] { Form_Unload(); });
    } else if (k == u"CANCELAR") {
        routine.step([&] { Inicializa(); }) && routine.step([&] { m_txtFields[0]->setFocus(); });
        m_lblEstado->clear();
    }
}

// ---------------------------------------------------------------------------------------------
// Field events

bool FrmTalonex::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lvw) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            QTreeWidgetItem* item = m_lvw->currentItem();
            if (key->key() == Qt::Key_Space && item) {
                item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
                return true;
            }
        }
        return QMainWindow::eventFilter(watched, event);
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit)
        return QMainWindow::eventFilter(watched, event);
    const bool esFiltro = m_txtFields.contains(edit);
    const bool esBancoConfig = std::find(m_txtBanco1.begin(), m_txtBanco1.end(), edit) != m_txtBanco1.end();
    switch (event->type()) {
    case QEvent::FocusIn:
        if (esFiltro) {
            edit->setProperty(PorValidar, true);
            m_controlActivo = edit;
            edit->setStyleSheet(ColorFoco);
        } else if (esBancoConfig) {
            m_controlActivo = edit;
        }
        break;
    case QEvent::FocusOut:
        if (esFiltro) {
            edit->setStyleSheet(ColorNormal);
            // Leaving is never refused; a field not yet checked during this visit is checked now.
            // Another window taking the focus (a lookup opened from the field, the banner, a menu) is
            // no leaving: the focus comes back to the field.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (edit->property(PorValidar).toBool() && reason != Qt::PopupFocusReason &&
                reason != Qt::ActiveWindowFocusReason && !QApplication::activeModalWidget()) {
                edit->setProperty(PorValidar, false);
                CampoValida(edit);
            }
        }
        break;
    case QEvent::MouseButtonPress:
        if (esFiltro)
            m_controlActivo = edit;
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (esFiltro) {
            if (ClsFormulario::EsTeclaAceptar(key->key())) {
                campoKeyDown(edit, key->key());
                return true;
            }
            return ClsFormulario::AplicaFiltro(edit, key);
        }
        if (ClsFormulario::NavegaTeclado(edit, key->key()))
            return true;
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmTalonex::campoKeyDown(QLineEdit* campo, int key)
{
    if (!ClsFormulario::EsTeclaAceptar(key))
        return;
    CampoValida(campo);
    campo->setProperty(PorValidar, false);
    if (!m_estado.Fallo)
        ClsFormulario::NavegaTeclado(campo, key);
}

void FrmTalonex::bancoConfigKeyDown(QLineEdit* caja, int key)
{
    ClsFormulario::NavegaTeclado(caja, key);
}

ValidacionFiltros FrmTalonex::validacion()
{
    // The program-wide connection may be replaced (a reconnection, a test's fresh start).
    return ValidacionFiltros(DataGlobals::gDB(), *this, m_estado);
}

void FrmTalonex::CampoValida(QLineEdit* campo)
{
    validacion().CampoValida(ClsFormulario::DataField(campo));
}

bool FrmTalonex::DatosValidos()
{
    QStringList orden;
    for (const QLineEdit* c : m_txtFields)
        orden << ClsFormulario::DataField(c);
    return validacion().DatosValidos(orden);
}
