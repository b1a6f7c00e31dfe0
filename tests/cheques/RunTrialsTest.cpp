// Trials of the real program: several talonex processes numbering from one chequebook of one SQLite
// demo database at once, a generating process killed at a random moment, and two processes under one
// workstation key. After each trial the numbering invariant is checked with SQL: no number twice on
// the account, no cheque numbered twice, every cheque a run numbered with exactly one print row, no
// print row without its number.
#include "cheques/BloqueoPuesto.h"
#include "demo/DemoDatabase.h"
#include "support/DemoDbFixture.h"
#include "support/QStringPrinter.h"
#include "support/ShippedFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The trials number on the account with the most unnumbered cheques.
const QString Cuenta = DemoDb::BenchAccount;

// What one run of the program said it did.
struct Corrida
{
    int marcados = 0;
    int generados = 0;
    qint64 primero = 0;
    qint64 ultimo = 0;
};

class RunTrials : public DemoDbFixture
{
protected:
    void SetUp() override
    {
        DemoDbFixture::SetUp();
        if (HasFatalFailure())
            return;
        // The program's own folder, with the default report beside it, and the folders its runs
        // write to.
        m_programa = folder() + u"/programa"_s;
        ASSERT_TRUE(QDir().mkpath(m_programa));
        ASSERT_TRUE(QDir().mkpath(folder() + u"/temp"_s));
        m_binario = m_programa + u"/talonex"_s;
        ASSERT_TRUE(QFile::copy(QStringLiteral(TALONEX_BINARY), m_binario));
        ASSERT_TRUE(ShippedFiles::install(u"IMPRESION_CHEQUES.rpt"_s, m_programa));
        ASSERT_TRUE(ShippedFiles::installSkins(m_programa));

        m_db = openMainDatabase();
        // Room in the chequebook for every cheque of the account.
        sql(u"UPDATE TA_CHEQUERAS SET Numero_Hasta = Numero_Hasta + 1000 WHERE CuentaBancoDiferido = '"_s +
            Cuenta +
            u"' AND Numero_Hasta = (SELECT max(Numero_Hasta) FROM TA_CHEQUERAS WHERE "_s
            u"CuentaBancoDiferido = '"_s +
            Cuenta + u"')"_s);
        // Twice the account's unnumbered cheques: copies under voucher numbers of their own.
        const QString columnas =
            u"Periodo, Mes_Operativo, \"Numero Asiento\", Secuencia, TC, Sucursal, %1, Letra, "
            u"Cuenta, Tipo_Reg, IdBanco, Fecha, Vencimiento, Detalle, DebeHaber, Importe, "
            u"CuentaDestino, NroComprobanteBancario, Moneda, Cotizacion, Clearing, CCosto, "
            u"Usuario, FECHAHORA_GRABACION"_s;
        sql(u"INSERT INTO MV_ASIENTOS ("_s + columnas.arg(u"Numero"_s) + u") SELECT "_s +
            columnas.arg(u"'9' || substr(Numero, 2)"_s) + u" FROM MV_ASIENTOS WHERE Cuenta = '"_s + Cuenta +
            u"' AND NroComprobanteBancario = '*-'"_s);
        m_serie = value(u"SELECT Serie FROM TA_CHEQUERAS WHERE CuentaBancoDiferido = '"_s + Cuenta +
                        u"' ORDER BY Numero_Hasta DESC LIMIT 1"_s)
                      .toString();
        ASSERT_FALSE(m_serie.isEmpty());
        m_sinNumero = value(u"SELECT count(*) FROM MV_ASIENTOS WHERE Cuenta = '"_s + Cuenta +
                            u"' AND NroComprobanteBancario = '*-'"_s)
                          .toInt();
        ASSERT_GE(m_sinNumero, 100);
    }

    void TearDown() override
    {
        for (const auto& p : m_procesos) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
        m_procesos.clear();
        m_db = QSqlDatabase();
        DemoDbFixture::TearDown();
    }

    void sql(const QString& text)
    {
        QSqlQuery q(m_db);
        ASSERT_TRUE(q.exec(text)) << q.lastError().text().toStdString() << "\n" << text.toStdString();
    }

    QVariant value(const QString& text)
    {
        QSqlQuery q(m_db);
        if (!q.exec(text) || !q.next())
            return QVariant();
        return q.value(0);
    }

