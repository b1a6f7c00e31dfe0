// Rendering cheques to PDF: 1,000 cheques of the shipped layout, three to a sheet, through the page
// model alone and through the whole report object (layout, database read, page model, PDF).
#include "BenchSupport.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "demo/DemoDatabase.h"
#include "report/ClsReporte.h"
#include "report/LayoutParser.h"
#include "report/PageBuilder.h"
#include "report/ReportOutput.h"
#include "report/SelectionFormula.h"
#include "support/ShippedFiles.h"
#include "zimbrel2/RegionalSettings.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Cheques = 1000;

std::vector<ReportRow> rows()
{
    std::vector<ReportRow> all;
    for (int i = 0; i < Cheques; ++i)
        all.push_back({u"PC01|JUAN"_s, u"1.1.01"_s, u"10/12/2026"_s, QVariant(),
                       u"Distribuidora Mayorista del Litoral S.R.L. %1"_s.arg(i), 1234567.89 + i,
                       u"un millón doscientos treinta y cuatro mil quinientos sesenta y siete con 89/100"_s,
                       u"B"_s, 100 + i});
    return all;
}

void BM_RenderChequesToPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    const ReportLayout layout =
        LayoutParser::parseFile(ShippedFiles::resources() + u"IMPRESION_CHEQUES.rpt"_s);
    const std::vector<ReportRow> data = rows();
    for (auto _ : state) {
        const PageModel model = PageBuilder(layout, RegionalSettings::argentina()).build(data);
        ReportOutput::toPdf(model, dir.filePath(u"cheques.pdf"_s), {}, u"IMPRESION_CHEQUES"_s);
    }
    state.SetItemsProcessed(state.iterations() * Cheques);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_RenderChequesToPdf)->Unit(benchmark::kMillisecond);

struct Database
{
    QTemporaryDir folder;
    QString error;
    bool ok = false;
};

Database& database()
{
    static Database d;
    static const bool built = [] {
        d.ok = d.folder.isValid() && createDemoDatabase(d.folder.path(), DemoScale(), &d.error);
        if (!d.ok)
            return false;
        DB_Dll& db = DataGlobals::gDB();
        db.gServidor = d.folder.path();
        db.gDBName = DemoDb::MainDatabaseName;
        db.gUsuario = DemoDb::AdminUser;
        db.OpenServerADODB(false, 3, QString(), true, false);
        d.ok = db.gOpenFlag;
        if (!d.ok) {
            d.error = u"the demo database does not open"_s;
            return false;
        }
        AdoConnection& cnn = db.gCnn();
        cnn.execute(u"DELETE AUX_IMPRESION"_s);
        cnn.beginTrans();
        for (const ReportRow& row : rows()) {
            QStringList values;
            for (const QVariant& v : row)
                values << (v.isNull()                                ? u"NULL"_s
                           : v.metaType().id() == QMetaType::QString ? u"'"_s + v.toString() + u"'"_s
                                                                     : v.toString());
            cnn.execute(u"INSERT INTO AUX_IMPRESION (USUARIO, CUENTA, FECHA, VENCIMIENTO, NOMBRE, IMPORTE, "
                        u"IMPORTEENLETRA, SERIE, NUMERO) VALUES ("_s +
                        values.join(u", "_s) + u")"_s);
        }
        cnn.commitTrans();
        return true;
    }();
    Q_UNUSED(built);
    return d;
}

void BM_ImprimeReporte1000Cheques(benchmark::State& state)
{
    Database& d = database();
    if (!d.ok) {
        state.SkipWithError(d.error.toStdString().c_str());
        return;
    }
    ClsReporte& reporte = ClsReporte::instance();
    reporte.CarpetaReportes(ShippedFiles::resources());
    reporte.Destino(reporte.DestinoArchivo(d.folder.filePath(u"cheques.pdf"_s)));
    const QString connection = u"DSN="_s + DemoDb::MainDatabaseName + u"; UID=x; PWD=y"_s;
    for (auto _ : state) {
        reporte.ImprimeReporte(u"IMPRESION_CHEQUES"_s, {QString()},
                               u"{AUX_IMPRESION.USUARIO}='PC01|JUAN' AND {AUX_IMPRESION.CUENTA}= '1.1.01'"_s,
                               connection, {});
        if (reporte.chequesImpresos() != Cheques) {
            state.SkipWithError("not every cheque was printed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * Cheques);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_ImprimeReporte1000Cheques)->Unit(benchmark::kMillisecond);

// Reading a selection formula of N terms joined with OR: the time per term stays flat as N grows.
void BM_FormulaDeSeleccionLarga(benchmark::State& state)
{
    QStringList terms;
    for (int i = 0; i < state.range(0); ++i)
        terms << u"{AUX_IMPRESION.NUMERO} = "_s + QString::number(i);
    const QString formula = terms.join(u" OR "_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(SelectionFormula::parse(formula).where().size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FormulaDeSeleccionLarga)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Fonts and the PDF writer need a GUI application; no window is shown.
    useOffscreenPlatformByDefault();
    QGuiApplication app(argc, argv);
    const int code = runBenchmarks(argc, argv);
    ClsReporte::reset();
    DataGlobals::reset();
    return code;
}
