// The filter checks of the cheque window against the demo database: each check's message, the
// chequebook range, the numbers already given, the capacity, and the reprint fields.
#include "ChequeWindowFixture.h"

#include "zimbrel2/MessageBoxStyle.h"

#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Validation : public ChequeWindowFixture
{
protected:
    void validate(const QString& name) { w().CampoValida(field(name)); }

    void exec(const QString& sql)
    {
        QSqlQuery q(openMainDatabase());
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    }

    /// Types `text` into the field and presses Enter on it, as the operator accepts a field.
    void typeAndAccept(const QString& name, const QString& text)
    {
        QLineEdit* edit = field(name);
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    void click(const QString& button)
    {
        QTest::mouseClick(w().findChild<QPushButton*>(button), Qt::LeftButton);
    }

    QString numberOfVoucher(const QString& numero)
    {
        return scalar(
                   u"SELECT NroComprobanteBancario FROM MV_ASIENTOS WHERE Cuenta = '1.1.02.02' AND Numero = '"_s +
                   numero + u"' AND Tipo_Reg = 'C'"_s)
            .toString();
    }
};

TEST_F(Validation, EachFieldCheckShowsItsMessage)
{
    start();
    struct Case
    {
        const char16_t* field;
        const char16_t* text;
        const char16_t* message; // empty: passes
    };
    const Case cases[] = {
        {u"FechaD", u"31/02/2024", u"Fecha incorrecta..."},
        {u"FechaH", u"", u""},
        {u"FechaH", u"5/11/24", u""},
        {u"ProveedorD", u"2.1.01.99999", u"El Código Informado no Existe"},
        {u"ProveedorH", u"2.1.01.00003", u""},
        {u"idbanco", u"", u"Debe informar un Banco"},
        {u"idbanco", u"9.9.99", u"El Banco Informado no es correcto!!"},
        {u"idbanco", u"1.1.02.07", u"La cuenta informada no esta habilitada para la Emision de Cheques"},
        {u"idbanco", u"1.1.01.01", u"La cuenta informada no esta habilitada para la Emision de Cheques"},
        {u"idbanco", u"1.1.02.06", u""}, // MedioDePago "ch"
        {u"idbanco", u"1.1.02.02", u""},
        {u"NumerarHasta", u"abc", u""}, // only read in reprint mode
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf16(c.field);
        const QString message = QString::fromUtf16(c.message);
        SCOPED_TRACE(QString(name + u" = "_s + QString::fromUtf16(c.text)).toStdString());
        field(name)->setText(QString::fromUtf16(c.text));
        if (!message.isEmpty())
            op().answerMessage(MsgAnswer::Ok, message);
        validate(name);
        EXPECT_EQ(w().Fallo(), !message.isEmpty());
        if (!message.isEmpty()) {
            ASSERT_FALSE(op().shown().isEmpty());
            EXPECT_EQ(op().shown().last().title, u"Aviso al operador..."_s);
            EXPECT_EQ(op().shown().last().style, MsgStyle::Critical);
        }
        verifyOperator();
    }
}

TEST_F(Validation, SupplierFoundByItsOptionalCodeIsRewrittenToTheAccountCode)
{
    start();
    field(u"ProveedorD"_s)->setText(u"P00003"_s);
    validate(u"ProveedorD"_s);
    EXPECT_FALSE(w().Fallo());
    EXPECT_EQ(field(u"ProveedorD"_s)->text(), u"2.1.01.00003"_s);
}

TEST_F(Validation, SeriesChecksAgainstChequebookNumbersGivenAndCapacity)
{
    start();
    fillTestAccount();
    load();
    ASSERT_EQ(list()->topLevelItemCount(), DemoDb::TestUnnumberedCheques);

    struct Case
    {
        const char16_t* serie;
        const char16_t* desde;
        int ticks;
        int answer; // to the "Ya existe un cheque cargado que es mayor" question; 0: not asked
        const char16_t* message;
    };
    const Case cases[] = {
        {u"", u"100", 0, 0, u"Debe informar una serie"},
        {u"B", u"", 3, 0, u""},
        {u"B", u"150", 0, 0, u"El numero informado para esa serie esta fuera de rango"},
        {u"C", u"100", 0, 0, u"El numero informado para esa serie esta fuera de rango"},
        {u"B", u"100", 5, 0, u""},
        {u"B", u"146", 4, 0, u""},
        {u"B", u"147", 4, 0, u"Supera la cantidad de cheques disponibles, desmarque 1 Cheques"},
        {u"B", u"148", 5, 0, u"Supera la cantidad de cheques disponibles, desmarque 3 Cheques"},
        // B-50 to B-99 are given: asked, and No fails without a message of its own.
        {u"B", u"99", 1, MsgAnswer::No, u""},
        {u"B", u"98", 2, MsgAnswer::Yes,
         u"Ya existe un cheque con  uno de los numeros a generar\r\nNro: 'B-98'"},
        {u"B", u"60", 0, MsgAnswer::Yes, u""},
        {u"B", u"1.5", 0, 0, u"El numero desde debe ser un numero entero"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString(QString::fromUtf16(c.serie) + u"-"_s + QString::fromUtf16(c.desde) + u" x"_s +
                             QString::number(c.ticks))
                         .toStdString());
        // Ticked while the series check passes at once (no start number), then the case's values.
        field(u"Serie"_s)->setText(u"B"_s);
        field(u"NumerarDesde"_s)->clear();
        w().CmdNinguno_Click();
        for (int i = 0; i < c.ticks; ++i)
            list()->topLevelItem(i)->setCheckState(0, Qt::Checked);
        verifyOperator();
        field(u"Serie"_s)->setText(QString::fromUtf16(c.serie));
        field(u"NumerarDesde"_s)->setText(QString::fromUtf16(c.desde));
        const QString message = QString::fromUtf16(c.message);
        if (c.answer)
            op().answerMessage(c.answer,
                               u"Ya existe un cheque cargado que es mayor al numero que usted ingreso"_s);
        if (!message.isEmpty())
            op().answerMessage(MsgAnswer::Ok, message);
        m_sent.clear();
        validate(u"Serie"_s);
        EXPECT_EQ(w().Fallo(), !message.isEmpty() || c.answer == MsgAnswer::No);
        verifyOperator();
    }
}

TEST_F(Validation, NumbersGivenAreLookedUpOnlyAsFarAsTheHighestNumberRequires)
{
    start();
    fillTestAccount(u"100"_s);
    load();
    field(u"NumerarDesde"_s)->clear();
    for (int i = 0; i < 3; ++i)
        list()->topLevelItem(i)->setCheckState(0, Qt::Checked);
    field(u"NumerarDesde"_s)->setText(u"100"_s);
    // Highest given is 99, below 100: only B-100 is looked up.
    m_sent.clear();
    validate(u"Serie"_s);
    EXPECT_EQ(sentMatching(u"from mv_asientos where (nrocomprobantebancario="_s),
              QStringList{u"select * from mv_asientos where (nrocomprobantebancario='B-100' or "
                          u"(nrocomprobantebancario>='B-0' and nrocomprobantebancario<'B-1' and "
                          u"convert(int,substring(nrocomprobantebancario,3,100))=100))"_s});
    EXPECT_EQ(sentMatching(u"V_TA_CTRL_CHEQUERAS"_s),
              QStringList{u"SELECT IDBANCO,NUMERO_DESDE, NUMERO_HASTA FROM  V_TA_CTRL_CHEQUERAS  WHERE "
                          u"CUENTABANCODIFERIDO = '1.1.02.02' AND SERIE ='B' AND NUMERO_DESDE <=100 AND "
                          u"NUMERO_HASTA >=100"_s});

    // Given up to B-120 (as numbers, not as texts: "99" sorts after "120"), from 110: asked, and
    // then every number the three cheques would take is looked up; B-110 is the first found.
    QSqlQuery q(openMainDatabase());
    ASSERT_TRUE(
        q.exec(u"UPDATE MV_ASIENTOS SET NroComprobanteBancario = 'B-' || "
               u"(CAST(substr(NroComprobanteBancario, 3) AS INTEGER) + 50) WHERE Cuenta = '1.1.02.02' "
               u"AND NroComprobanteBancario LIKE 'B-%' "
               u"AND CAST(substr(NroComprobanteBancario, 3) AS INTEGER) BETWEEN 50 AND 70"_s))
        << q.lastError().text().toStdString();
    field(u"NumerarDesde"_s)->setText(u"110"_s);
    op().answerMessage(MsgAnswer::Yes, u"Ya existe un cheque cargado que es mayor"_s);
    op().answerMessage(MsgAnswer::Ok, u"Nro: 'B-110'"_s);
    m_sent.clear();
    validate(u"Serie"_s);
    EXPECT_TRUE(w().Fallo());
    EXPECT_EQ(sentMatching(u"from mv_asientos where (nrocomprobantebancario="_s).size(), 1);
}

TEST_F(Validation, WholeFormStopsAtTheFirstFailingFieldInArrayOrder)
{
    start();
    fillTestAccount(u"150"_s);
    field(u"idbanco"_s)->setText(u"9.9.99"_s);
    // The series (index 4) is checked before the bank (index 6).
    op().answerMessage(MsgAnswer::Ok, u"El numero informado para esa serie esta fuera de rango"_s);
    w().Morvane1_click(u"GRABAR"_s);
    EXPECT_EQ(op().shown().size(), 1);
    EXPECT_TRUE(sentMatching(u"UPDATE"_s).isEmpty());
}

TEST_F(Validation, LoadNeedsAStartNumberButNotTheSeries)
{
    start();
    fillTestAccount(u"0"_s);
    field(u"Serie"_s)->clear();
    op().answerMessage(MsgAnswer::Ok, u"Debe informar el numero desde"_s);
    load();
    EXPECT_EQ(list()->columnCount(), 0);
    EXPECT_TRUE(m_sent.filter(u"v_chequesentregados"_s).isEmpty());

    field(u"NumerarDesde"_s)->setText(u"100"_s);
    load();
    EXPECT_EQ(list()->topLevelItemCount(), DemoDb::TestUnnumberedCheques);
}

TEST_F(Validation, WorkingOnTheStartNumberValidatesTheSeriesWithOneMessageAtMost)
{
    start();
    fillTestAccount(u"150"_s);
    op().answerMessage(MsgAnswer::Ok, u"El numero informado para esa serie esta fuera de rango"_s);
    validate(u"NumerarDesde"_s);
    EXPECT_TRUE(w().Fallo());
    EXPECT_EQ(op().shown().size(), 1);
}

TEST_F(Validation, ReprintNumbersMustBeWholeNumbersBeforeAnythingIsSent)
{
    start(true);
    struct Case
    {
        const char16_t* serie;
        const char16_t* desde;
        const char16_t* hasta;
        const char16_t* message;
    };
    const Case cases[] = {
        {u"B", u"60", u"12a", u"El numero hasta debe ser un numero entero"},
        {u"B", u"6,5", u"", u"El numero desde debe ser un numero entero"},
        // The series passes at once in reprint mode: without one the load finds nothing.
        {u"", u"60", u"", u""},
        {u"B", u"60", u"70", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.desde).toStdString());
        field(u"idbanco"_s)->setText(DemoDb::TestAccount);
        field(u"Serie"_s)->setText(QString::fromUtf16(c.serie));
        field(u"NumerarDesde"_s)->setText(QString::fromUtf16(c.desde));
        field(u"NumerarHasta"_s)->setText(QString::fromUtf16(c.hasta));
        const QString message = QString::fromUtf16(c.message);
        if (!message.isEmpty())
            op().answerMessage(MsgAnswer::Ok, message);
        load();
        EXPECT_EQ(m_sent.filter(u"v_chequesentregados"_s).isEmpty(), !message.isEmpty());
        verifyOperator();
    }
    EXPECT_EQ(list()->topLevelItemCount(), 11);
}

