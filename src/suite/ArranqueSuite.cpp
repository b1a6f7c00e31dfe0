#include "suite/ArranqueSuite.h"

#include "app/HeadlessOperator.h"
#include "app/Inicio.h"
#include "app/WindowLook.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/QtOperatorDialogs.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

/// The unattended operator whose every box is also written to the run's output, so whoever reads the
/// output sees what the operator would have been told.
class OperadorSinPantalla : public HeadlessOperator
{
public:
    explicit OperadorSinPantalla(std::function<void(const QString&)> anota) : m_anota(std::move(anota)) {}

    int messageBox(const QString& text, int style, const QString& title) override
    {
        QString plano = text;
        plano.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ');
        m_anota(u"Mensaje ("_s + title.trimmed() + u"): "_s + plano.trimmed() + u'\n');
        return HeadlessOperator::messageBox(text, style, title);
    }

private:
    std::function<void(const QString&)> m_anota;
};

bool sinPantallaReal()
{
    const QString plataforma = QGuiApplication::platformName();
    return plataforma == u"offscreen"_s || plataforma == u"minimal"_s;
}

} // namespace

OpcionesSuite leeOpciones(QApplication& app, const QString& descripcion, bool conAlta)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(descripcion);
    parser.addHelpOption();
    const QCommandLineOption salida(
        u"salida"_s, u"Escribe en este archivo (\"-\": la salida estandar) lo que mostraria la ventana."_s,
        u"archivo"_s);
    parser.addOption(salida);
    const QCommandLineOption alta(u"alta"_s, u"Agrega la fila de este archivo de lineas COLUMNA=valor."_s,
                                  u"archivo"_s);
    if (conAlta)
        parser.addOption(alta);
    parser.addPositionalArgument(u"parametros"_s, u"\"@Server=...; @DbName=...; @Usuario=...; ...\""_s);
    parser.process(app);

    OpcionesSuite opciones;
    opciones.parametros = parser.positionalArguments().join(u' ');
    opciones.salida =
        parser.isSet(salida) ? parser.value(salida) : qEnvironmentVariable("TALONEX_SUITE_SALIDA");
    if (conAlta)
        opciones.alta = parser.isSet(alta) ? parser.value(alta) : qEnvironmentVariable("TALONEX_SUITE_ALTA");
    opciones.sinPantalla = !opciones.salida.isEmpty() || sinPantallaReal();
    if (opciones.sinPantalla && opciones.salida.isEmpty())
        opciones.salida = u"-"_s;
    return opciones;
}

SalidaSuite::SalidaSuite(const OpcionesSuite& opciones) : m_opciones(opciones)
{
    if (m_opciones.sinPantalla)
        installOperatorDialogs(
            std::make_unique<OperadorSinPantalla>([this](const QString& t) { escribe(t); }));
    else
        installOperatorDialogs(std::make_unique<QtOperatorDialogs>());
}

SalidaSuite::~SalidaSuite()
{
    termina(0);
}

void SalidaSuite::escribe(const QString& texto)
{
    m_texto += texto;
}

int SalidaSuite::termina(int codigo)
{
    if (m_terminada)
        return codigo;
    m_terminada = true;
    installOperatorDialogs(nullptr);
    if (!m_opciones.sinPantalla)
        return codigo;
    const QByteArray bytes = m_texto.toUtf8();
    if (m_opciones.salida == u"-"_s) {
        QFile out;
        if (out.open(stdout, QIODevice::WriteOnly))
            out.write(bytes);
        return codigo;
    }
    QSaveFile file(m_opciones.salida);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        QTextStream(stderr) << u"No se pudo escribir "_s << m_opciones.salida << Qt::endl;
        return codigo == 0 ? 1 : codigo;
    }
    return codigo;
}

bool iniciaSuite(const QString& parametros)
{
    if (parametros.trimmed().isEmpty()) {
        avisaOperador(u"Este programa se abre desde otro programa del sistema, que le pasa la conexion: "
                      u"\"@Server=...; @DbName=...; @Usuario=...; @Password=...;\"."_s);
        return false;
    }
    QString cadena;
    if (IniciarAplicacion(false, parametros, cadena, 3) == ResultadoInicio::SinConexion ||
        !DataGlobals::gDB().gOpenFlag) {
        avisaOperador(u"No se pudo abrir la conexion con la base de datos."_s);
        return false;
    }
    return true;
}

void avisaOperador(const QString& texto)
{
    operatorDialogs().messageBox(texto, MsgStyle::Information, u"Aviso al operador"_s);
}

void aplicaAspecto(QWidget* ventana)
{
    TrappedRoutine routine; // every step skipped silently when it fails
    routine.step([&] { AplicaSkin(ventana); });
    routine.step([&] { AplicaIcono(ventana); });
}
