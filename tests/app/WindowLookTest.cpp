// The window look: the skin chosen per user and database in the INI file, its style sheet shipped
// beside the program, the suite's icon and the toolbar style.
#include "app/WindowLook.h"
#include "app/AppState.h"
#include "app/SkinUsuario.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedOperatorGuard.h"
#include "support/ShippedFiles.h"
#include "zimbrel2/ClsIni.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RuntimeError.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QByteArray leer(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Collects the warnings Qt gives for style sheets it cannot parse.
class AvisosEstilo
{
public:
    AvisosEstilo()
    {
        avisos().clear();
        m_previo = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            if (text.contains(u"stylesheet"_s, Qt::CaseInsensitive) ||
                text.contains(u"style sheet"_s, Qt::CaseInsensitive))
                avisos().append(text);
        });
    }
    ~AvisosEstilo() { qInstallMessageHandler(m_previo); }
    static QStringList& avisos()
    {
        static QStringList list;
        return list;
    }

private:
    QtMessageHandler m_previo = nullptr;
};

class WindowLook : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_carpeta.isValid());
        m_programa = m_carpeta.path() + u"/programa/"_s;
        m_ini = m_carpeta.path() + u"/ini/"_s;
        QDir().mkpath(m_programa);
        QDir().mkpath(m_ini);
        ASSERT_TRUE(ShippedFiles::installSkins(m_programa)) << ShippedFiles::resources().toStdString();
        ProgramInfo::setProgramFolder(m_programa);
        m_savedIni = qgetenv("TALONEX_INI_DIR");
        m_savedUser = qgetenv("USER");
        qputenv("TALONEX_INI_DIR", m_ini.toUtf8());
        qputenv("USER", "juan");
        DataGlobals::reset();
        resetAppState();
        DataGlobals::gDB().gDBName = u"Empresa"_s;
    }

    void TearDown() override
    {
        m_operator.verify();
        DataGlobals::reset();
        resetAppState();
        ProgramInfo::reset();
        restore("TALONEX_INI_DIR", m_savedIni);
        restore("USER", m_savedUser);
    }

    void escribeIni(const QString& contenido, const QString& nombre = u"PX500wk.INI"_s)
    {
        QFile file(m_ini + nombre);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contenido.toUtf8());
    }

    QString hojaAplicada(const QString& baseDeDatos)
    {
        DataGlobals::gDB().gDBName = baseDeDatos;
        QWidget ventana;
        AplicaSkin(&ventana);
        EXPECT_EQ(ventana.styleSheet().toUtf8(), leer(ventana.property("Skin").toString()));
        return QDir(m_programa).relativeFilePath(ventana.property("Skin").toString());
    }

    static void restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QTemporaryDir m_carpeta;
    QString m_programa;
    QString m_ini;
    QByteArray m_savedIni;
    QByteArray m_savedUser;
    ScriptedOperatorGuard m_operator;
};

TEST(SkinUsuario, TheTableOfSkins)
{
    struct Caso
    {
        int numero;
        const char16_t* archivo;
        const char16_t* configuracion;
        const char16_t* hoja;
    };
    const Caso casos[] = {
        {1, u"Styles/Vista.cjstyles", u"", u"Styles/Vista.qss"},
        {2, u"Styles/WinXP.Luna.cjstyles", u"", u"Styles/WinXP.Luna.qss"},
        {3, u"Styles/WinXP.Royale.cjstyles", u"", u"Styles/WinXP.Royale.qss"},
        {4, u"Styles/iTunes", u"Normalitunes.ini", u"Styles/iTunes/Normalitunes.qss"},
        {0, u"Styles/Office2007.cjstyles", u"", u"Styles/Office2007.qss"},
        {5, u"Styles/Office2007.cjstyles", u"", u"Styles/Office2007.qss"},
        {-1, u"Styles/Office2007.cjstyles", u"", u"Styles/Office2007.qss"},
    };
    for (const Caso& caso : casos) {
        const SkinUsuario skin = SkinUsuario::segunNumero(caso.numero);
        EXPECT_EQ(skin.archivo, QString::fromUtf16(caso.archivo)) << caso.numero;
        EXPECT_EQ(skin.configuracion, QString::fromUtf16(caso.configuracion)) << caso.numero;
        EXPECT_EQ(skin.hojaDeEstilo(), QString::fromUtf16(caso.hoja)) << caso.numero;
    }
    EXPECT_EQ(SkinUsuario::seccion(u"juan"_s, u"Empresa"_s), u"JUAN_EMPRESAStyles"_s);
}