TEST_F(Validation, ACheckThatCouldNotBeMadeFailsAndNothingIsNumbered)
{
    start();
    ASSERT_TRUE(ShippedFiles::install(u"IMPRESION_CHEQUES.rpt"_s, programFolder()));
    w().setArchivoPdf(folder() + u"/cheques.pdf"_s);
    fillTestAccount();
    load();
    // Three ticked from 148 on a chequebook that ends at 149, and the chequebooks cannot be read.
    field(u"NumerarDesde"_s)->clear();
    for (int i = 0; i < 3; ++i)
        list()->topLevelItem(i)->setCheckState(0, Qt::Checked);
    field(u"NumerarDesde"_s)->setText(u"148"_s);
    exec(u"DROP VIEW V_TA_CTRL_CHEQUERAS"_s);
    // The data layer's box for the failed statement; nothing after it.
    op().answerMessage(MsgAnswer::Abort, u"V_TA_CTRL_CHEQUERAS"_s);
    m_sent.clear();
    QTest::keyClick(&w(), Qt::Key_F10);
    verifyOperator();
    EXPECT_TRUE(w().Fallo());
    EXPECT_TRUE(sentMatching(u"UPDATE"_s).isEmpty());
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"*-"_s);
    EXPECT_EQ(scalar(u"SELECT count(*) FROM MV_ASIENTOS WHERE NroComprobanteBancario = 'B-150'"_s).toInt(),
              0);
}

