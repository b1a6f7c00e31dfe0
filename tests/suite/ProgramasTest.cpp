// The stand-in executables run as the launcher runs them: one parameter string built by the
// launcher's own routine, the output written instead of a window.
#include "suite/ProgramaSuite.h"
#include "support/ProgramFixture.h"

#include "app/AppState.h"
#include "app/MenuExes.h"
#include "demo/DemoDatabase.h"
#include "zimbrel2/Currency.h"
#include "zimbrel2/RegionalSettings.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace {

struct Resultado
{
    int codigo = -1;
    QString salida;
};

struct Voucher
{
    QString tc, sucursal, numero, letra;
    int lineas = 0;
    double debe = 0;
    double haber = 0;
    QString cheque;
};

class ProgramasTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        resetAppState();
        for (const QString& p : {u"Cons_MV_Asientos"_s, u"V_TA_TABLAS"_s, u"V_MA_CLIENTES"_s})
            m_programas.insert(p, ProgramaSuite::instala(p, programFolder()));
    }

    void TearDown() override
    {
        resetAppState();
        ProgramFixture::TearDown();
    }

    /// The launcher's parameter string for `usuario` with the additional parameter `adicional`.
    QString lanzamiento(const QString& adicional, const QString& usuario = DemoDb::AdminUser)
    {
        DataGlobals::reset();
        openMain(usuario);
        appState().gUsuarioLogeado = usuario;
        appState().gCaja = u"1"_s;
        const QString parametros = ParametrosLanzamiento(adicional);
        DataGlobals::reset();
        return parametros;
    }

    Resultado corre(const QString& programa, const QStringList& argumentos)
    {
        QProcess proceso;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_s, u"es_AR.UTF-8"_s); // Argentine regional settings
        env.remove(u"TALONEX_SUITE_SALIDA"_s);
        env.remove(u"TALONEX_SUITE_ALTA"_s);
        proceso.setProcessEnvironment(env);
        proceso.start(m_programas.value(programa), argumentos);
        EXPECT_TRUE(proceso.waitForFinished(30000)) << programa.toStdString();
        if (proceso.state() != QProcess::NotRunning) {
            proceso.kill();
            proceso.waitForFinished();
        }
        return {proceso.exitStatus() == QProcess::NormalExit ? proceso.exitCode() : -1,
                QString::fromUtf8(proceso.readAllStandardOutput())};
    }

    /// A cheque's voucher of the demo and what its entry holds, read beside the programs.
    Voucher chequeDelDemo()
    {
        QSqlDatabase db = openMainDatabase();
        QSqlQuery q(db);
        EXPECT_TRUE(
            q.exec(u"SELECT TC, Sucursal, Numero, Letra, NroComprobanteBancario FROM MV_ASIENTOS "
                   u"WHERE Tipo_Reg = 'C' AND NroComprobanteBancario <> '*-' ORDER BY Numero LIMIT 1"_s));
        EXPECT_TRUE(q.next());
        Voucher v;
        v.tc = q.value(0).toString();
        v.sucursal = q.value(1).toString();
        v.numero = q.value(2).toString();
        v.letra = q.value(3).toString();
        v.cheque = q.value(4).toString();
        QSqlQuery t(db);
        EXPECT_TRUE(
            t.exec(u"SELECT COUNT(*), SUM(CASE WHEN DebeHaber = 'D' THEN Importe ELSE 0 END), "
                   u"SUM(CASE WHEN DebeHaber = 'H' THEN Importe ELSE 0 END) FROM MV_ASIENTOS WHERE TC = '"_s +
                   v.tc + u"' AND Sucursal = '"_s + v.sucursal + u"' AND Numero = '"_s + v.numero +
                   u"' AND Letra = '"_s + v.letra + u"'"_s));
        EXPECT_TRUE(t.next());
        v.lineas = t.value(0).toInt();
        v.debe = t.value(1).toDouble();
        v.haber = t.value(2).toDouble();
        return v;
    }

    static QString monto(double importe)
    {
        return Currency::fromDouble(importe)->toDisplayText(RegionalSettings::argentina());
    }

    QMap<QString, QString> m_programas;
};

