#include "access/frmAcceso.h"

#include "access/AccesoDirecto.h"
#include "access/ArchivoBases.h"
#include "app/ErrorReporting.h"
#include "data/AdoError.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "data/ErrorLog.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/ClsUtilesGui.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/TrappedRoutine.h"
#include "zimbrel2/Twips.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int PuertoPredeterminado = 1433;
constexpr long FileNotFound = 53;
constexpr long PathFileAccessError = 75;

// Failures registering skips: a connection already closed, a server service that is already
// running (0x80070420, 1056), an automation server gone (440) and 20480.
bool SkippedWhileRegistering(long number)
{
    return number == AdoErrorNumber::ObjectClosed || number == -2147023840 || number == 1056 ||
           number == 440 || number == 20480;
}

// A number as the runtime writes it into text: a blank where a positive number has no sign.
QString NumberText(long number)
{
    return number < 0 ? QString::number(number) : u' ' + QString::number(number);
}

QLineEdit* NewBox(QWidget* parent, const QString& name, const QString& toolTip)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setToolTip(toolTip);
    return box;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmAcceso::frmAcceso(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"frmAcceso"_s);
    setWindowTitle(u"Control de Acceso"_s);
    setModal(true);

    m_lblBases = new QLabel(u"Conexiones registradas"_s, this);
    m_lblBases->setObjectName(u"LblBases"_s);
    m_lstBases = new QListWidget(this);
    m_lstBases->setObjectName(u"lstBases"_s);
    // Wide enough for a server with its instance and a database name side by side.
    m_lstBases->setMinimumWidth(Twips::aPixelesX(4200));
    m_lblBases->setBuddy(m_lstBases);

    m_framAcceso = new QFrame(this);
    m_framAcceso->setObjectName(u"framAcceso"_s);
    m_framAcceso->setFrameShape(QFrame::StyledPanel);
    m_framAcceso->setMinimumWidth(Twips::aPixelesX(5700));
    m_label1 = new QLabel(u"Complete los datos de conexion"_s, m_framAcceso);
    m_label1->setObjectName(u"Label1"_s);
    QFont bold = m_label1->font();
    bold.setBold(true);
    m_label1->setFont(bold);

    m_txtServidor = NewBox(m_framAcceso, u"TxtServidor"_s, u"ingrese el nombre del servidor e instancia"_s);
    m_txtDbName = NewBox(m_framAcceso, u"TxtDbName"_s, u"ingrese el nombre de la base de datos"_s);
    m_txtUserId = NewBox(m_framAcceso, u"TxtUserId"_s, u"Ingrese el nombre de usuario"_s);
    m_txtUserPassword = NewBox(m_framAcceso, u"TxtUserPassword"_s, u"Ingrese la contraseña"_s);
    m_txtUserPassword->setEchoMode(QLineEdit::Password);
    m_txtPuerto = NewBox(m_framAcceso, u"TxtPuerto"_s, u"Ingrese el Puerto "_s);
    m_txtPuerto->setText(QString::number(PuertoPredeterminado));
    // The port is shown, not used: a server that needs one carries it as "server:port".
    m_txtPuerto->setReadOnly(true);
    m_cboPlataformaDB = new QComboBox(m_framAcceso);
    m_cboPlataformaDB->setObjectName(u"CboPlataformaDB"_s);
    m_cboPlataformaDB->addItems({u"SQL Server"_s, u"ORACLE"_s, u"SQLite"_s, u"PostgreSQL"_s});
    m_cboPlataformaDB->setCurrentIndex(SqlServer);

    auto* form = new QFormLayout;
    const auto row = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, m_framAcceso);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(u"Servidor:"_s, m_txtServidor);
    row(u"Base de datos:"_s, m_txtDbName);
    row(u"Usuario:"_s, m_txtUserId);
    row(u"Contraseña:"_s, m_txtUserPassword);
    row(u"Puerto:"_s, m_txtPuerto);
    row(u"Plataforma:"_s, m_cboPlataformaDB);
    auto* frame = new QVBoxLayout(m_framAcceso);
    frame->addWidget(m_label1);
    frame->addLayout(form);

    m_bcAceptar = NewButton(this, u"bcAceptar"_s, u"Aceptar"_s);
    m_bcAceptar->setDefault(true);
    m_bcCancelar = NewButton(this, u"bcCancelar"_s, u"Cancelar"_s);
    m_cmdRegistrar = NewButton(this, u"CmdRegistrar"_s, u"Registrar"_s);
    m_cmdLineaComando = NewButton(this, u"CmdLineaComando"_s, u"Crear Acceso Directo"_s);

    auto* left = new QVBoxLayout;
    left->addWidget(m_lblBases);
    left->addWidget(m_lstBases);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(m_framAcceso, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdRegistrar);
    buttons->addWidget(m_cmdLineaComando);
    buttons->addStretch(1);
    buttons->addWidget(m_bcAceptar);
    buttons->addWidget(m_bcCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    const QWidget* order[] = {m_lstBases,        m_txtServidor,  m_txtDbName,       m_txtUserId,
                              m_txtUserPassword, m_txtPuerto,    m_cboPlataformaDB, m_bcAceptar,
                              m_bcCancelar,      m_cmdRegistrar, m_cmdLineaComando};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));

    connect(m_bcAceptar, &QPushButton::clicked, this, &frmAcceso::bcAceptar_Click);
    connect(m_bcCancelar, &QPushButton::clicked, this, &frmAcceso::bcCancelar_Click);
    connect(m_cmdRegistrar, &QPushButton::clicked, this, &frmAcceso::CmdRegistrar_Click);
    connect(m_cmdLineaComando, &QPushButton::clicked, this, &frmAcceso::CmdLineaComando_Click);
    connect(m_cboPlataformaDB, &QComboBox::activated, this, &frmAcceso::CboPlataformaDB_Activated);
    connect(m_lstBases, &QListWidget::itemClicked, this, [this] { AsignarDatosBase(); });
    connect(m_lstBases, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_lstBases->setCurrentItem(item);
        AsignarDatosBase();
        bcAceptar_Click();
    });
    m_lstBases->installEventFilter(this);
    m_txtUserId->installEventFilter(this);
    for (QLineEdit* box : {m_txtDbName, m_txtServidor, m_txtUserPassword})
        connect(box, &QLineEdit::textChanged, this, [this, box] { MensajeInicial(box); });

    Form_Load();
}

