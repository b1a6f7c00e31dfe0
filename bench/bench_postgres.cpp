// The cheque window's heavy work side by side on SQLite and on a local PostgreSQL server (a
// throwaway cluster that syncs its commits, as a production server does, unless
// TALONEX_BENCH_PG_FSYNC=off), at benchmark scale:
// 10,000 unnumbered cheques on one account and 1,000,000 accounting lines. Generating 1,000 cheques
// (one transaction per cheque; "idas_por_cheque" counts the statements sent to the server per
// cheque), loading the 10,000 into the list and one tick change with its series check.
#include "BenchSupport.h"
#include "app/AppState.h"
#include "banner/Dll_Display.h"
#include "banner/Lbf_CtrlDisplay.h"
#include "cheques/FrmTalonex.h"
#include "cheques/GeneracionCheques.h"
#include "cheques/ProgresoEnCartel.h"
#include "data/AdoConnection.h"
#include "data/AdoRecordset.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "data/SqlEngine.h"
#include "demo/PostgresDemo.h"
#include "support/PostgresServer.h"
#include "support/ShippedFiles.h"
#include "zimbrel2/ProgramInfo.h"

#include <QApplication>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

DemoScale benchScale()
{
    DemoScale scale;
    scale.extraUnnumberedCheques = 10'000 - DemoDb::BenchUnnumberedCheques;
    scale.accountingLines = 1'000'000;
    return scale;
}

BenchDemo& sqliteDemo()
{
    static BenchDemo demo(benchScale());
    return demo;
}

PostgresServer* g_server = nullptr;

// The start-up parameters of engine 0 (SQLite) or 1 (PostgreSQL).
QString parameters(int engine)
{
    if (engine == 0)
        return sqliteDemo().parameters();
    return u"@Server="_s + g_server->serverUrl() + u"; @DbName="_s + DemoDb::MainDatabaseName +
           u"; @Usuario="_s + DemoDb::AdminUser + u"; @Password="_s + DemoDb::DefaultPassword +
           u"; @UsuarioLogeado="_s + DemoDb::AdminUser + u"; @Caja=1;"_s;
}

bool engineReady(benchmark::State& state)
{
    if (state.range(0) == 1 && !g_server) {
        state.SkipWithError("no PostgreSQL server");
        return false;
    }
    state.SetLabel(state.range(0) == 0 ? "SQLite" : "PostgreSQL");
    return true;
}

std::unique_ptr<FrmTalonex> startWindow(int engine)
{
    resetAppState();
    DataGlobals::reset();
    auto window = std::make_unique<FrmTalonex>();
    window->Form_Load(parameters(engine));
    return window;
}

void fillBenchAccount(FrmTalonex& window)
{
    AdoRecordsetPtr rows = DataGlobals::gDB().gCnn().execute(
        u"SELECT TOP 1 SERIE, NUMERO_HASTA - 49 FROM V_TA_CTRL_CHEQUERAS WHERE CUENTABANCODIFERIDO = '"_s +
        DemoDb::BenchAccount + u"' ORDER BY NUMERO_HASTA DESC"_s);
    window.campo(u"idbanco"_s)->setText(DemoDb::BenchAccount);
    window.campo(u"Serie"_s)->setText(rows->value(0).toString());
    window.campo(u"NumerarDesde"_s)->setText(rows->value(1).toString());
    window.campo(u"FechaH"_s)->clear();
}