TEST_F(WindowLook, TheSkinNumberComesFromTheUsersSectionForTheDatabase)
{
    // No INI file at all: the default, the iTunes skin with its settings.
    EXPECT_EQ(hojaAplicada(u"Empresa"_s), u"Styles/iTunes/Normalitunes.qss"_s);

    struct Caso
    {
        const char16_t* valor;
        const char16_t* hoja;
    };
    const Caso casos[] = {
        {u"1", u"Styles/Vista.qss"},
        {u"2", u"Styles/WinXP.Luna.qss"},
        {u" 3 ", u"Styles/WinXP.Royale.qss"},
        {u"4", u"Styles/iTunes/Normalitunes.qss"},
        {u"7", u"Styles/Office2007.qss"},
        {u"abc", u"Styles/Office2007.qss"},
        {u"0", u"Styles/Office2007.qss"},
        {u"-2", u"Styles/Office2007.qss"},
        // Beyond a 16-bit number: no skin of the table, not a failed window.
        {u"70000", u"Styles/Office2007.qss"},
        {u"65537", u"Styles/Office2007.qss"},
        {u"", u"Styles/Office2007.qss"},
    };
    for (const Caso& caso : casos) {
        escribeIni(u"[JUAN_EMPRESAStyles]\r\nStyles="_s + QString::fromUtf16(caso.valor) + u"\r\n"_s);
        EXPECT_EQ(hojaAplicada(u"Empresa"_s), QString::fromUtf16(caso.hoja))
            << "value '" << QString::fromUtf16(caso.valor).toStdString() << "'";
    }
}

TEST_F(WindowLook, TheSameUserCanWearOneSkinPerDatabase)
{
    // Written by another program of the suite: lower-case file name, other sections around.
    escribeIni(u"[PC01|JUAN]\r\nFlatToolbars=0\r\n"
               u"[JUAN_EMPRESAStyles]\r\nStyles=1\r\n"
               u"[juan_otraStyles]\r\nStyles=3\r\n"
               u"[PEDRO_EMPRESAStyles]\r\nStyles=2\r\n"_s,
               u"px500wk.ini"_s);
    EXPECT_EQ(hojaAplicada(u"empresa"_s), u"Styles/Vista.qss"_s);
    EXPECT_EQ(hojaAplicada(u"OTRA"_s), u"Styles/WinXP.Royale.qss"_s);
    // A database without a section of this user: the default.
    EXPECT_EQ(hojaAplicada(u"TERCERA"_s), u"Styles/iTunes/Normalitunes.qss"_s);
    qputenv("USER", "pedro");
    EXPECT_EQ(hojaAplicada(u"Empresa"_s), u"Styles/WinXP.Luna.qss"_s);
}

TEST_F(WindowLook, AMissingSkinReachesTheCallerAndLeavesTheWindowAsItWas)
{
    escribeIni(u"[JUAN_EMPRESAStyles]\r\nStyles=2\r\n"_s);
    ASSERT_TRUE(QFile::remove(m_programa + u"Styles/WinXP.Luna.qss"_s));
    QWidget ventana;
    ventana.setStyleSheet(u"QWidget { color: red; }"_s);
    try {
        AplicaSkin(&ventana);
        ADD_FAILURE() << "no failure";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 53);
        EXPECT_TRUE(error.description().contains(u"WinXP.Luna.qss"_s)) << error.what();
    }
    EXPECT_EQ(ventana.styleSheet(), u"QWidget { color: red; }"_s);
    EXPECT_FALSE(ventana.property("Skin").isValid());
}

// A window with the kinds of controls the program's windows use, to polish and paint under a skin.
std::unique_ptr<QMainWindow> ventanaDeMuestra()
{
    auto ventana = std::make_unique<QMainWindow>();
    ventana->resize(480, 320);
    auto* barra = ventana->addToolBar(u"Barra"_s);
    barra->setObjectName(u"Morvane1"_s);
    barra->addAction(u"GRABAR"_s);
    barra->addAction(u"CERRAR"_s);
    auto* centro = new QWidget;
    auto* layout = new QHBoxLayout(centro);
    auto* pestanas = new QTabWidget;
    auto* grupo = new QGroupBox(u"Filtros"_s);
    auto* fila = new QHBoxLayout(grupo);
    auto* campo = new QLineEdit(u"1101"_s);
    campo->setObjectName(u"campo"_s);
    fila->addWidget(campo);
    fila->addWidget(new QComboBox);
    fila->addWidget(new QPushButton(u"&Cargar Cheques >>>"_s));
    pestanas->addTab(grupo, u"Datos"_s);
    auto* lista = new QTreeWidget;
    lista->setHeaderLabels({u"Cheque"_s, u"Importe"_s});
    new QTreeWidgetItem(lista, {u"*-"_s, u"1.234,50"_s});
    pestanas->addTab(lista, u"Cheques"_s);
    layout->addWidget(pestanas);
    ventana->setCentralWidget(centro);
    return ventana;
}