frmAcceso::~frmAcceso() = default;

void frmAcceso::Form_Load()
{
    adjustSize();
    ClsUtilesGui::PreparaVentana(this, 1);
    llenarlist();
    for (QLineEdit* box : {m_txtUserId, m_txtUserPassword, m_txtDbName, m_txtServidor})
        MensajeInicial(box);
}

void frmAcceso::showEvent(QShowEvent* event)
{
    m_aceptar = false;
    if (m_mostrado)
        llenarlist();
    m_mostrado = true;
    QDialog::showEvent(event);
}

bool frmAcceso::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtUserId && event->type() == QEvent::FocusIn) {
        MensajeInicial(m_txtUserId);
        // A click that gives the focus places the cursor after this, dropping the selection; the
        // hint is selected again once the click is done, so typing still replaces it.
        QTimer::singleShot(0, m_txtUserId, [box = m_txtUserId, hint = Hint(m_txtUserId)] {
            if (box->text() == hint && box->hasFocus())
                box->selectAll();
        });
    } else if (watched == m_lstBases && event->type() == QEvent::KeyPress) {
        m_teclaEnLista = true;
    } else if (watched == m_lstBases && event->type() == QEvent::KeyRelease) {
        // Once the list has moved its selection for the key. The release of the Tab that brought
        // the focus here was pressed elsewhere: it must not overwrite the boxes.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_teclaEnLista && !key->isAutoRepeat()) {
            m_teclaEnLista = false;
            AsignarDatosBase();
        }
    } else if (watched == m_lstBases && event->type() == QEvent::FocusOut) {
        m_teclaEnLista = false;
    }
    return QDialog::eventFilter(watched, event);
}

QString frmAcceso::Hint(const QLineEdit* caja) const
{
    if (caja == m_txtUserId)
        return u"Ingrese el usuario"_s;
    if (caja == m_txtDbName)
        return u"ingrese el nombre de la base de datos"_s;
    if (caja == m_txtServidor)
        return u"ingrese el nombre del servidor e instancia"_s;
    return QString();
}

void frmAcceso::MensajeInicial(QLineEdit* ObjTxt)
{
    if (!ObjTxt || m_aplicandoHint)
        return;
    const QString hint = Hint(ObjTxt);
    if (ObjTxt->text() != hint && !ObjTxt->text().trimmed().isEmpty())
        return;
    // Setting the hint changes the box again; that change must not come back here.
    m_aplicandoHint = true;
    if (ObjTxt->text() != hint)
        ObjTxt->setText(hint);
    m_aplicandoHint = false;
    ObjTxt->selectAll();
    ObjTxt->setFocus();
}

QString frmAcceso::Valor(const QLineEdit* caja) const
{
    if (!caja)
        return QString();
    const QString hint = Hint(caja);
    return !hint.isEmpty() && caja->text() == hint ? QString() : caja->text();
}

