// The supplier lookup on a demo of 20,000 suppliers: opening it with 1,000 and 20,000 rows listed, and
// one keystroke of the type-ahead search over 20,000 listed rows (a text no row starts with, so
// every row is visited).
#include "BenchSupport.h"
#include "app/AppState.h"
#include "app/Inicio.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "data/SqliteFunctions.h"
#include "demo/DemoDatabase.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "zimbrel2/ProgramInfo.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

BenchDemo& fixture()
{
    static BenchDemo demo([] {
        DemoScale scale;
        scale.suppliers = 20'000;
        scale.accountingLines = minimumAccountingLines(scale);
        return scale;
    }());
    return demo;
}

// Sets "TopConsArt" and returns how many rows the supplier lookup lists with it.
int setTopConsArt(int rows)
{
    int listed = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"cfg"_s);
        db.setDatabaseName(fixture().mainFile());
        db.open();
        SqliteFunctions::registerOn(db);
        QSqlQuery query(db);
        query.exec(u"UPDATE ta_configuracion SET Valor = '"_s + QString::number(rows) +
                   u"' WHERE Clave = 'TOPCONSART'"_s);
        query.exec(u"SELECT COUNT(*) FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0"_s);
        listed = query.next() ? std::min(rows, query.value(0).toInt()) : 0;
    }
    QSqlDatabase::removeDatabase(u"cfg"_s);
    return listed;
}

DB_Dll& openMain()
{
    BenchDemo& f = fixture();
    DB_Dll& db = DataGlobals::gDB();
    if (!db.gOpenFlag) {
        db.gServidor = f.folder.path();
        db.gDBName = DemoDb::MainDatabaseName;
        db.gUsuario = DemoDb::AdminUser;
        db.OpenServerADODB(false, 3, QString(), true, false);
        AppState& state = appState();
        state.gUsarMascarasConsultas = true;
        state.gRutaMascaraConsultas = ProgramInfo::programFolder() + u"consultas.tso"_s;
        if (!QFile::exists(state.gRutaMascaraConsultas))
            CreaMascarasConsultas();
    }
    return db;
}

// From the call to the window shown with its rows, closed as soon as it is up.
void BM_SupplierLookupOpen(benchmark::State& state)
{
    const int rows = setTopConsArt(static_cast<int>(state.range(0)));
    openMain();
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    int listed = 0;
    for (auto _ : state) {
        QTimer::singleShot(0, [&listed] {
            auto* window = qobject_cast<Lib_FrmCons3*>(QApplication::activeModalWidget());
            if (!window)
                return;
            listed = window->ListView1()->topLevelItemCount();
            window->CmdCancelar_Click();
        });
        request.CampoDevuelto = u"codigo"_s;
        request.ConsultaSearch(u"Vt_proveedores"_s);
        if (listed != rows) {
            state.SkipWithError("the window did not list the rows expected");
            break;
        }
    }
    state.counters["rows"] = listed;
}
BENCHMARK(BM_SupplierLookupOpen)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_TypeAheadKeystroke(benchmark::State& state)
{
    setTopConsArt(20000);
    openMain();
    // Every supplier, those no longer active too: 20,000 rows.
    const int rows = 20000;
    Lib_FrmCons3 window;
    window.sql =
        u"SELECT TOP 20000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  ORDER BY RAZON_SOCIAL"_s;
    window.CampoDevuelto = u"CODIGO"_s;
    window.show();
    QComboBox* box = window.CmbSearch(0);
    if (window.ListView1()->topLevelItemCount() != rows)
        state.SkipWithError("the window did not list every supplier");
    state.counters["rows"] = rows;
    for (auto _ : state) {
        state.PauseTiming();
        box->blockSignals(true);
        box->setEditText(QString());
        box->blockSignals(false);
        state.ResumeTiming();
        QTest::keyClick(box, Qt::Key_NumberSign);
    }
    window.hide();
}
BENCHMARK(BM_TypeAheadKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    ProgramInfo::setProgramFolder(fixture().programFolder());
    const int code = runBenchmarks(argc, argv, &fixture());
    Lib_ClsCons3::resetInstance();
    DataGlobals::reset();
    return code;
}
