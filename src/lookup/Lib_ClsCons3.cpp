#include "lookup/Lib_ClsCons3.h"

#include "app/AppState.h"
#include "app/Configuracion.h"
#include "app/Cuentas.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "lookup/MascaraConsulta.h"
#include "lookup/SentenciaConsulta.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/TrappedRoutine.h"
#include "zimbrel2/Twips.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<Lib_ClsCons3>& slot()
{
    static std::unique_ptr<Lib_ClsCons3> request;
    return request;
}

QVariant nivelDeStock(const QString& clave)
{
    QString value;
    TrappedRoutine().step([&] { value = Cfg(clave); });
    // An unset colour (a missing key reads as a blank) is black.
    if (value.trimmed().isEmpty())
        return 0;
    return value;
}

int anchoPantallaTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? Twips::desdePixelesX(screen->availableGeometry().width()) : 15 * 1024;
}

} // namespace

Lib_ClsCons3::Lib_ClsCons3()
{
    TrappedRoutine routine;
    routine.step([&] { MuestraStock = Cfg(u"MostrarStockenConsultas"_s); });
    StkNivel1 = nivelDeStock(u"Stk_Nivel1"_s);
    StkNivel2 = nivelDeStock(u"Stk_Nivel2"_s);
    StkNivel3 = nivelDeStock(u"Stk_Nivel3"_s);
    StkNivel4 = nivelDeStock(u"Stk_Nivel4"_s);
    routine.step([&] {
        m_usaConsultaLike = Cfg(u"UsaConsultaLike"_s).trimmed().compare(u"SI", Qt::CaseInsensitive) == 0;
    });
}

Lib_ClsCons3::~Lib_ClsCons3() = default;

Lib_ClsCons3& Lib_ClsCons3::instance()
{
    std::unique_ptr<Lib_ClsCons3>& request = slot();
    if (!request)
        request = std::make_unique<Lib_ClsCons3>();
    return *request;
}

void Lib_ClsCons3::resetInstance()
{
    slot().reset();
}

QString& Lib_ClsCons3::gConnString()
{
    return appState().gConnStringConsultas;
}

QString& Lib_ClsCons3::gRutaMascaraConsultas()
{
    return appState().gRutaMascaraConsultas;
}

bool& Lib_ClsCons3::gUsarMascarasConsultas()
{
    return appState().gUsarMascarasConsultas;
}

void Lib_ClsCons3::ConsultaSearch(const QString& sql, QStringList* CmpsDevueltos, const QString& Clave,
                                  QString* CampoBusqueda, QString* Where, const QString& SentenciaOpcional,
                                  bool TreeView, const QString& ValoresDefault)
{
    QString campoPropio;
    QString wherePropio;
    QString& campoBusqueda = CampoBusqueda ? *CampoBusqueda : campoPropio;
    QString& where = Where ? *Where : wherePropio;
    m_ultimaSentencia.clear();

    // The request goes on whatever fails (the data layer has reported its own failures).
    TrappedRoutine routine;
    QString sentencia;
    bool terminar = false;
    routine.step([&] { where = SentenciaConsulta::EnvuelveCondicion(where); });
    int limite = 1000;
    routine.step([&] { limite = SentenciaConsulta::LimiteFilas(Cfg(u"TopConsArt"_s)); });
    routine.step([&] {
        const bool esSentencia = sql.contains(u"SELECT"_s, Qt::CaseInsensitive);
        bool automatica = !esSentencia && !gUsarMascarasConsultas();
        if (!esSentencia && gUsarMascarasConsultas()) {
            // Masks switched on without a mask file: the table's own fields serve, as for a table
            // the file does not list (the bare table name is no statement the window could run).
            const std::optional<MascaraConsulta> mascara =
                QFile::exists(gRutaMascaraConsultas()) ? MascaraConsulta::Busca(gRutaMascaraConsultas(), sql)
                                                       : std::nullopt;
            if (mascara) {
                bool faltaConfigurar = false;
                sentencia =
                    SentenciaConsulta::DeMascara(*mascara, limite, campoBusqueda, where, faltaConfigurar);
                if (faltaConfigurar) {
                    operatorDialogs().messageBox(u"Debe configurar la consulta para esta tabla"_s,
                                                 MsgStyle::Information, u"Aviso al operador"_s);
                    terminar = true;
                }
            } else {
                automatica = true;
            }
        }
        if (automatica)
            sentencia = SentenciaConsulta::Automatica(sql, limite, campoBusqueda, where, SentenciaOpcional,
                                                      DataGlobals::gDB());
        if (esSentencia)
            sentencia = SentenciaConsulta::DelLlamador(sql, where);
    });
    if (terminar)
        return;
    m_ultimaSentencia = sentencia;
    // A statement that could not be built or opened ends the request with nothing picked: no empty
    // window, and the caller sees an empty answer.
    const auto nadaElegido = [&] {
        ValorDevuelto.clear();
        Valores.clear();
        Checks = false;
    };
    if (sentencia.trimmed().isEmpty()) {
        nadaElegido();
        routine.step([&] { terminaPedido(CmpsDevueltos); });
        return;
    }

    if (TreeView) {
        Lib_FrmCons3Tree arbol(QApplication::activeWindow());
        routine.step([&] {
            arbol.sql = sentencia;
            arbol.CampoDevuelto = CampoDevuelto;
            arbol.CheckBoxes = Checks;
            Valores.clear();
        });
        routine.step([&] { arbol.AseguraCarga(); });
        if (arbol.CargaFallida()) {
            nadaElegido();
        } else {
            routine.step([&] { arbol.exec(); });
            routine.step([&] {
                ValorDevuelto = arbol.ValorDevuelto;
                Valores = arbol.Valores;
                Checks = false;
            });
        }
        routine.step([&] { arbol.Descargar(); });
    } else {
        Lib_FrmCons3 lista(QApplication::activeWindow());
        routine.step([&] {
            lista.StkNivel1 = StkNivel1;
            lista.StkNivel2 = StkNivel2;
            lista.StkNivel3 = StkNivel3;
            lista.StkNivel4 = StkNivel4;
            lista.MuestraStock = MuestraStock;
            lista.CfgUsaConsultaLIKE = m_usaConsultaLike;
            lista.OrdenarPorLwv = !sentencia.contains(u"ORDER BY"_s, Qt::CaseInsensitive);
            lista.FiltroInicial = Clave;
            lista.CampoBusqueda = campoBusqueda;
            if (gConnString().isEmpty())
                gConnString() = DataGlobals::gDB().gConnString;
            lista.sql = sentencia;
            lista.gConnString = gConnString();
            lista.CampoDevuelto = CampoDevuelto;
            lista.CheckBoxes = Checks;
            lista.UsaCantidades = UsaCantidades;
            lista.ValoresDefault = ValoresDefault;
            lista.GrabarCfg = GrabarCfg;
            Valores.clear();
            Cantidades.clear();
            lista.CmpsDevueltos = CmpsDevueltos;
            lista.Valores.clear();
            lista.Cantidades.clear();
        });
        // The window loads before it shows, so a statement that cannot be opened shows no window.
        routine.step([&] { lista.AseguraCarga(); });
        if (lista.CargaFallida()) {
            nadaElegido();
        } else {
            routine.step([&] {
                if (!Checks)
                    return;
                // Rows ticked through ValoresDefault start unticked.
                QTreeWidget* list = lista.ListView1();
                for (int i = 0; i < list->topLevelItemCount(); ++i)
                    list->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
            });
            routine.step([&] { lista.exec(); });
            routine.step([&] {
                Checks = false;
                Valores = lista.Valores;
                Cantidades = lista.Cantidades;
                ValorDevuelto = lista.ValorDevuelto;
                lista.CampoDevuelto.clear();
            });
        }
        routine.step([&] { lista.Descargar(); });
    }

    terminaPedido(CmpsDevueltos);
}

