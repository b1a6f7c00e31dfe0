#pragma once

#include "demo/DemoDatabase.h"

#include <QString>
#include <QTemporaryDir>

// What the benchmark programs share: a scaled demo database in a folder of its own, memory
// readings and the run of the registered benchmarks.

/// A demo database of `scale` built in a temporary folder, with an empty program folder
/// "programa/" beside it.
struct BenchDemo
{
    explicit BenchDemo(const DemoScale& scale);

    QString mainFile() const;
    QString programFolder() const;
    /// The start-up parameter string of the demo's administrator.
    QString parameters() const;

    QTemporaryDir folder;
    QString error;
    bool ok = false;
};

/// The process's resident memory now, and the most it has used, in megabytes.
double residentMegabytes();
double peakMegabytes();

/// The offscreen platform unless a display was chosen; before the application object.
void useOffscreenPlatformByDefault();

/// Installs a scripted operator (a box records a failure instead of waiting), runs the benchmarks
/// the command line selects and returns the exit code; `demo`, when given, must have been built.
int runBenchmarks(int argc, char** argv, const BenchDemo* demo = nullptr);