TEST_F(Validation, AMissingSupplierTableIsNotReportedAsAMissingCode)
{
    start();
    exec(u"DROP VIEW vt_proveedores"_s);
    op().answerMessage(MsgAnswer::Abort, u"vt_proveedores"_s);
    typeAndAccept(u"ProveedorD"_s, u"2.1.01.00003"_s);
    verifyOperator();
    EXPECT_TRUE(w().Fallo());
    for (const auto& box : op().shown())
        EXPECT_FALSE(box.text.contains(u"El Código Informado no Existe"_s));
    EXPECT_TRUE(field(u"ProveedorD"_s)->hasFocus());
}

TEST_F(Validation, ADateOfBlanksAddsNoCondition)
{
    start();
    fillTestAccount();
    QTest::keyClicks(field(u"FechaD"_s), u"   "_s);
    field(u"FechaH"_s)->setText(u"  "_s);
    m_sent.clear();
    click(u"CmdCargar"_s);
    EXPECT_EQ(list()->topLevelItemCount(), DemoDb::TestUnnumberedCheques);
    const QString statement = sentMatching(u"v_chequesentregados"_s).value(0);
    EXPECT_FALSE(statement.contains(u"Fecha"_s, Qt::CaseInsensitive)) << statement.toStdString();
}

TEST_F(Validation, ALoadWhoseStatementFailedStopsThere)
{
    start();
    fillTestAccount();
    exec(u"DROP VIEW v_chequesentregados"_s);
    // The data layer's box, and no second one about a closed recordset.
    op().answerMessage(MsgAnswer::Abort, u"v_chequesentregados"_s);
    click(u"CmdCargar"_s);
    verifyOperator();
    EXPECT_EQ(list()->columnCount(), 0);
    EXPECT_FALSE(w().barra().valor(EstadoBarra::Grabar));
}

TEST_F(Validation, InReprintModeTheSeriesPassesAtOnce)
{
    start(true);
    field(u"idbanco"_s)->setText(DemoDb::TestAccount);
    field(u"Serie"_s)->setText(u"B"_s);
    field(u"NumerarDesde"_s)->setText(u"50"_s);
    field(u"NumerarHasta"_s)->setText(u"52"_s);
    click(u"CmdCargar"_s);
    ASSERT_EQ(list()->topLevelItemCount(), 3);
    // No box from any of the ways the series is checked.
    typeAndAccept(u"Serie"_s, QString());
    click(u"CmdTodos"_s);
    click(u"CmdNinguno"_s);
    typeAndAccept(u"NumerarDesde"_s, u"50"_s);
    field(u"Serie"_s)->setFocus();
    field(u"NumerarHasta"_s)->setFocus();
    verifyOperator();
    EXPECT_FALSE(w().Fallo());
}

} // namespace