TEST_F(ProgramasTest, TheLedgerViewerShowsTheEntryOfTheVoucherInEveryFormItArrives)
{
    const Voucher v = chequeDelDemo();
    ASSERT_GE(v.lineas, 2);
    const QString sinTipo =
        u"|@Sucursal="_s + v.sucursal + u"|@Numero="_s + v.numero + u"|@Letra="_s + v.letra + u"|"_s;
    const QString adicionales[] = {
        u"@TC="_s + v.tc + sinTipo,                        // as the cheque list writes it now
        u"@TC="_s + v.tc.leftJustified(4, u' ') + sinTipo, // padded, as typed by hand
        u"X @TC="_s + v.tc + sinTipo,                      // the launcher drops what precedes a blank
        u"@TC="_s + v.tc + u"  "_s + sinTipo,              // the type's padding cut away by the launcher
    };
    for (const QString& adicional : adicionales) {
        SCOPED_TRACE(adicional.toStdString());
        // Cut at its first blank, as the launcher cuts it before building the string.
        QString parametro = adicional;
        const qsizetype blank = parametro.indexOf(u' ');
        if (blank >= 0)
            parametro = parametro.mid(blank + 1);
        const Resultado r = corre(u"Cons_MV_Asientos"_s, {u"--salida"_s, u"-"_s, lanzamiento(parametro)});
        EXPECT_EQ(r.codigo, 0) << r.salida.toStdString();
        const QStringList lineas = r.salida.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_GE(lineas.size(), 3) << r.salida.toStdString();
        EXPECT_EQ(lineas[0], u"Asiento del comprobante "_s + v.tc + u' ' + v.sucursal + u'-' + v.numero +
                                 u' ' + v.letra);
        EXPECT_EQ(r.salida.count(u"\n"_s), v.lineas + 4)
            << r.salida.toStdString(); // title, entry, header, totals
        EXPECT_TRUE(r.salida.contains(u'\t' + v.cheque + u'\n')) << "the cheque line carries its number";
        EXPECT_EQ(lineas.back(), u"Totales\t\t\t"_s + monto(v.debe) + u'\t' + monto(v.haber) + u'\t');
    }
}

TEST_F(ProgramasTest, TheLedgerViewerSaysWhyItShowsNothing)
{
    struct Caso
    {
        const char* nombre;
        QStringList argumentos;
        int codigo;
        QString mensaje;
    };
    const Caso casos[] = {
        {"voucher that does not exist",
         {u"--salida"_s, u"-"_s, lanzamiento(u"@TC=OP|@Sucursal=0009|@Numero=99999999|@Letra=Z|"_s)},
         3,
         u"Mensaje (Aviso al operador): No existe el asiento del comprobante OP 0009-99999999 Z."_s},
        {"parameter that names no voucher",
         {u"--salida"_s, u"-"_s, lanzamiento(u"Reimpresion"_s)},
         2,
         u"Mensaje (Aviso al operador): No se puede leer el comprobante a mostrar: \"Reimpresion\"."_s},
        {"no parameter string",
         {u"--salida"_s, u"-"_s},
         2,
         u"Mensaje (Aviso al operador): No se puede leer"_s},
        {"a database that is not there",
         {u"--salida"_s, u"-"_s,
          lanzamiento(u"@TC=OP|@Sucursal=0001|@Numero=1|@Letra=A|"_s)
              .replace(u"@dbname=TALONEX_DEMO"_s, u"@dbname=NO_EXISTE"_s)},
         1,
         u"Mensaje (Aviso al operador): No se pudo abrir la conexion con la base de datos."_s},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const Resultado r = corre(u"Cons_MV_Asientos"_s, c.argumentos);
        EXPECT_EQ(r.codigo, c.codigo) << r.salida.toStdString();
        EXPECT_TRUE(r.salida.contains(c.mensaje)) << r.salida.toStdString();
        EXPECT_FALSE(r.salida.contains(u"Totales"_s));
    }
}