QString frmAcceso::ServidorElegido() const
{
    const QString server = Valor(m_txtServidor).trimmed();
    if (server.startsWith(u"file://"_s, Qt::CaseInsensitive)) {
        const QString folder = QUrl(server).toLocalFile();
        return folder.isEmpty() ? server : folder;
    }
    if (m_cboPlataformaDB->currentIndex() == PostgreSQL && !server.isEmpty() &&
        !server.startsWith(u"pg://"_s, Qt::CaseInsensitive))
        return u"pg://"_s + server;
    return server;
}

void frmAcceso::llenarlist()
{
    TrappedRoutine routine(
        [](const RuntimeError& error) { return TrataError(error, std::nullopt, u"FormLoad"_s); });
    const QString path = ArchivoBases::RutaLectura();
    QList<QByteArray> lines;
    if (!QFileInfo::exists(path)) {
        m_lstBases->clear();
        return;
    }
    routine.step([&] { m_lstBases->clear(); }) && routine.step([&] { lines = ArchivoBases::Lineas(path); });
    if (routine.left())
        return;
    for (const QByteArray& line : lines) {
        if (!routine.step([&] {
                if (const std::optional<ConexionRegistrada> conexion = ArchivoBases::LeeLinea(line))
                    m_lstBases->addItem(conexion->nombre);
            }))
            return;
    }
    routine.step([&] {
        if (m_lstBases->count() > 0)
            m_lstBases->setCurrentRow(0);
    });
}

bool frmAcceso::DatosBase(const QString& Nombre)
{
    const QString sought = Nombre.trimmed();
    try {
        for (const QByteArray& line : ArchivoBases::Lineas(ArchivoBases::RutaLectura())) {
            const std::optional<ConexionRegistrada> conexion = ArchivoBases::LeeLinea(line);
            if (!conexion || conexion->nombre.trimmed() != sought)
                continue;
            m_servidorBase = conexion->servidor;
            m_dbNameBase = conexion->dbName;
            m_usuarioBase = conexion->usuario;
            m_passwordBase = conexion->password;
            return true;
        }
    } catch (const RuntimeError& error) {
        ClsUtiles::MostrarError(error);
    }
    return false;
}

void frmAcceso::AsignarDatosBase()
{
    const QListWidgetItem* item = m_lstBases->currentItem();
    if (!item || !DatosBase(item->text()))
        return;
    QString server = m_servidorBase;
    QString port = QString::number(PuertoPredeterminado);
    const qsizetype colon = server.indexOf(u':');
    if (colon >= 0) {
        port = server.mid(colon + 1);
        const QString upper = server.toUpper().trimmed();
        server = upper.left(upper.indexOf(u':'));
    }
    m_txtServidor->setText(server);
    m_txtDbName->setText(m_dbNameBase);
    m_txtPuerto->setText(port);
    m_txtUserId->clear();
    m_txtUserPassword->clear();
    // A registered folder of database files is reached through the engine of such folders.
    if (server.startsWith(u'/'))
        m_cboPlataformaDB->setCurrentIndex(SQLite);
}

