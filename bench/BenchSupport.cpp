#include "BenchSupport.h"

#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/ScriptedOperator.h"

#include <QDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include <sys/resource.h>
#include <unistd.h>

BenchDemo::BenchDemo(const DemoScale& scale)
{
    ok = folder.isValid() && createDemoDatabase(folder.path(), scale, &error);
    QDir(folder.path()).mkpath(QStringLiteral("programa"));
}

QString BenchDemo::mainFile() const
{
    return DemoDb::databaseFilePath(folder.path(), DemoDb::MainDatabaseName);
}

QString BenchDemo::programFolder() const
{
    return folder.path() + QStringLiteral("/programa/");
}

QString BenchDemo::parameters() const
{
    return QStringLiteral("@Server=file://") + folder.path() +
           QStringLiteral("; @DbName=TALONEX_DEMO; @Usuario=TESSARO; @Password=x; @UsuarioLogeado=TESSARO; "
                          "@Caja=1;");
}

double residentMegabytes()
{
    long pages = 0;
    long resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    std::fclose(statm);
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void useOffscreenPlatformByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
}

int runBenchmarks(int argc, char** argv, const BenchDemo* demo)
{
    installOperatorDialogs(std::make_unique<ScriptedOperator>());
    if (demo && !demo->ok) {
        std::fprintf(stderr, "demo database: %s\n", qPrintable(demo->error));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
