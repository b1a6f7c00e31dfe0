#include "suite/Comprobante.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Caso
{
    const char16_t* parametro;
    /// "" when the parameter must be refused.
    const char16_t* tc;
    const char16_t* sucursal;
    const char16_t* numero;
    const char16_t* letra;
};

// Every form in which the voucher reaches the viewer: as the cheque list writes it, as start-up
// leaves it (every "=" removed), with the type padded, and without the type the launcher cut away at
// its first blank.
TEST(Comprobante, ReadsTheVoucherInEveryFormItArrives)
{
    const Caso casos[] = {
        {u"@TC=OP|@Sucursal=0001|@Numero=00001234|@Letra=A|", u"OP", u"0001", u"00001234", u"A"},
        {u"@TCOP|@Sucursal0001|@Numero00001234|@LetraA|", u"OP", u"0001", u"00001234", u"A"},
        {u"@TC=OP  |@Sucursal=0001|@Numero=00001234|@Letra=A|", u"OP", u"0001", u"00001234", u"A"},
        {u"@TCOP  |@Sucursal0001|@Numero00001234|@LetraA|", u"OP", u"0001", u"00001234", u"A"},
        {u" |@Sucursal=0001|@Numero=00001234|@Letra=X|", u"", u"0001", u"00001234", u"X"},
        {u"|@Sucursal0001|@Numero00000354|@LetraX|", u"", u"0001", u"00000354", u"X"},
        {u"@tc = OP | @sucursal = 0001 | @NUMERO = 00001234 | @letra = A", u"OP", u"0001", u"00001234", u"A"},
    };
    for (const Caso& c : casos) {
        const QString parametro = QString::fromUtf16(c.parametro);
        const std::optional<Comprobante> leido = Comprobante::desdeParametro(parametro);
        ASSERT_TRUE(leido.has_value()) << parametro.toStdString();
        EXPECT_EQ(leido->tc, QString::fromUtf16(c.tc)) << parametro.toStdString();
        EXPECT_EQ(leido->sucursal, QString::fromUtf16(c.sucursal)) << parametro.toStdString();
        EXPECT_EQ(leido->numero, QString::fromUtf16(c.numero)) << parametro.toStdString();
        EXPECT_EQ(leido->letra, QString::fromUtf16(c.letra)) << parametro.toStdString();
    }
}

TEST(Comprobante, RefusesWhatDoesNotNameOneVoucher)
{
    for (const char16_t* parametro : {
             u"",                                                         // nothing
             u"Reimpresion",                                              // another program's parameter
             u"@TC=OP|@Sucursal=0001|@Numero=00001234|",                  // no letter
             u"@TC=OP|@Sucursal=|@Numero=00001234|@Letra=A|",             // empty branch
             u"@TC=OP|@Sucursal=0001|@Numero=1|@Numero=2|@Letra=A|",      // a key twice
             u"@TC=OP|@Sucursal=0001|@Numero=00001234|@Letra=A|@Otro=1|", // an unknown key
             u"P|@Sucursal=0001|@Numero=00001234|@Letra=A|",              // what is left of a type "O P"
         }) {
        EXPECT_FALSE(Comprobante::desdeParametro(QString::fromUtf16(parametro)).has_value())
            << QString::fromUtf16(parametro).toStdString();
    }
}

TEST(Comprobante, TextNamesTheVoucherWithOrWithoutItsType)
{
    EXPECT_EQ((Comprobante{u"OP"_s, u"0001"_s, u"00001234"_s, u"A"_s}.texto()), u"OP 0001-00001234 A"_s);
    EXPECT_EQ((Comprobante{QString(), u"0001"_s, u"00001234"_s, u"A"_s}.texto()), u"0001-00001234 A"_s);
}

} // namespace
