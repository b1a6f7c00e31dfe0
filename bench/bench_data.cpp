// The data layer against bare Qt SQL on the same SQLite demo database: a 10,000-row read with every
// field, a one-row lookup, and the program's start-up.
#include "BenchSupport.h"
#include "app/AppState.h"
#include "app/Inicio.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "data/SqliteFunctions.h"
#include "data/TsqlToSqlite.h"
#include "demo/DemoDatabase.h"
#include "zimbrel2/ProgramInfo.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const QString TenThousandRows = u"SELECT * FROM MV_ASIENTOS ORDER BY Numero LIMIT 10000"_s;
const QString TenThousandRowsTsql = u"SELECT TOP 10000 * FROM MV_ASIENTOS with(nolock) ORDER BY Numero"_s;

BenchDemo& fixture()
{
    static BenchDemo demo([] {
        DemoScale scale;
        scale.accountingLines = 20'000;
        return scale;
    }());
    return demo;
}

// The bare path: a forward-only QSqlQuery reading every field of every row.
void BM_Read10000Rows_QSqlQuery(benchmark::State& state)
{
    BenchDemo& f = fixture();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"bare"_s);
        db.setDatabaseName(f.mainFile());
        db.open();
        SqliteFunctions::registerOn(db);
        for (auto _ : state) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            query.exec(TenThousandRows);
            const int columns = query.record().count();
            qint64 cells = 0;
            while (query.next()) {
                for (int i = 0; i < columns; ++i) {
                    QVariant v = query.value(i);
                    benchmark::DoNotOptimize(v);
                    ++cells;
                }
            }
            benchmark::DoNotOptimize(cells);
        }
    }
    QSqlDatabase::removeDatabase(u"bare"_s);
    state.SetItemsProcessed(state.iterations() * 10'000);
}
BENCHMARK(BM_Read10000Rows_QSqlQuery)->Unit(benchmark::kMillisecond);

DB_Dll& openLayer()
{
    BenchDemo& f = fixture();
    DB_Dll& db = DataGlobals::gDB();
    if (!db.gOpenFlag) {
        db.gServidor = f.folder.path();
        db.gDBName = DemoDb::MainDatabaseName;
        db.gUsuario = DemoDb::AdminUser;
        db.OpenServerADODB(false, 3, QString(), true, false);
    }
    return db;
}

// The layer: AbrirRecordset with the program's T-SQL (rewriting and translation included), then
// every field of every row through the recordset.
void BM_Read10000Rows_AbrirRecordset(benchmark::State& state)
{
    DB_Dll& db = openLayer();
    AdoRecordset rs;
    for (auto _ : state) {
        QString sql = TenThousandRowsTsql;
        db.AbrirRecordset(sql, rs);
        const int columns = rs.fieldCount();
        qint64 cells = 0;
        while (!rs.eof()) {
            for (int i = 0; i < columns; ++i) {
                QVariant v = rs.value(i);
                benchmark::DoNotOptimize(v);
                ++cells;
            }
            rs.moveNext();
        }
        db.CierraRecordset(&rs);
        benchmark::DoNotOptimize(cells);
    }
    state.SetItemsProcessed(state.iterations() * 10'000);
}
BENCHMARK(BM_Read10000Rows_AbrirRecordset)->Unit(benchmark::kMillisecond);

void BM_OneRowLookup_QSqlQuery(benchmark::State& state)
{
    BenchDemo& f = fixture();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"bare-lookup"_s);
        db.setDatabaseName(f.mainFile());
        db.open();
        SqliteFunctions::registerOn(db);
        for (auto _ : state) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            query.exec(
                u"SELECT * FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) ='TESSARO' COLLATE NOCASE_RTRIM "
                u"LIMIT 1"_s);
            QVariant v = query.next() ? query.value(u"Administrador"_s) : QVariant();
            benchmark::DoNotOptimize(v);
        }
    }
    QSqlDatabase::removeDatabase(u"bare-lookup"_s);
}
BENCHMARK(BM_OneRowLookup_QSqlQuery)->Unit(benchmark::kMicrosecond);

void BM_OneRowLookup_DatosTabla(benchmark::State& state)
{
    DB_Dll& db = openLayer();
    for (auto _ : state) {
        QString v = db.DatosTabla(u"ta_usuarios"_s, u"TESSARO"_s, u"Administrador"_s, u"nombre"_s, 8,
                                  QString(), true, false);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_OneRowLookup_DatosTabla)->Unit(benchmark::kMicrosecond);

// Start-up as the program runs it, masks present: both connections, configuration, access record.
void BM_IniciarAplicacion(benchmark::State& state)
{
    BenchDemo& f = fixture();
    ProgramInfo::setProgramFolder(f.programFolder());
    const QString parameters = f.parameters();
    for (auto _ : state) {
        state.PauseTiming();
        resetAppState();
        state.ResumeTiming();
        QString connection;
        const ResultadoInicio outcome = IniciarAplicacion(false, parameters, connection, 3);
        if (outcome != ResultadoInicio::Completo) {
            state.SkipWithError("start-up did not complete");
            break;
        }
    }
    resetAppState();
}
BENCHMARK(BM_IniciarAplicacion)->Unit(benchmark::kMillisecond);

// A long chain of OR terms, as a statement built from a long list of ticked cheques could be: the
// translation must grow linearly with the terms (the reported complexity says so).
void BM_TranslateOrChain(benchmark::State& state)
{
    QString tsql = u"SELECT * FROM MV_ASIENTOS with(nolock) WHERE NroComprobanteBancario = 'B-1'"_s;
    for (int64_t i = 2; i <= state.range(0); ++i)
        tsql += u" OR NroComprobanteBancario = 'B-"_s + QString::number(i) + u"'"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(TsqlToSqlite::translate(tsql));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TranslateOrChain)
    ->RangeMultiplier(4)
    ->Range(1000, 64000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Qt loads its SQL drivers as plugins, which needs an application object.
    QCoreApplication app(argc, argv);
    const int code = runBenchmarks(argc, argv, &fixture());
    DataGlobals::reset();
    return code;
}
