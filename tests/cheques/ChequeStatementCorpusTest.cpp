// Every statement the cheque window builds, for every branch of its builders, sent through the data
// layer to the demo database as the administrator and as a plain user: the engine must take each one.
// The values carry apostrophes, so a literal the builders did not quote ends the statement early and
// fails here. The statements are read from the connection's trace, so a failure names the statement.
#include "cheques/CargaCheques.h"
#include "cheques/GeneracionCheques.h"
#include "cheques/NumeroCheque.h"
#include "cheques/SentenciasCheques.h"
#include "data/AdoRecordset.h"
#include "data/SqlValue.h"
#include "demo/DemoDatabase.h"
#include "support/ProgramFixture.h"

#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString Proveedor = u"2.1.09.O'H"_s;

class ChequeStatementCorpus : public ProgramFixture
{
protected:
    // Runs one builder with the trace on; the engine must take each statement it sends.
    void expectRuns(const QString& what, const std::function<void()>& builder)
    {
        DB_Dll& db = DataGlobals::gDB();
        QStringList sent;
        db.gCnn().setTracer([&](const QString& statement) { sent << statement; });
        builder();
        db.gCnn().setTracer({});
        EXPECT_FALSE(sent.isEmpty()) << what.toStdString() << ": no statement reached the connection";
        EXPECT_TRUE(db.gCnn().errors().isEmpty())
            << what.toStdString() << ": " << db.gCnn().errors().value(0).description.toStdString()
            << "\n  last statement: " << sent.value(sent.size() - 1).toStdString();
        EXPECT_TRUE(op().shown().isEmpty())
            << what.toStdString() << ": a box appeared: " << op().problems().toStdString();
    }

    // The rows of a query, as the window opens its recordsets.
    static long rows(QString sql)
    {
        DB_Dll& db = DataGlobals::gDB();
        AdoRecordset rs;
        db.AbrirRecordset(sql, rs, nullptr, 0, 1, -1, true);
        const long count = rs.isOpen() ? rs.recordCount() : -1;
        db.CierraRecordset(&rs);
        return count;
    }

    static long executes(QString sql)
    {
        long affected = 0;
        DataGlobals::gDB().EjecutaConsultaSQL(sql, affected);
        return affected;
    }

    // A supplier whose code and name carry an apostrophe, with its payment data and one unnumbered
    // cheque on the test account, written beside the program's connection.
    void addApostropheSupplier()
    {
        QSqlDatabase db = openMainDatabase();
        QSqlQuery q(db);
        const QString code = SQLValue(Proveedor, u"'");
        for (const QString& sql : QStringList{
                 u"INSERT INTO MA_CUENTAS (Codigo, Descripcion, Nivel, Imputable, TipoVista) VALUES ("_s +
                     code + u", 'Bernardo O''Higgins', 4, 1, 'PR')"_s,
                 u"INSERT INTO ma_cuentasadic (codigo, datospago) VALUES ("_s + code +
                     u", 'O''Higgins Hnos.')"_s,
             })
            ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString() << "\n" << sql.toStdString();
    }
};

TEST_F(ChequeStatementCorpus, LoadStatementsOfEveryFilterCombinationRun)
{
    for (const QString& user : {DemoDb::AdminUser, DemoDb::PlainUser}) {
        SCOPED_TRACE(user.toStdString());
        DataGlobals::reset();
        openMain(user);
        // The bank account is always there after the validation; the other four filters come and go.
        for (int mask = 0; mask < 16; ++mask) {
            FiltroCheques filtro;
            filtro.idBanco = u" "_s + DemoDb::TestAccount + u" "_s;
            filtro.serie = DemoDb::TestSeries;
            if (mask & 1)
                filtro.fechaD = u"01/01/2020"_s;
            if (mask & 2)
                filtro.fechaH = u"31/12/2030"_s;
            if (mask & 4)
                filtro.proveedorD = u"0'"_s;
            if (mask & 8)
                filtro.proveedorH = u"9.9.99.Z'z"_s;
            const QString what = u"filters "_s + QString::number(mask);
            // All of the test account's cheques fall inside every filter used here.
            expectRuns(what + u" without number"_s, [&] {
                EXPECT_EQ(rows(SentenciasCheques::chequesSinNumero(filtro)), DemoDb::TestUnnumberedCheques);
            });
            expectRuns(what + u" numbered from"_s, [&] {
                EXPECT_GT(rows(SentenciasCheques::chequesNumerados(filtro, 1, std::nullopt)), 0);
            });
            expectRuns(what + u" numbered between"_s,
                       [&] { EXPECT_EQ(rows(SentenciasCheques::chequesNumerados(filtro, 1, 0)), 0); });
        }
        FiltroCheques otra;
        otra.idBanco = u"1.1.02.O'X"_s;
        otra.serie = u"'"_s;
        otra.proveedorD = Proveedor;
        expectRuns(u"apostrophes in account and series"_s, [&] {
            EXPECT_EQ(rows(SentenciasCheques::chequesSinNumero(otra)), 0);
            EXPECT_EQ(rows(SentenciasCheques::chequesNumerados(otra, 1, 99)), 0);
        });
        DataGlobals::gDB().gCnn().close();
    }
}

