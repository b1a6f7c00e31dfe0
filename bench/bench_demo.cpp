// Building the demo database at the benchmark scale: 20,000 suppliers, 10,000 extra unnumbered
// cheques on one bank account, 1,000,000 accounting lines.
#include "demo/DemoDatabase.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_BuildDemoBenchmarkScale(benchmark::State& state)
{
    DemoScale scale;
    scale.suppliers = 20'000;
    scale.extraUnnumberedCheques = 10'000;
    scale.accountingLines = 1'000'000;
    QTemporaryDir folder;
    if (!folder.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    for (auto _ : state) {
        QString error;
        if (!createDemoDatabase(folder.path(), scale, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * scale.accountingLines);
}

} // namespace

BENCHMARK(BM_BuildDemoBenchmarkScale)->Unit(benchmark::kSecond)->Iterations(1);

// Qt loads its SQL drivers as plugins, which needs an application object.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
