// V_TA_TABLAS and V_MA_CLIENTES: the table-maintenance programs a lookup's "N&uevo" opens. V_TA_TABLAS
// keeps the table named in "@ParametroAdicional"; V_MA_CLIENTES keeps the suppliers ("0") or the
// clients ("1"). Both start on the connection of their parameter string.
#include "app/AppState.h"
#include "data/DataGlobals.h"
#include "suite/ArranqueSuite.h"
#include "suite/FrmTablas.h"
#include "suite/TablaMantenida.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFile>
#include <QTableView>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

#ifdef TALONEX_MANTENIMIENTO_CLIENTES
constexpr bool EsClientes = true;
#else
constexpr bool EsClientes = false;
#endif

// The row of an unattended addition: "COLUMNA=valor" lines (UTF-8), blank lines and "#" lines skipped.
std::optional<QMap<QString, QString>> leeAlta(const QString& archivo)
{
    QFile file(archivo);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QMap<QString, QString> valores;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString linea = in.readLine();
        if (linea.trimmed().isEmpty() || linea.trimmed().startsWith(u'#'))
            continue;
        const qsizetype igual = linea.indexOf(u'=');
        if (igual <= 0)
            return std::nullopt;
        valores.insert(linea.left(igual).trimmed(), linea.mid(igual + 1));
    }
    return valores;
}

int corre(const OpcionesSuite& opciones, SalidaSuite& salida)
{
    if (!iniciaSuite(opciones.parametros))
        return 1;
    const QString parametro = appState().gParametroAdicional.trimmed();
    QString tabla;
    QString titulo;
    if (EsClientes) {
        if (parametro == u"0"_s) {
            tabla = u"MA_PROVEEDORES"_s;
            titulo = u"Proveedores"_s;
        } else if (parametro == u"1"_s) {
            tabla = u"MA_CLIENTES"_s;
            titulo = u"Clientes"_s;
        } else {
            avisaOperador(u"Parametro no valido: \""_s + parametro + u"\" (0 proveedores, 1 clientes)."_s);
            return 2;
        }
    } else {
        if (parametro.isEmpty()) {
            avisaOperador(u"Falta la tabla a mantener en @ParametroAdicional."_s);
            return 2;
        }
        tabla = TablaMantenida::tablaDe(parametro);
        titulo = u"Mantenimiento de "_s + parametro;
        if (!TablaMantenida::nombreValido(tabla)) {
            avisaOperador(u"Nombre de tabla no valido: \""_s + parametro + u"\"."_s);
            return 2;
        }
    }
    TablaMantenida mantenida(tabla);
    if (!mantenida.leeColumnas(DataGlobals::gDB())) {
        avisaOperador(u"No se puede leer la tabla "_s + tabla + u"."_s);
        return 2;
    }
    FrmTablas ventana(mantenida, titulo);
    if (!opciones.alta.isEmpty()) {
        const std::optional<QMap<QString, QString>> valores = leeAlta(opciones.alta);
        if (!valores) {
            avisaOperador(u"No se puede leer el archivo "_s + opciones.alta + u" (lineas COLUMNA=valor)."_s);
            return 2;
        }
        const TablaMantenida::Alta alta = ventana.agrega(*valores);
        salida.escribe(alta == TablaMantenida::Alta::Grabada
                           ? u"Registro agregado en "_s + tabla + u".\n"_s
                           : u"Registro no agregado en "_s + tabla + u".\n"_s);
        return alta == TablaMantenida::Alta::Grabada ? 0 : 3;
    }
    if (opciones.sinPantalla) {
        QStringList columnas;
        for (const TablaMantenida::Columna& c : mantenida.columnas())
            columnas << c.nombre;
        const int filas = ventana.Grilla()->model() ? ventana.Grilla()->model()->rowCount() : 0;
        salida.escribe(ventana.windowTitle() + u'\n' + columnas.join(u'\t') + u'\n' + QString::number(filas) +
                       u" filas\n"_s);
        return 0;
    }
    aplicaAspecto(&ventana);
    ventana.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(EsClientes ? u"V_MA_CLIENTES"_s : u"V_TA_TABLAS"_s);
    const OpcionesSuite opciones = leeOpciones(
        app, EsClientes ? u"Mantenimiento de proveedores (0) y clientes (1)"_s : u"Mantenimiento de tablas"_s,
        true);
    SalidaSuite salida(opciones);
    const int codigo = corre(opciones, salida);
    return salida.termina(codigo);
}