TEST_F(ChequeStatementCorpus, ValidationPayeeAndGenerationStatementsRun)
{
    addApostropheSupplier();
    for (const QString& user : {DemoDb::AdminUser, DemoDb::PlainUser}) {
        SCOPED_TRACE(user.toStdString());
        DataGlobals::reset();
        DB_Dll& db = openMain(user);
        FiltroCheques filtro;
        filtro.idBanco = DemoDb::TestAccount;
        std::vector<ChequeFila> filas;
        expectRuns(u"load"_s, [&] {
            CargaCheques carga(db);
            filas = carga.carga(SentenciasCheques::chequesSinNumero(filtro));
        });
        ASSERT_FALSE(filas.empty());
        const QString first = QString::number(DemoDb::TestFirstFreeNumber);
        // Each user gives numbers of its own: the second finds the first one's numbers taken.
        const qint64 libre = DemoDb::TestFirstFreeNumber + (user == DemoDb::AdminUser ? 0 : 10);

        expectRuns(u"datosPago"_s, [&] {
            EXPECT_EQ(rows(SentenciasCheques::datosPago(Proveedor)), 1);
            EXPECT_EQ(rows(SentenciasCheques::datosPago(u"'"_s)), 0);
            EXPECT_EQ(CargaCheques(db).aLaOrden(Proveedor), u"O'Higgins Hnos."_s);
        });
        expectRuns(u"rangoChequera"_s, [&] {
            EXPECT_EQ(rows(SentenciasCheques::rangoChequera(DemoDb::TestAccount, DemoDb::TestSeries, first)),
                      1);
            EXPECT_EQ(rows(SentenciasCheques::rangoChequera(u" 1.1'02 "_s, u"'"_s, first)), 0);
        });
        expectRuns(u"maximoNumero"_s, [&] {
            EXPECT_EQ(rows(SentenciasCheques::maximoNumero(DemoDb::TestSeries, DemoDb::TestBankId)), 1);
            EXPECT_EQ(rows(SentenciasCheques::maximoNumero(u"'"_s, u"0'7"_s)), 1);
        });
        expectRuns(u"chequeConNumero"_s, [&] {
            EXPECT_GE(rows(SentenciasCheques::chequeConNumero(DemoDb::TestSeries, 60)), 1);
            for (const QString& serie : {u"'"_s, u"%"_s, u"_"_s})
                EXPECT_EQ(rows(SentenciasCheques::chequeConNumero(serie, 60)), 0);
        });
        expectRuns(u"chequerasSerie"_s, [&] {
            EXPECT_GE(rows(SentenciasCheques::chequerasSerie(DemoDb::TestAccount, DemoDb::TestSeries)), 1);
            EXPECT_EQ(rows(SentenciasCheques::chequerasSerie(u"1.1'02"_s, u"'"_s)), 0);
        });

        ChequeFila fila = filas.front();
        fila[ColumnaCheque::ALaOrden] = u"O'Higgins Hnos."_s;
        const QString numero = NumeroCheque::compone(DemoDb::TestSeries, libre);
        const QString puesto = u"PC'1"_s + user;
        expectRuns(u"borraImpresion"_s,
                   [&] { executes(SentenciasCheques::borraImpresion(puesto, filtro.idBanco)); });
        expectRuns(u"numeraCheque and insertaImpresion"_s, [&] {
            // The first run numbers the cheque; run again, the number is taken and nothing changes.
            EXPECT_EQ(executes(SentenciasCheques::numeraCheque(fila, DemoDb::TestSeries, libre)), 1);
            EXPECT_EQ(executes(SentenciasCheques::numeraCheque(fila, DemoDb::TestSeries, libre)), 0);
            ChequeFila numerada = fila;
            numerada[ColumnaCheque::Numero] = NumeroCheque::columnaNumero(numero);
            EXPECT_EQ(executes(SentenciasCheques::insertaImpresion(puesto, filtro.idBanco, numerada,
                                                                   fila[ColumnaCheque::Importe],
                                                                   u"Pesos Cien con O'Centavos"_s, u"'"_s)),
                      1);
        });
        for (const bool reimpresion : {false, true}) {
            PedidoGeneracion pedido{DemoDb::TestAccount, DemoDb::TestSeries, first, reimpresion, puesto};
            const ChequeFila& otra = filas.back();
            const QStringList sentencias = GeneracionCheques::sentenciasCheque(otra, pedido, libre + 1);
            ASSERT_EQ(sentencias.size(), reimpresion ? 1 : 2);
            expectRuns(u"sentenciasCheque"_s, [&] {
                for (const QString& sql : sentencias)
                    EXPECT_EQ(executes(sql), 1) << sql.toStdString();
            });
        }
        EXPECT_EQ(scalar(u"SELECT count(*) FROM AUX_IMPRESION WHERE USUARIO = "_s + SQLValue(puesto, u"'") +
                         u" AND NOMBRE = 'O''Higgins Hnos.'"_s)
                      .toInt(),
                  1);
        expectRuns(u"borraImpresion of the run"_s, [&] {
            EXPECT_EQ(executes(SentenciasCheques::borraImpresion(puesto, filtro.idBanco)), 3);
        });
        DataGlobals::gDB().gCnn().close();
    }
}

} // namespace
