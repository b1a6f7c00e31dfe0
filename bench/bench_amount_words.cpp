// Amount in words: the cost per cheque of the words printed on it.
#include "app/ImporteLetras.h"

#include "zimbrel2/RegionalSettings.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QStringList sampleAmounts()
{
    // Amounts of every shape: cents or none, thousands, millions, thousands of millions.
    QStringList amounts;
    for (int i = 0; i < 1024; ++i) {
        const qint64 whole = (static_cast<qint64>(i) * 7919 * 104729) % 999999999999LL;
        amounts << (i % 3 == 0 ? QString::number(whole)
                               : QString::number(whole) + u',' + QString::number(i % 100));
    }
    return amounts;
}

void BM_ImporteEnLetras(benchmark::State& state)
{
    RegionalSettings::setCurrent(RegionalSettings::argentina());
    const QStringList amounts = sampleAmounts();
    const std::optional<QString> currency = QString();
    qsizetype i = 0;
    for (auto _ : state) {
        QString words = ImporteEnLetras(amounts[i], 0, currency, u"Centavos"_s);
        benchmark::DoNotOptimize(words);
        i = (i + 1) & 1023;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ImporteEnLetras);

} // namespace

BENCHMARK_MAIN();