TEST_F(ProgramasTest, TheMaintenanceProgramsAddTheRowOfTheirTableAsAdministratorOnly)
{
    struct Caso
    {
        const char* nombre;
        QString programa;
        QString adicional;
        QString usuario;
        QString fila;
        int codigo;
        QString mensaje;
        QString consulta;
        QString esperado;
    };
    const Caso casos[] = {
        {"supplier", u"V_MA_CLIENTES"_s, u"0"_s, DemoDb::AdminUser,
         u"CODIGO=P9100\nRAZON_SOCIAL=Ñandú Agro S.A.\nCUIT=30-70000001-5\n"_s, 0,
         u"Registro agregado en MA_PROVEEDORES."_s,
         u"SELECT RAZON_SOCIAL FROM VT_PROVEEDORES WHERE CODIGO = 'P9100'"_s, u"Ñandú Agro S.A."_s},
        {"client", u"V_MA_CLIENTES"_s, u"1"_s, DemoDb::AdminUser,
         u"CODIGO=C9100\nRAZON_SOCIAL=Cliente Uno\n"_s, 0, u"Registro agregado en MA_CLIENTES."_s,
         u"SELECT RAZON_SOCIAL FROM VT_CLIENTES WHERE CODIGO = 'C9100'"_s, u"Cliente Uno"_s},
        {"table of a lookup view", u"V_TA_TABLAS"_s, u"V_TA_RUBROS"_s, DemoDb::AdminUser,
         u"IdRubro=ZZ\nDescripcion=Rubro nuevo\n"_s, 0, u"Registro agregado en TA_RUBROS."_s,
         u"SELECT Descripcion FROM V_TA_RUBROS WHERE IdRubro = 'ZZ'"_s, u"Rubro nuevo"_s},
        {"plain user", u"V_MA_CLIENTES"_s, u"0"_s, DemoDb::PlainUser, u"CODIGO=P9101\nRAZON_SOCIAL=No va\n"_s,
         3, u"atributo administrador"_s, u"SELECT COUNT(*) FROM MA_PROVEEDORES WHERE CODIGO = 'P9101'"_s,
         u"0"_s},
        {"name that is no table", u"V_TA_TABLAS"_s, u"TA_RUBROS,TA_USUARIOS"_s, DemoDb::AdminUser,
         u"IdRubro=ZY\nDescripcion=No va\n"_s, 2, u"Nombre de tabla no valido: \"TA_RUBROS,TA_USUARIOS\"."_s,
         u"SELECT COUNT(*) FROM TA_RUBROS WHERE IdRubro = 'ZY'"_s, u"0"_s},
        {"unknown kind of record", u"V_MA_CLIENTES"_s, u"7"_s, DemoDb::AdminUser, u"CODIGO=P9102\n"_s, 2,
         u"Parametro no valido: \"7\""_s, u"SELECT COUNT(*) FROM MA_PROVEEDORES WHERE CODIGO = 'P9102'"_s,
         u"0"_s},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        QFile alta(folder() + u"/alta.txt"_s);
        ASSERT_TRUE(alta.open(QIODevice::WriteOnly | QIODevice::Truncate));
        alta.write(c.fila.toUtf8());
        alta.close();
        const Resultado r = corre(c.programa, {u"--salida"_s, u"-"_s, u"--alta"_s, alta.fileName(),
                                               lanzamiento(c.adicional, c.usuario)});
        EXPECT_EQ(r.codigo, c.codigo) << r.salida.toStdString();
        EXPECT_TRUE(r.salida.contains(c.mensaje)) << r.salida.toStdString();
        EXPECT_EQ(scalar(c.consulta).toString(), c.esperado);
    }
}

TEST_F(ProgramasTest, WithoutARowToAddTheMaintenanceProgramTellsWhatItsWindowShows)
{
    const Resultado r = corre(u"V_TA_TABLAS"_s, {u"--salida"_s, u"-"_s, lanzamiento(u"V_TA_RUBROS"_s)});
    EXPECT_EQ(r.codigo, 0) << r.salida.toStdString();
    EXPECT_EQ(r.salida, u"Mantenimiento de V_TA_RUBROS (TA_RUBROS)\nIdRubro\tDescripcion\n"_s +
                            scalar(u"SELECT COUNT(*) FROM TA_RUBROS"_s).toString() + u" filas\n"_s);
}

} // namespace