bool frmAcceso::ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname, const QString& Usuario,
                                  const QString& Password, const QString& Proveedor)
{
    AdoConnection& connection = DataGlobals::gDB().gCnn();
    try {
        if (connection.isOpen())
            connection.close();
        connection.open(u"PROVIDER="_s + Proveedor + u";"_s + u"Server="_s + Servidor + u";"_s +
                            u"Database ="_s + Dbname + u";"_s + u"UId="_s + Usuario + u";"_s + u"Pwd="_s +
                            Password + u";"_s,
                        QString(), QString(), -1);
        connection.close();
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

void frmAcceso::bcAceptar_Click()
{
    m_aceptar = true;
    hide();
}

void frmAcceso::bcCancelar_Click()
{
    hide();
}

void frmAcceso::CboPlataformaDB_Activated(int index)
{
    if (index != SQLite)
        return;
    const QString current = ServidorElegido();
    const QString start = QFileInfo(current).isDir() ? current : QDir::homePath();
    if (const std::optional<QString> folder =
            operatorDialogs().chooseFolder(u"Carpeta de las bases de datos"_s, start))
        m_txtServidor->setText(QDir::cleanPath(*folder));
}

void frmAcceso::CmdRegistrar_Click()
{
    DB_Dll& db = DataGlobals::gDB();
    const int plataforma = m_cboPlataformaDB->currentIndex();
    QString servidor;
    QString usuario;
    QString password;
    QString dbName;
    bool existe = false;
    int step = 1;
    while (step <= 8) {
        try {
            switch (step) {
            case 1:
                if (DatosBase(ArchivoBases::NombreConexion(ServidorElegido(), Valor(m_txtDbName)))) {
                    operatorDialogs().messageBox(u"La conexion que intenta registrar ya existe "_s,
                                                 MsgStyle::OkOnly | MsgStyle::Information, u"Atencion"_s);
                    return;
                }
                break;
            case 2: {
                const qint64 port = ClsUtiles::TextoAEntero(m_txtPuerto->text());
                m_txtPuerto->setText(QString::number(port == 0 ? PuertoPredeterminado : port));
                servidor = ServidorElegido();
                usuario = Valor(m_txtUserId).trimmed();
                password = Valor(m_txtUserPassword).trimmed();
                dbName = Valor(m_txtDbName).trimmed();
                break;
            }
            case 3: {
                const QString provider = plataforma == Oracle ? u"OraOLEDB.Oracle.1"_s : DB_Dll::pSQLOLEDB();
                existe = ExisteBaseDeDatos(servidor, dbName.toUpper(), dbName.toUpper(), dbName.toUpper(),
                                           provider);
                break;
            }
            case 4:
                if (!existe) {
                    if (db.gCnn().isOpen())
                        db.gCnn().close();
                    db.gServidor = servidor;
                    if (plataforma == Oracle && !db.gServidor.contains(u'#'))
                        db.gServidor += u'#';
                    db.gUsuario = usuario;
                    db.gUserPassWord = password;
                    db.gDBName = dbName;
                    db.OpenServerADODB(false, 3, QString(), true, true);
                    if (!db.gOpenFlag) {
                        operatorDialogs().messageBox(
                            u"NO SE PUDO CONECTAR AL SERVIDOR "_s + servidor +
                                u" VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO"_s,
                            MsgStyle::OkOnly | MsgStyle::Information, u"AVISO AL OPERADOR"_s);
                        return;
                    }
                }
                break;
            case 5:
                ArchivoBases::Agrega(ConexionRegistrada{ArchivoBases::NombreConexion(servidor, dbName),
                                                        dbName, dbName, dbName, servidor});
                break;
            case 6: {
                // The suite's ODBC set-up program, when installed beside the program, learns of the
                // new connection; it runs on its own.
                const QString odbc = ProgramInfo::programFolder() + u"ODBC"_s;
                const QFileInfo info(odbc);
                if (info.isFile() && info.isExecutable() &&
                    !QProcess::startDetached(odbc, {u"Server="_s + servidor + u";DB="_s + dbName + u";"_s}))
                    throw RuntimeError(FileNotFound, u"File not found: "_s + odbc);
                break;
            }
            case 7:
                if (db.gCnn().isOpen())
                    db.gCnn().close();
                break;
            case 8:
                llenarlist();
                break;
            }
            ++step;
        } catch (const RuntimeError& error) {
            if (SkippedWhileRegistering(error.number())) {
                ++step;
                continue;
            }
            operatorDialogs().messageBox(u"SQL Server start failed.  "_s + u"\r"_s + u"SQL-DMO error:  "_s +
                                             NumberText(error.number()) + u" "_s +
                                             ErrorLog::withoutPasswords(error.description()),
                                         MsgStyle::OkOnly, QString());
            step = std::max(step + 1, 6);
        }
    }
}

void frmAcceso::CmdLineaComando_Click()
{
    TrappedRoutine routine(ClsUtiles::reporterFor(QString()));
    QString desktop;
    QString icon;
    QString entry;
    routine.step([&] {
        desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (desktop.isEmpty() || !QDir().mkpath(desktop))
            throw RuntimeError(PathFileAccessError, u"Path/File access error: "_s + desktop);
        entry = desktop + u'/' + AccesoDirecto::NombreArchivo();
    }) &&
        routine.step([&] {
            // The launcher needs the icon as a file of its own; the program carries it inside.
            icon = ProgramInfo::writablePath(u"talonex.png"_s);
            QFile resource(u":/ICONTESSARO"_s);
            QSaveFile file(icon);
            if (!resource.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly) ||
                file.write(resource.readAll()) < 0 || !file.commit())
                throw RuntimeError(PathFileAccessError, u"Path/File access error: "_s + icon);
        }) &&
        routine.step([&] {
            QSaveFile file(entry);
            const QByteArray text =
                AccesoDirecto::Contenido(QCoreApplication::applicationFilePath(), icon).toUtf8();
            if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
                throw RuntimeError(PathFileAccessError, u"Path/File access error: "_s + entry);
        }) &&
        routine.step([&] {
            // Desktops start only launchers marked executable.
            QFile file(entry);
            if (!file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                     QFileDevice::ExeOther))
                throw RuntimeError(PathFileAccessError, u"Path/File access error: "_s + entry);
        });
}