    QStringList column(const QString& text)
    {
        QStringList out;
        QSqlQuery q(m_db);
        EXPECT_TRUE(q.exec(text)) << q.lastError().text().toStdString();
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

    /// A talonex process of its own workstation key (the operating-system user `puesto`) working
    /// `guion` unattended, printing to a PDF file of its own.
    QProcess* lanza(const QString& puesto, const QString& guion)
    {
        auto proceso = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"USER"_s, puesto);
        env.insert(u"TEMP"_s, folder() + u"/temp"_s);
        env.insert(u"TMP"_s, folder() + u"/temp"_s);
        env.insert(u"TALONEX_INI_DIR"_s, folder());
        proceso->setProcessEnvironment(env);
        proceso->setWorkingDirectory(folder());
        proceso->start(m_binario, {u"--pdf"_s, folder() + u"/"_s + puesto + u".pdf"_s, u"--corrida"_s, guion,
                                   u"@Server=file://"_s + folder() + u"; @DbName=TALONEX_DEMO; @Usuario="_s +
                                       DemoDb::AdminUser + u"; @Password=demo; @UsuarioLogeado="_s +
                                       DemoDb::AdminUser + u"; @Caja=1;"_s});
        EXPECT_TRUE(proceso->waitForStarted(10000)) << proceso->errorString().toStdString();
        m_procesos.push_back(std::move(proceso));
        return m_procesos.back().get();
    }

    QString guion(int marcar, int corridas, const QString& extra = {}) const
    {
        return u"banco="_s + Cuenta + u"; serie="_s + m_serie + u"; desde=siguiente; marcar="_s +
               QString::number(marcar) + u"; corridas="_s + QString::number(corridas) + u";"_s + extra;
    }

    /// Waits for the process to end by itself; false when it did not within the bound or did not
    /// end well.
    static bool termina(QProcess* proceso, int ms = 90000)
    {
        return proceso->waitForFinished(ms) && proceso->exitStatus() == QProcess::NormalExit &&
               proceso->exitCode() == 0;
    }

    /// The runs a process's output reports, in order.
    static std::vector<Corrida> corridas(const QString& salida)
    {
        static const QRegularExpression linea(
            u"corrida \\d+: (\\d+) marcados, (\\d+) generados, \\d+ impresos(?:, \\w-(\\d+) a \\w-(\\d+))?"_s);
        std::vector<Corrida> out;
        for (auto it = linea.globalMatch(salida); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            out.push_back({m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toLongLong(),
                           m.captured(4).toLongLong()});
        }
        return out;
    }

    /// The numbers the cheque lines of the account hold in the trial's series.
    QList<qint64> numerosDeLaCuenta()
    {
        QList<qint64> out;
        for (const QString& n :
             column(u"SELECT CAST(substr(NroComprobanteBancario, 3) AS INTEGER) FROM "_s
                    u"MV_ASIENTOS WHERE Cuenta = '"_s +
                    Cuenta + u"' AND NroComprobanteBancario LIKE '"_s + m_serie + u"-%' ORDER BY 1"_s))
            out << n.toLongLong();
        return out;
    }

    /// The print-table numbers of a workstation key.
    QSet<qint64> impresionDe(const QString& puesto)
    {
        QSet<qint64> out;
        for (const QString& n : column(u"SELECT NUMERO FROM AUX_IMPRESION WHERE CUENTA = '"_s + Cuenta +
                                       u"' AND USUARIO LIKE '%|"_s + puesto + u"'"_s))
            out << n.toLongLong();
        return out;
    }

    /// The invariants that hold whatever happened to the runs.
    void invariantes()
    {
        // No number twice on the account, however it is written.
        EXPECT_EQ(
            value(
                u"SELECT count(*) FROM (SELECT upper(substr(NroComprobanteBancario, 1, 1)), "_s
                u"CAST(substr(NroComprobanteBancario, 3) AS INTEGER) FROM MV_ASIENTOS WHERE Cuenta = '"_s +
                Cuenta +
                u"' AND NroComprobanteBancario LIKE '_-%' AND NroComprobanteBancario <> '*-' GROUP BY 1, 2 HAVING "_s
                u"count(*) > 1)"_s)
                .toInt(),
            0);
        // No print row twice, and none without its number on a cheque line of the account.
        EXPECT_EQ(value(u"SELECT count(*) FROM (SELECT NUMERO FROM AUX_IMPRESION WHERE CUENTA = '"_s +
                        Cuenta + u"' GROUP BY SERIE, NUMERO HAVING count(*) > 1)"_s)
                      .toInt(),
                  0);
        EXPECT_EQ(value(u"SELECT count(*) FROM AUX_IMPRESION P WHERE CUENTA = '"_s + Cuenta +
                        u"' AND NOT EXISTS (SELECT 1 FROM MV_ASIENTOS A WHERE A.Cuenta = P.CUENTA AND "_s
                        u"A.NroComprobanteBancario = P.SERIE || '-' || P.NUMERO)"_s)
                      .toInt(),
                  0);
        // Cheques numbered plus cheques still without number: no cheque lost or counted twice.
        const int numerados = static_cast<int>(numerosDeLaCuenta().size()) - m_numeradosAntes;
        EXPECT_EQ(value(u"SELECT count(*) FROM MV_ASIENTOS WHERE Cuenta = '"_s + Cuenta +
                        u"' AND NroComprobanteBancario = '*-'"_s)
                      .toInt(),
                  m_sinNumero - numerados);
    }

