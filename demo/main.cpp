// talonex-demo FOLDER [--suppliers N] [--cheques N] [--lines N]
// talonex-demo --postgres pg://HOST[:PORT] [--pg-user USER] [--suppliers N] [--cheques N] [--lines N]
// Writes the demo databases into FOLDER (or onto a PostgreSQL server) and prints what they hold.
#include "demo/DemoDatabase.h"
#include "demo/PostgresDemo.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

bool readNumber(const QCommandLineParser& parser, const QString& option, qint64* value, QTextStream& err)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const qint64 number = parser.value(option).toLongLong(&ok);
    if (!ok || number < 0) {
        err << u"talonex-demo: --"_s << option << u" needs a whole number, not \""_s << parser.value(option)
            << u"\"\n"_s;
        return false;
    }
    *value = number;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"talonex-demo"_s);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Writes the demo databases %1.db and %2.db into FOLDER, replacing them."_s.arg(
            DemoDb::MainDatabaseName, DemoDb::StatisticsDatabaseName));
    parser.addHelpOption();
    parser.addPositionalArgument(u"FOLDER"_s, u"Folder of the databases (created when missing)."_s);
    const DemoScale defaults;
    parser.addOption(
        {u"suppliers"_s, u"Number of suppliers (default %1)."_s.arg(defaults.suppliers), u"N"_s});
    parser.addOption(
        {u"cheques"_s,
         u"Extra unnumbered cheques on the benchmark account %1 (default 0)."_s.arg(DemoDb::BenchAccount),
         u"N"_s});
    parser.addOption({u"lines"_s,
                      u"Total accounting lines of MV_ASIENTOS (default %1)."_s.arg(defaults.accountingLines),
                      u"N"_s});
    parser.addOption(
        {u"postgres"_s,
         u"Create the databases on this PostgreSQL server instead of a folder, replacing them."_s,
         u"pg://HOST[:PORT]"_s});
    parser.addOption({u"pg-user"_s, u"The server's superuser that creates them (default postgres)."_s,
                      u"USER"_s, u"postgres"_s});
    parser.process(app);

    const QStringList folders = parser.positionalArguments();
    const bool onServer = parser.isSet(u"postgres"_s);
    if (folders.size() != (onServer ? 0 : 1)) {
        err << parser.helpText();
        return 2;
    }
    qint64 suppliers = defaults.suppliers;
    qint64 cheques = defaults.extraUnnumberedCheques;
    DemoScale scale;
    if (!readNumber(parser, u"suppliers"_s, &suppliers, err) ||
        !readNumber(parser, u"cheques"_s, &cheques, err) ||
        !readNumber(parser, u"lines"_s, &scale.accountingLines, err))
        return 2;
    if (suppliers > 99999 || cheques > 10'000'000) {
        err << u"talonex-demo: too large a scale\n"_s;
        return 2;
    }
    scale.suppliers = static_cast<int>(suppliers);
    scale.extraUnnumberedCheques = static_cast<int>(cheques);
    // Without --lines, the extra cheques come on top of the normal lines.
    if (!parser.isSet(u"lines"_s))
        scale.accountingLines = std::max(defaults.accountingLines, minimumAccountingLines(scale));

    QElapsedTimer timer;
    timer.start();
    QString error;
    if (onServer) {
        PostgresTarget target;
        target.server = parser.value(u"postgres"_s);
        target.user = parser.value(u"pg-user"_s);
        if (!createPostgresDemo(target, scale, &error)) {
            err << u"talonex-demo: "_s << error << u'\n';
            return 1;
        }
        out << u"Written in "_s << QString::number(double(timer.elapsed()) / 1000.0, 'f', 1) << u" s on "_s
            << target.server << u": databases "_s << DemoDb::MainDatabaseName << u" and "_s
            << DemoDb::StatisticsDatabaseName << u", logins "_s << DemoDb::AdminUser << u" and "_s
            << DemoDb::PlainUser << u"\n"_s;
        return 0;
    }
    if (!createDemoDatabase(folders.first(), scale, &error)) {
        err << u"talonex-demo: "_s << error << u'\n';
        return 1;
    }
    const qint64 elapsed = timer.elapsed();
    DemoContents contents;
    if (!readDemoContents(folders.first(), &contents, &error)) {
        err << u"talonex-demo: "_s << error << u'\n';
        return 1;
    }
    out << u"Written in %1 s:\n"_s.arg(double(elapsed) / 1000.0, 0, 'f', 1);
    out << u"  "_s << DemoDb::databaseFilePath(folders.first(), DemoDb::MainDatabaseName) << u'\n';
    out << u"  "_s << DemoDb::databaseFilePath(folders.first(), DemoDb::StatisticsDatabaseName) << u'\n';
    out << u"Suppliers:            "_s << contents.suppliers << u'\n';
    out << u"Bank accounts:        "_s << contents.bankAccounts << u'\n';
    out << u"Chequebooks:          "_s << contents.chequebooks << u'\n';
    out << u"Numbered cheques:     "_s << contents.numberedCheques << u'\n';
    out << u"Unnumbered cheques:   "_s << contents.unnumberedCheques << u'\n';
    out << u"Accounting lines:     "_s << contents.accountingLines << u'\n';
    out << u"Test account:         "_s << DemoDb::TestAccount << u" (series "_s << DemoDb::TestSeries
        << u" free from "_s << DemoDb::TestFirstFreeNumber << u")\n"_s;
    return 0;
}