void BM_CargaDiezMilCheques(benchmark::State& state)
{
    if (!engineReady(state))
        return;
    auto window = startWindow(static_cast<int>(state.range(0)));
    fillBenchAccount(*window);
    window->show();
    for (auto _ : state) {
        window->CmdCargar_Click();
        QApplication::processEvents();
    }
    state.counters["filas"] = window->Lvw()->topLevelItemCount();
    if (window->Lvw()->topLevelItemCount() != 10'000)
        state.SkipWithError("the list did not load 10,000 cheques");
}
BENCHMARK(BM_CargaDiezMilCheques)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CambioDeMarcaConUnMillonDeLineas(benchmark::State& state)
{
    if (!engineReady(state))
        return;
    auto window = startWindow(static_cast<int>(state.range(0)));
    fillBenchAccount(*window);
    window->show();
    window->CmdCargar_Click();
    QTreeWidgetItem* row = window->Lvw()->topLevelItem(0);
    if (!row) {
        state.SkipWithError("no cheque loaded");
        return;
    }
    for (auto _ : state) {
        row->setCheckState(0, row->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        if (window->Fallo())
            state.SkipWithError("the series check failed");
    }
}
BENCHMARK(BM_CambioDeMarcaConUnMillonDeLineas)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_GeneraMilCheques(benchmark::State& state)
{
    if (!engineReady(state))
        return;
    auto window = startWindow(static_cast<int>(state.range(0)));
    fillBenchAccount(*window);
    window->CmdCargar_Click();
    if (window->Lvw()->topLevelItemCount() < 1'000) {
        state.SkipWithError("fewer than 1,000 cheques loaded");
        return;
    }
    std::vector<ChequeFila> filas;
    for (int i = 0; i < 1'000; ++i) {
        const QTreeWidgetItem* item = window->Lvw()->topLevelItem(i);
        ChequeFila fila;
        for (int c = 0; c < ColumnaCheque::Cantidad; ++c)
            fila[c] = item->text(c);
        fila.marcado = true;
        filas.push_back(fila);
    }
    PedidoGeneracion pedido;
    pedido.idBanco = DemoDb::BenchAccount;
    pedido.serie = u"Z"_s; // a series of its own, so every run finds its numbers free
    pedido.numerarDesde = u"1"_s;
    pedido.puestoUsuario = appState().gPuestoUsuario;
    AdoConnection& cnn = DataGlobals::gDB().gCnn();
    qint64 statements = 0;
    for (auto _ : state) {
        state.PauseTiming();
        cnn.execute(u"UPDATE MV_ASIENTOS SET NroComprobanteBancario = '*-' WHERE NroComprobanteBancario "
                    u"LIKE 'Z-%'"_s);
        std::vector<ChequeFila> copia = filas;
        std::vector<ChequeFila*> orden;
        for (ChequeFila& f : copia)
            orden.push_back(&f);
        ProgresoEnCartel cartel;
        const SqlEngine* engine = cnn.engine();
        cnn.setTracer([&statements, engine](const QString& statement) {
            statements += engine->translate(statement).size();
        });
        state.ResumeTiming();
        const ResultadoGeneracion r = GeneracionCheques(DataGlobals::gDB(), cartel).genera(orden, pedido);
        state.PauseTiming();
        cnn.setTracer({});
        state.ResumeTiming();
        if (r.generados != 1'000)
            state.SkipWithError("not every cheque was generated");
    }
    state.counters["idas_por_cheque"] = double(statements) / double(state.iterations() * 1'000);
    state.SetItemsProcessed(state.iterations() * 1'000);
}
BENCHMARK(BM_GeneraMilCheques)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    ShippedFiles::installSkins(sqliteDemo().programFolder());
    ProgramInfo::setProgramFolder(sqliteDemo().programFolder());
    PostgresServer server;
    // TALONEX_BENCH_PG_FSYNC=off measures the server without its syncs to disk, to tell them apart.
    server.setDurable(qgetenv("TALONEX_BENCH_PG_FSYNC") != "off");
    QString why;
    if (server.start(&why)) {
        PostgresTarget target;
        target.server = server.serverUrl();
        if (createPostgresDemo(target, benchScale(), &why))
            g_server = &server;
    }
    if (!g_server)
        qWarning("PostgreSQL benchmarks skipped: %s", qUtf8Printable(why));
    const int code = runBenchmarks(argc, argv, &sqliteDemo());
    gDisplay().CartelCerrar();
    DataGlobals::reset();
    return code;
}