    QString m_programa;
    QString m_binario;
    QString m_serie;
    int m_sinNumero = 0;
    int m_numeradosAntes = 0;
    QSqlDatabase m_db;
    std::vector<std::unique_ptr<QProcess>> m_procesos;
};

TEST_F(RunTrials, SeveralWorkstationsNumberingFromOneChequebookAtOnceNeverGiveANumberTwice)
{
    m_numeradosAntes = static_cast<int>(numerosDeLaCuenta().size());
    const QList<qint64> previos = numerosDeLaCuenta();
    const QSet<qint64> antes(previos.begin(), previos.end());
    const QStringList puestos = {u"PUESTO1"_s, u"PUESTO2"_s, u"PUESTO3"_s};
    std::vector<QProcess*> procesos;
    for (const QString& puesto : puestos)
        procesos.push_back(lanza(puesto, guion(2, 5)));

    QSet<qint64> informados;
    int generados = 0;
    int corridasHechas = 0;
    int detenidas = 0;
    for (size_t i = 0; i < procesos.size(); ++i) {
        SCOPED_TRACE(puestos[i].toStdString());
        ASSERT_TRUE(termina(procesos[i]));
        const QString salida = QString::fromUtf8(procesos[i]->readAllStandardOutput());
        const std::vector<Corrida> runs = corridas(salida);
        // Every process worked its runs; a run may also be refused at the check before numbering,
        // when another workstation gave numbers above its start meanwhile: nothing of it is written.
        ASSERT_TRUE(salida.contains(u"corrida 1: "_s))
            << salida.toStdString() << QString::fromUtf8(procesos[i]->readAllStandardError()).toStdString();
        if (runs.empty()) {
            EXPECT_TRUE(impresionDe(puestos[i]).isEmpty());
            continue;
        }
        for (const Corrida& r : runs) {
            generados += r.generados;
            ++corridasHechas;
            // Stopped at a cheque or number another workstation took meanwhile.
            detenidas += r.generados < r.marcados ? 1 : 0;
            // A run's numbers follow one another.
            if (r.generados > 0) {
                EXPECT_EQ(r.ultimo - r.primero + 1, r.generados);
            }
            for (qint64 n = r.primero; r.generados > 0 && n <= r.ultimo; ++n)
                informados << n;
        }
        // The print rows of the workstation are its last run's numbers, each once.
        const Corrida& ultima = runs.back();
        QSet<qint64> esperadas;
        for (qint64 n = ultima.primero; ultima.generados > 0 && n <= ultima.ultimo; ++n)
            esperadas << n;
        EXPECT_EQ(impresionDe(puestos[i]), esperadas);
    }
    invariantes();
    // What the runs said they numbered is what the account holds, and each number once: no cheque
    // was numbered twice (a second numbering would count twice here and once on the lines).
    QSet<qint64> nuevos;
    for (qint64 n : numerosDeLaCuenta())
        if (!antes.contains(n))
            nuevos << n;
    EXPECT_EQ(generados, informados.size());
    EXPECT_EQ(nuevos, informados);
    EXPECT_GT(generados, 0);
    std::cout << puestos.size() << " workstations, " << corridasHechas << " runs, " << generados
              << " cheques numbered, " << detenidas << " runs stopped by a number taken meanwhile\n";
}

