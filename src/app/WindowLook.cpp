#include "app/WindowLook.h"

#include "app/AppState.h"
#include "app/SkinUsuario.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "zimbrel2/ClsSistema.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyle>
#include <QTranslator>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr long FileNotFound = 53;

QIcon iconoDeArchivo(const QString& archivo)
{
    // A resource or file that cannot be read gives no icon (QIcon would keep an empty engine).
    if (!QFileInfo::exists(archivo))
        return QIcon();
    return QIcon(archivo);
}

} // namespace

void AplicaSkin(QWidget* ventana)
{
    const SkinUsuario skin = SkinUsuario::leer(ClsSistema::UsuarioWindows(), DataGlobals::gDB().gDBName);
    const QString ruta = ClsUtiles::CarpetaConBarra(ProgramInfo::programFolder()) + skin.hojaDeEstilo();
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly | QIODevice::Text))
        throw RuntimeError(FileNotFound, u"File not found: "_s + ruta, u"AplicaSkin"_s);
    const QString hoja = QString::fromUtf8(archivo.readAll());
    if (!ventana)
        throw RuntimeError(RuntimeError::InvalidArgument, u"Invalid procedure call or argument"_s,
                           u"AplicaSkin"_s);
    ventana->setStyleSheet(hoja);
    ventana->setProperty("Skin", ruta);
}

void AplicaIcono(QWidget* ventana)
{
    if (!ventana)
        return;
    TrappedRoutine routine; // every step skipped silently when it fails
    routine.step([&] {
        const QIcon icono = iconoDeArchivo(u":/ICONTESSARO"_s);
        if (!icono.isNull())
            ventana->setWindowIcon(icono);
    });
    routine.step([&] {
        if (!ventana->windowIcon().isNull())
            return;
        const QIcon icono = iconoDeArchivo(u"tessaro.ico"_s);
        if (!icono.isNull())
            ventana->setWindowIcon(icono);
    });
    if (QString::fromLatin1(ventana->metaObject()->className()).compare(u"FrmMdi"_s, Qt::CaseInsensitive) ==
        0)
        return;
    routine.step([&] {
        const int estilo = appState().gFlatToolbars;
        for (const QString& nombre : {u"Morvane1"_s, u"TBarRep1"_s, u"Util0011"_s}) {
            for (QWidget* control : ventana->findChildren<QWidget*>(nombre)) {
                control->setProperty("StyleBar", estilo);
                // Style sheets read dynamic properties only when the widget is polished again.
                control->style()->unpolish(control);
                control->style()->polish(control);
                control->update();
            }
        }
    });
    routine.step([&] { QCoreApplication::processEvents(); });
}

bool AplicaIdiomaQt()
{
    static QTranslator* traduccion = nullptr;
    if (traduccion)
        return true;
    auto* nueva = new QTranslator(QCoreApplication::instance());
    if (!nueva->load(QLocale(QLocale::Spanish), u"qtbase"_s, u"_"_s,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete nueva;
        return false;
    }
    QCoreApplication::installTranslator(nueva);
    traduccion = nueva;
    return true;
}
