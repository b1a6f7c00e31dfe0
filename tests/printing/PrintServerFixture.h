#pragma once

#include "PrivateCupsServer.h"

#include "support/ProgramFixture.h"

#include <QString>
#include <QStringList>

#include <memory>

/// A test on a fresh demo database with a print server of its own, started once for the test binary
/// and stopped when its tests end (also when they fail). The server has these queues, each writing
/// its jobs to a file:
///   "Cheques"  takes PDF; Letter, A4, Legal and custom sizes; the default printer.
///   "Laser"    PostScript; the same sizes.
///   "Oficina"  takes PDF; Letter and A4 only, no custom sizes.
///   "Cupo"     as "Cheques", with a quota of one kilobyte a week: it takes one job and refuses the
///              next.
/// Before each test every queue exists, is enabled and accepts jobs, and its jobs are cancelled and
/// purged from the server's history; the default printer is "Cheques". Program-wide objects start fresh.
class PrintServerFixture : public ProgramFixture
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static PrivateCupsServer& server() { return *s_server; }
    /// Runs a CUPS tool on the server and fails the test when it fails.
    void cups(const QString& program, const QStringList& arguments);
    /// Waits for the queue's jobs to end, failing the test when they do not.
    void waitForJobs(const QString& queue);
    /// The program's forms file in the test's program folder.
    QString formsFile() const;

    static inline const QString Cheques = QStringLiteral("Cheques");
    static inline const QString Laser = QStringLiteral("Laser");
    static inline const QString Oficina = QStringLiteral("Oficina");
    static inline const QString Cupo = QStringLiteral("Cupo");

private:
    bool ensureQueues(QString* error);

    static inline std::unique_ptr<PrivateCupsServer> s_server;
    static inline QString s_unavailable;
    static inline QString s_startError;
};