void Lib_ClsCons3::terminaPedido(QStringList* CmpsDevueltos)
{
    CampoDevuelto.clear();
    if (CmpsDevueltos)
        CmpsDevueltos->clear();
}

QString Lib_ClsCons3::muestraLista(const QString& Titulo, const QStringList& filas, const QList<bool>& ticks,
                                   Lista tipo)
{
    Lib_FrmCons3 lista(QApplication::activeWindow());
    QString result;
    TrappedRoutine routine;
    routine.step([&] {
        lista.PreparaLista(Titulo, tipo == Lista::Opciones);
        qsizetype ancho = Titulo.size();
        for (qsizetype i = 0; i < filas.size(); ++i) {
            lista.AgregaFila(filas[i], ticks.value(i));
            ancho = std::max(ancho, filas[i].size() + (tipo == Lista::Opciones ? 1 : 0));
        }
        const int screenWidth = anchoPantallaTwips();
        const qsizetype twips = ancho * 120;
        lista.resize(Twips::aPixelesX(static_cast<int>(std::min<qsizetype>(twips, screenWidth))),
                     lista.height());
        // The one column fills the list, and is never narrower than its header.
        QTreeWidget* list = lista.ListView1();
        list->setColumnWidth(0, std::max(list->width() - 4, list->header()->sectionSizeHint(0)));
    });
    routine.step([&] { lista.exec(); });
    routine.step([&] {
        if (tipo == Lista::Opciones)
            Valores = lista.Valores;
        else
            result = lista.ValorDevuelto;
    });
    routine.step([&] { lista.Descargar(); });
    return result;
}

QString Lib_ClsCons3::CheckOpciones(const QString& Titulo, QStringList* /*CmpsDevueltos*/,
                                    const QStringList& Opc)
{
    QStringList filas;
    QList<bool> ticks;
    // A list of a single option shows no rows, as the suite's option lists always have done.
    if (Opc.size() - 1 >= 1) {
        for (const QString& element : Opc) {
            filas << element.mid(1);
            ticks << element.startsWith(u'1');
        }
    }
    muestraLista(Titulo, filas, ticks, Lista::Opciones);
    return QString();
}

QString Lib_ClsCons3::MenuOpciones(const QString& Titulo, const QStringList& Opc)
{
    const QStringList filas = Opc.size() - 1 >= 1 ? Opc : QStringList();
    return muestraLista(Titulo, filas, {}, Lista::Menu);
}

QString Lib_ClsCons3::ConsultaDesdeArchivo(const QString& Titulo, const QString& QueArchivo,
                                           const QString& /*Separador*/)
{
    if (!ExisteArchivo(QueArchivo)) {
        operatorDialogs().messageBox(u"No existe el archivo "_s + QueArchivo +
                                         u" que desea consultar consulta "_s,
                                     MsgStyle::OkOnly, QString());
        return QString();
    }
    QFile file(QString(QueArchivo).remove(u'"'));
    QStringList filas;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!file.atEnd()) {
            QString line = QString::fromLocal8Bit(file.readLine());
            while (line.endsWith(u'\n') || line.endsWith(u'\r'))
                line.chop(1);
            // A file that is not text still lists as lines, without the control characters that
            // would garble the rows.
            filas << ClsUtiles::TextoVisible(line.remove(QChar(0)));
        }
    }
    return muestraLista(Titulo, filas, {}, Lista::Menu);
}
