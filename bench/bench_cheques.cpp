// The cheque window at benchmark scale (10,000 unnumbered cheques on one account, 1,000,000
// accounting lines): start-up to the idle window, loading the list, one tick change with its series
// check, and generating 1,000 cheques, with the share of it the engine's commits take.
#include "BenchSupport.h"
#include "app/AppState.h"
#include "banner/Dll_Display.h"
#include "banner/Lbf_CtrlDisplay.h"
#include "cheques/FrmTalonex.h"
#include "cheques/GeneracionCheques.h"
#include "cheques/ProgresoEnCartel.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "data/SqliteFunctions.h"
#include "demo/DemoDatabase.h"
#include "support/ShippedFiles.h"
#include "zimbrel2/ProgramInfo.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

BenchDemo& fixture()
{
    static BenchDemo demo([] {
        DemoScale scale;
        scale.extraUnnumberedCheques = 10'000 - DemoDb::BenchUnnumberedCheques;
        scale.accountingLines = 1'000'000;
        return scale;
    }());
    return demo;
}

std::unique_ptr<FrmTalonex> startWindow()
{
    resetAppState();
    auto window = std::make_unique<FrmTalonex>();
    window->Form_Load(fixture().parameters());
    return window;
}

/// The bench account with the first free number of its newest chequebook.
void fillBenchAccount(FrmTalonex& window)
{
    QSqlQuery q(QSqlDatabase::database(u"bench-direct"_s));
    q.exec(u"SELECT SERIE, NUMERO_HASTA - 49 FROM V_TA_CTRL_CHEQUERAS WHERE CUENTABANCODIFERIDO = '"_s +
           DemoDb::BenchAccount + u"' ORDER BY NUMERO_HASTA DESC LIMIT 1"_s);
    q.next();
    window.campo(u"idbanco"_s)->setText(DemoDb::BenchAccount);
    window.campo(u"Serie"_s)->setText(q.value(0).toString());
    window.campo(u"NumerarDesde"_s)->setText(q.value(1).toString());
    window.campo(u"FechaH"_s)->clear();
}

void BM_InicioHastaVentanaInactiva(benchmark::State& state)
{
    for (auto _ : state) {
        auto window = startWindow();
        window->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InicioHastaVentanaInactiva)->Unit(benchmark::kMillisecond);

void BM_CargaDiezMilCheques(benchmark::State& state)
{
    auto window = startWindow();
    fillBenchAccount(*window);
    window->show();
    const double before = residentMegabytes();
    double extra = 0;
    for (auto _ : state) {
        window->CmdCargar_Click();
        QApplication::processEvents();
        extra = std::max(extra, residentMegabytes() - before);
    }
    state.counters["filas"] = window->Lvw()->topLevelItemCount();
    state.counters["MB_extra"] = extra;
    if (window->Lvw()->topLevelItemCount() != 10'000)
        state.SkipWithError("the list did not load 10,000 cheques");
}
BENCHMARK(BM_CargaDiezMilCheques)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CambioDeMarcaConUnMillonDeLineas(benchmark::State& state)
{
    auto window = startWindow();
    fillBenchAccount(*window);
    window->show();
    window->CmdCargar_Click();
    QTreeWidgetItem* row = window->Lvw()->topLevelItem(0);
    for (auto _ : state) {
        row->setCheckState(0, row->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        if (window->Fallo())
            state.SkipWithError("the series check failed");
    }
}
BENCHMARK(BM_CambioDeMarcaConUnMillonDeLineas)->Unit(benchmark::kMillisecond);

void BM_GeneraMilCheques(benchmark::State& state)
{
    auto window = startWindow();
    fillBenchAccount(*window);
    window->CmdCargar_Click();
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
    QSqlDatabase direct = QSqlDatabase::database(u"bench-direct"_s);
    for (auto _ : state) {
        state.PauseTiming();
        QSqlQuery(direct).exec(
            u"UPDATE MV_ASIENTOS SET NroComprobanteBancario = '*-' WHERE NroComprobanteBancario "
            u"LIKE 'Z-%'"_s);
        std::vector<ChequeFila> copia = filas;
        std::vector<ChequeFila*> orden;
        for (ChequeFila& f : copia)
            orden.push_back(&f);
        ProgresoEnCartel cartel;
        state.ResumeTiming();
        const ResultadoGeneracion r = GeneracionCheques(DataGlobals::gDB(), cartel).genera(orden, pedido);
        if (r.generados != 1'000)
            state.SkipWithError("not every cheque was generated");
    }
    state.SetItemsProcessed(state.iterations() * 1'000);
}
BENCHMARK(BM_GeneraMilCheques)->Unit(benchmark::kMillisecond)->Iterations(3);

// The engine's share of a generation: 1,000 transactions of one print row each.
void BM_MilCommitsDelMotor(benchmark::State& state)
{
    auto window = startWindow();
    AdoConnection& cnn = DataGlobals::gDB().gCnn();
    for (auto _ : state) {
        for (int i = 0; i < 1'000; ++i) {
            cnn.beginTrans();
            cnn.execute(u"INSERT INTO AUX_IMPRESION (USUARIO, CUENTA) VALUES ('bench', '1')"_s);
            cnn.commitTrans();
        }
        state.PauseTiming();
        cnn.execute(u"DELETE AUX_IMPRESION WHERE USUARIO = 'bench'"_s);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 1'000);
}
BENCHMARK(BM_MilCommitsDelMotor)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    // The skins the window applies while it loads, as beside the installed program.
    ShippedFiles::installSkins(fixture().programFolder());
    ProgramInfo::setProgramFolder(fixture().programFolder());
    {
        QSqlDatabase direct = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"bench-direct"_s);
        direct.setDatabaseName(fixture().mainFile());
        direct.open();
        SqliteFunctions::registerOn(direct);
    }
    const int code = runBenchmarks(argc, argv, &fixture());
    gDisplay().CartelCerrar();
    DataGlobals::reset();
    QSqlDatabase::removeDatabase(u"bench-direct"_s);
    return code;
}