TEST_F(WindowLook, EveryShippedSkinParsesAndLooksItsOwnWay)
{
    QList<QImage> vistas;
    QStringList hojas;
    for (const char16_t* valor : {u"1", u"2", u"3", u"4", u"5"}) {
        escribeIni(u"[JUAN_EMPRESAStyles]\r\nStyles="_s + QString::fromUtf16(valor) + u"\r\n"_s);
        std::unique_ptr<QMainWindow> ventana = ventanaDeMuestra();
        AvisosEstilo avisos;
        AplicaSkin(ventana.get());
        ventana->show();
        const QImage vista = ventana->grab().toImage();
        ventana->close();
        EXPECT_TRUE(AvisosEstilo::avisos().isEmpty()) << QString::fromUtf16(valor).toStdString() << ": "
                                                      << AvisosEstilo::avisos().join(u'\n').toStdString();
        EXPECT_FALSE(ventana->styleSheet().trimmed().isEmpty());
        hojas.append(ventana->property("Skin").toString());
        vistas.append(vista);
    }
    EXPECT_EQ(QSet<QString>(hojas.begin(), hojas.end()).size(), 5);
    for (int i = 0; i < vistas.size(); ++i)
        for (int j = i + 1; j < vistas.size(); ++j)
            EXPECT_NE(vistas.at(i), vistas.at(j))
                << hojas.at(i).toStdString() << " / " << hojas.at(j).toStdString();
}

TEST_F(WindowLook, AFieldsOwnBackgroundColourShowsThroughEverySkin)
{
    // The cheque window colours the field with the focus through its palette; no skin may hide it.
    for (const char16_t* valor : {u"1", u"2", u"3", u"4", u"5"}) {
        escribeIni(u"[JUAN_EMPRESAStyles]\r\nStyles="_s + QString::fromUtf16(valor) + u"\r\n"_s);
        std::unique_ptr<QMainWindow> ventana = ventanaDeMuestra();
        AplicaSkin(ventana.get());
        auto* campo = ventana->findChild<QLineEdit*>(u"campo"_s);
        QPalette paleta = campo->palette();
        paleta.setColor(QPalette::Base, QColor(255, 255, 192));
        campo->setPalette(paleta);
        campo->setText(QString());
        ventana->show();
        const QImage vista = campo->grab().toImage();
        ventana->close();
        EXPECT_EQ(vista.pixelColor(vista.width() / 2, vista.height() / 2), QColor(255, 255, 192))
            << QString::fromUtf16(valor).toStdString();
    }
}

class FrmMdi : public QWidget
{
    Q_OBJECT
};

TEST_F(WindowLook, AplicaIconoGivesTheSuitesIconAndTheToolbarStyle)
{
    ASSERT_TRUE(QFile::exists(u":/ICONTESSARO"_s));
    appState().gFlatToolbars = 0;
    QWidget ventana;
    auto* morvane = new QToolBar(&ventana);
    morvane->setObjectName(u"Morvane1"_s);
    auto* reporte = new QWidget(&ventana);
    reporte->setObjectName(u"TBarRep1"_s);
    auto* util = new QToolBar(reporte);
    util->setObjectName(u"Util0011"_s);
    auto* otra = new QToolBar(&ventana);
    otra->setObjectName(u"Otra"_s);
    AplicaIcono(&ventana);

    const QIcon icono = ventana.windowIcon();
    ASSERT_FALSE(icono.isNull());
    const QImage recurso(u":/ICONTESSARO"_s);
    EXPECT_EQ(icono.pixmap(recurso.size()).toImage().convertToFormat(QImage::Format_ARGB32),
              recurso.convertToFormat(QImage::Format_ARGB32));
    for (QWidget* control : {static_cast<QWidget*>(morvane), reporte, static_cast<QWidget*>(util)})
        EXPECT_EQ(control->property("StyleBar"), QVariant(0)) << control->objectName().toStdString();
    EXPECT_FALSE(otra->property("StyleBar").isValid());

    // The main MDI frame gets the icon only.
    FrmMdi marco;
    auto* barra = new QToolBar(&marco);
    barra->setObjectName(u"Morvane1"_s);
    AplicaIcono(&marco);
    EXPECT_FALSE(marco.windowIcon().isNull());
    EXPECT_FALSE(barra->property("StyleBar").isValid());
}

TEST_F(WindowLook, TheSkinsStyleTheToolbarByItsStyleBar)
{
    escribeIni(u"[JUAN_EMPRESAStyles]\r\nStyles=1\r\n"_s);
    QList<QImage> vistas;
    for (const int estilo : {0, 1}) {
        appState().gFlatToolbars = estilo;
        std::unique_ptr<QMainWindow> ventana = ventanaDeMuestra();
        AplicaSkin(ventana.get());
        AplicaIcono(ventana.get());
        ventana->show();
        auto* barra = ventana->findChild<QToolBar*>(u"Morvane1"_s);
        EXPECT_EQ(barra->property("StyleBar"), QVariant(estilo));
        vistas.append(barra->grab().toImage());
        ventana->close();
    }
    EXPECT_NE(vistas.at(0), vistas.at(1)) << "raised and flat toolbars look the same";
}

} // namespace

#include "WindowLookTest.moc"