TEST_F(RunTrials, AGeneratingProcessKilledAtARandomMomentLeavesTheNumberingWholeAndTheNextRunGoesOn)
{
    m_numeradosAntes = static_cast<int>(numerosDeLaCuenta().size());
    QRandomGenerator random = QRandomGenerator::securelySeeded();
    for (int trial = 0; trial < 3; ++trial) {
        SCOPED_TRACE(trial);
        const qsizetype antes = numerosDeLaCuenta().size();
        QProcess* proceso = lanza(u"MATADO"_s, guion(3, 10));
        // Once it has numbered, at a random moment of its work.
        QElapsedTimer reloj;
        reloj.start();
        while (numerosDeLaCuenta().size() == antes && proceso->state() == QProcess::Running &&
               reloj.elapsed() < 60000)
            QThread::msleep(20);
        ASSERT_GT(numerosDeLaCuenta().size(), antes) << "the process numbered nothing";
        QThread::msleep(random.bounded(300));
        proceso->kill();
        ASSERT_TRUE(proceso->waitForFinished(10000));

        const QString salida = QString::fromUtf8(proceso->readAllStandardOutput());
        std::cout << "trial " << trial << ": killed after " << corridas(salida).size() << " finished runs, "
                  << numerosDeLaCuenta().size() - antes << " cheques numbered\n";
        invariantes();
        EXPECT_EQ(value(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        // The run that was cut: the numbers no finished run reported all have their print row.
        QSet<qint64> informados;
        for (const Corrida& r : corridas(salida))
            for (qint64 n = r.primero; r.generados > 0 && n <= r.ultimo; ++n)
                informados << n;
        const QList<qint64> todos = numerosDeLaCuenta();
        const QSet<qint64> impresos = impresionDe(u"MATADO"_s);
        for (qsizetype i = antes; i < todos.size(); ++i) {
            if (!informados.contains(todos[i])) {
                EXPECT_TRUE(impresos.contains(todos[i])) << todos[i];
            }
        }
    }

    // A new run under the same key is not refused by the killed run's lock and continues at the
    // next number.
    const qint64 ultimo = numerosDeLaCuenta().last();
    QProcess* nuevo = lanza(u"MATADO"_s, guion(1, 1));
    ASSERT_TRUE(termina(nuevo));
    const QString avisos = QString::fromUtf8(nuevo->readAllStandardError());
    const std::vector<Corrida> runs = corridas(QString::fromUtf8(nuevo->readAllStandardOutput()));
    ASSERT_EQ(runs.size(), 1u) << avisos.toStdString();
    EXPECT_EQ(runs[0].generados, 1) << avisos.toStdString();
    EXPECT_EQ(runs[0].primero, ultimo + 1);
    EXPECT_EQ(numerosDeLaCuenta().last(), ultimo + 1);
    EXPECT_EQ(impresionDe(u"MATADO"_s), QSet<qint64>{ultimo + 1});
    invariantes();
}

TEST_F(RunTrials, ASecondProcessUnderTheSameWorkstationKeyIsRefusedUntilTheFirstIsGone)
{
    m_numeradosAntes = static_cast<int>(numerosDeLaCuenta().size());
    // The first shows its cheques on the screen preview and stays there, with its run open.
    QProcess* primero = lanza(u"MISMO"_s, guion(2, 1, u" pantalla=SI"_s));
    QElapsedTimer reloj;
    reloj.start();
    while (impresionDe(u"MISMO"_s).size() < 2 && primero->state() == QProcess::Running &&
           reloj.elapsed() < 60000)
        QThread::msleep(20);
    const QSet<qint64> suyas = impresionDe(u"MISMO"_s);
    ASSERT_EQ(suyas.size(), 2);

    QProcess* segundo = lanza(u"MISMO"_s, guion(2, 1));
    ASSERT_TRUE(termina(segundo));
    const QString avisos = QString::fromUtf8(segundo->readAllStandardError());
    EXPECT_TRUE(avisos.contains(u"Ya se estan generando cheques en este puesto con la clave "_s))
        << avisos.toStdString();
    EXPECT_TRUE(avisos.contains(u"|MISMO"_s)) << avisos.toStdString();
    EXPECT_EQ(impresionDe(u"MISMO"_s), suyas);
    EXPECT_EQ(numerosDeLaCuenta().size(), m_numeradosAntes + 2);
    // Another key is not held up.
    QProcess* otro = lanza(u"OTRO"_s, guion(1, 1));
    ASSERT_TRUE(termina(otro));
    EXPECT_EQ(impresionDe(u"OTRO"_s).size(), 1);

    // The first dies with its run open: its lock is stale, and the key works again.
    primero->kill();
    ASSERT_TRUE(primero->waitForFinished(10000));
    QProcess* tercero = lanza(u"MISMO"_s, guion(2, 1));
    ASSERT_TRUE(termina(tercero));
    const std::vector<Corrida> runs = corridas(QString::fromUtf8(tercero->readAllStandardOutput()));
    ASSERT_EQ(runs.size(), 1u) << QString::fromUtf8(tercero->readAllStandardError()).toStdString();
    EXPECT_EQ(runs[0].generados, 2);
    EXPECT_EQ(impresionDe(u"MISMO"_s).size(), 2);
    EXPECT_FALSE(impresionDe(u"MISMO"_s).intersects(suyas));
    invariantes();
}

} // namespace
