#include "zimbrel2/ClsUtiles.h"
#include "support/QStringPrinter.h"
#include "zimbrel2/RegionalSettings.h"

#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Each test starts on Argentine settings and leaves the process on the system's.
class ClsUtilesTest : public ::testing::Test
{
protected:
    void SetUp() override { RegionalSettings::setCurrent(RegionalSettings::argentina()); }
    void TearDown() override { RegionalSettings::reset(); }
};

QString q(const char16_t* text)
{
    return QString::fromUtf16(text);
}

} // namespace

TEST_F(ClsUtilesTest, ValorSeguroGivesEmptyTextForNull)
{
    EXPECT_EQ(ClsUtiles::ValorSeguro(QVariant()), u""_s);
    EXPECT_EQ(ClsUtiles::ValorSeguro(QVariant(QMetaType::fromType<QString>())), u""_s);
    EXPECT_EQ(ClsUtiles::ValorSeguro(QVariant(12)), u"12"_s);
    EXPECT_EQ(ClsUtiles::ValorSeguro(QVariant(u" CH "_s)), u" CH "_s);
}

TEST_F(ClsUtilesTest, TextoANumeroFollowsTheRegionalSeparators)
{
    EXPECT_EQ(ClsUtiles::TextoANumero(u"1.234,50"_s), Currency::fromUnits(12345000));
    EXPECT_EQ(ClsUtiles::TextoANumero(u" 15 256 "_s), Currency::fromUnits(152560000));
    EXPECT_EQ(ClsUtiles::TextoANumero(u"abc"_s), Currency());
    EXPECT_EQ(ClsUtiles::TextoANumero(u""_s), Currency());
    EXPECT_EQ(ClsUtiles::TextoANumero(u"-"_s), Currency());

    RegionalSettings::setCurrent(RegionalSettings::unitedStates());
    EXPECT_EQ(ClsUtiles::TextoANumero(u"1,234.50"_s), Currency::fromUnits(12345000));
    EXPECT_EQ(ClsUtiles::TextoANumero(u"1.234,50"_s), Currency());
}

TEST_F(ClsUtilesTest, TextoAEnteroRoundsHalfToEven)
{
    const std::pair<const char16_t*, qint64> cases[] = {
        {u"7", 7},      {u"2,5", 2},      {u"3,5", 4}, {u"-2,5", -2}, {u"-3,5", -4}, {u"2,5001", 3},
        {u"2,4999", 2}, {u"1.234", 1234}, {u"abc", 0}, {u"", 0},      {u"7abc", 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ClsUtiles::TextoAEntero(q(text)), expected) << q(text).toStdString();
}

TEST_F(ClsUtilesTest, FixedWidthTexts)
{
    struct Case
    {
        const char16_t* text;
        int width;
        const char16_t* left;
        const char16_t* right;
    };
    const Case cases[] = {
        {u"OP", 4, u"OP  ", u"  OP"},
        {u"FACT", 4, u"FACT", u"FACT"},
        {u"FACTURA", 4, u"FACT", u"FACTURA"}, // the right-aligned text is never cut
        {u"", 3, u"   ", u"   "},
        {u"1.234,50", 14, u"1.234,50      ", u"      1.234,50"},
        {u"ñandú", 6, u"ñandú ", u" ñandú"},
        {u"X", 0, u"", u"X"},
        {u"X", -2, u"", u"X"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClsUtiles::AjustaIzquierda(q(c.text), c.width), q(c.left)) << q(c.text).toStdString();
        EXPECT_EQ(ClsUtiles::AjustaDerecha(q(c.text), c.width), q(c.right)) << q(c.text).toStdString();
    }
}

TEST_F(ClsUtilesTest, TextoVisibleBlanksControlsAndCuts)
{
    EXPECT_EQ(ClsUtiles::TextoVisible(u"Error\r\nen\tlínea"_s), u"Error  en línea"_s);
    EXPECT_EQ(ClsUtiles::TextoVisible(u"abcdef"_s, 3), u"abc"_s);
    EXPECT_EQ(ClsUtiles::TextoVisible(u"abc"_s, 3), u"abc"_s);
    EXPECT_EQ(ClsUtiles::TextoVisible(u"abc"_s, 0), u"abc"_s);
    // A character outside the basic plane is two code units: it is kept whole or dropped whole.
    EXPECT_EQ(ClsUtiles::TextoVisible(u"ab😀"_s, 3), u"ab"_s);
    const QString longText(300, u'x');
    EXPECT_EQ(ClsUtiles::TextoVisible(longText, 250).size(), 250);
}

TEST_F(ClsUtilesTest, FechaSQLReadsDayMonthYear)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"31/12/2024", u"{d '2024-12-31'}"},
        {u"1/2/24", u"{d '2024-02-01'}"},
        {u"01-02-2024", u"{d '2024-02-01'}"},
        {u"1.2.2024", u"{d '2024-02-01'}"},
        {u" 5/6/99 ", u"{d '1999-06-05'}"},
        {u"5/6/29", u"{d '2029-06-05'}"},
        {u"5/6/30", u"{d '1930-06-05'}"},
        {u"29/2/2024", u"{d '2024-02-29'}"},
        {u"29/2/2023", u"NULL"},
        {u"31/02/2024", u"NULL"},
        {u"32/01/2024", u"NULL"},
        {u"1/13/2024", u"NULL"},
        {u"0/1/2024", u"NULL"},
        {u"1/2/024", u"NULL"},
        {u"1/2/20245", u"NULL"},
        {u"001/2/2024", u"NULL"},
        {u"12/2024", u"NULL"},
        {u"1/2/3/4", u"NULL"},
        {u"1/2-2024", u"NULL"},
        {u"a/b/c", u"NULL"},
        {u"-1/2/2024", u"NULL"},
        {u"20240201", u"NULL"},
        {u"", u"NULL"},
    };
    for (const auto& [typed, literal] : cases)
        EXPECT_EQ(ClsUtiles::FechaSQL(q(typed)), q(literal)) << q(typed).toStdString();
}

// Dates are typed day/month/year on every workstation; the order the locale writes dates in does
// not turn "05/11/2024" into the eleventh of May, nor refuse "15/11/2024".
TEST_F(ClsUtilesTest, TypedDatesAreDayMonthYearUnderEveryLocale)
{
    RegionalSettings ymd = RegionalSettings::argentina();
    ymd.dateOrder = RegionalSettings::DateOrder::YearMonthDay;
    const struct
    {
        const char* locale;
        RegionalSettings settings;
    } locales[] = {
        {"es_AR", RegionalSettings::argentina()},
        {"en_US", RegionalSettings::unitedStates()},
        {"en_US.UTF-8 as the workstation gives it", RegionalSettings::fromLocale(QLocale(u"en_US"_s))},
        {"year first", ymd},
    };
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"15/11/2024", u"{d '2024-11-15'}"},
        {u"05/11/2024", u"{d '2024-11-05'}"},
        {u"31/12/2024", u"{d '2024-12-31'}"},
        {u"12/31/2024", u"NULL"},
        {u"2024-12-31", u"NULL"},
    };
    for (const auto& l : locales) {
        RegionalSettings::setCurrent(l.settings);
        for (const auto& [typed, literal] : cases)
            EXPECT_EQ(ClsUtiles::FechaSQL(q(typed)), q(literal))
                << l.locale << ": " << q(typed).toStdString();
    }
}

// The Oracle dialect recognises the date literals of a statement in the regional order.
TEST_F(ClsUtilesTest, TextoAFechaRegionalFollowsTheRegionalDateOrder)
{
    RegionalSettings::setCurrent(RegionalSettings::unitedStates());
    EXPECT_EQ(ClsUtiles::TextoAFechaRegional(u"12/31/2024"_s), QDate(2024, 12, 31));
    EXPECT_EQ(ClsUtiles::TextoAFechaRegional(u"31/12/2024"_s), std::nullopt);

    RegionalSettings ymd = RegionalSettings::argentina();
    ymd.dateOrder = RegionalSettings::DateOrder::YearMonthDay;
    RegionalSettings::setCurrent(ymd);
    EXPECT_EQ(ClsUtiles::TextoAFechaRegional(u"2024-12-31"_s), QDate(2024, 12, 31));
    EXPECT_EQ(ClsUtiles::TextoAFechaRegional(u"31-12-2024"_s), std::nullopt);
}

TEST_F(ClsUtilesTest, CharacterRemovalAndReplacement)
{
    EXPECT_EQ(ClsUtiles::QuitaCaracteres(u"PC01|JUAN|"_s, u"|"_s), u"PC01JUAN"_s);
    EXPECT_EQ(ClsUtiles::QuitaCaracteres(u"@DbName=a=b"_s, u"="_s), u"@DbNameab"_s);
    EXPECT_EQ(ClsUtiles::QuitaCaracteres(u"a=b;c|d"_s, u"="_s, u";"_s, u"|"_s), u"abcd"_s);
    EXPECT_EQ(ClsUtiles::QuitaCaracteres(u"abc"_s, u""_s, u""_s), u"abc"_s);

    EXPECT_EQ(ClsUtiles::ReemplazaCaracter(u"1234,5"_s, u","_s, u"."_s), u"1234.5"_s);
    EXPECT_EQ(ClsUtiles::ReemplazaCaracter(u"a,b,,c"_s, u","_s, u""_s), u"abc"_s);
    // The replacement is not searched again.
    EXPECT_EQ(ClsUtiles::ReemplazaTexto(u"aXa"_s, u"a"_s, u"aa"_s), u"aaXaa"_s);
    EXPECT_EQ(ClsUtiles::ReemplazaTexto(u"abc"_s, u""_s, u"x"_s), u"abc"_s);
    EXPECT_EQ(ClsUtiles::ReemplazaTexto(u"Hola HOLA hola"_s, u"hola"_s, u"chau"_s), u"Hola HOLA chau"_s);
    EXPECT_EQ(ClsUtiles::ReemplazaTexto(u"Hola HOLA"_s, u"hola"_s, u"chau"_s, Qt::CaseInsensitive),
              u"chau chau"_s);
}

TEST_F(ClsUtilesTest, CuentaPalabrasCountsRunsBetweenBlanks)
{
    const std::pair<const char16_t*, int> cases[] = {
        {u"", 0},     {u"   ", 0}, {u"LEN", 1}, {u"  codigo  ", 1}, {u"max(x) as y", 3}, {u"a b\tc\r\nd", 4},
        {u"a  b", 2},
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(ClsUtiles::CuentaPalabras(q(text)), words) << q(text).toStdString();
}

TEST_F(ClsUtilesTest, CodificaRoundTripsEveryText)
{
    const QString texts[] = {
        u""_s,
        u"Tessaro"_s,
        u"pampero"_s,
        u"Empresa1"_s,
        u"ñandú Ñ áéíóú ü"_s,
        u"con blancos  al final  "_s,
        u"a,b;c=d|e\"f'g[h]\\"_s,
        u"😀€"_s,
        u"\t\r\n"_s,
        u"aaaaaaaaaaaaaaaaaaaa"_s,
        QString(1000, u'z'),
    };
    static const QRegularExpression hexDigits(u"^[0-9A-F]*$"_s);
    for (const QString& text : texts) {
        const QString encoded = ClsUtiles::Codifica(text);
        EXPECT_TRUE(hexDigits.match(encoded).hasMatch()) << encoded.toStdString();
        EXPECT_EQ(ClsUtiles::Decodifica(encoded), text) << text.toStdString();
        EXPECT_EQ(ClsUtiles::Decodifica(encoded.toLower()), text) << text.toStdString();
        if (!text.isEmpty()) {
            EXPECT_NE(encoded, text);
        }
    }
    // Repeated letters leave no repeated pattern.
    const QString encoded = ClsUtiles::Codifica(u"aaaa"_s);
    EXPECT_NE(encoded.mid(0, 2), encoded.mid(2, 2));
    EXPECT_NE(encoded.mid(2, 2), encoded.mid(4, 2));
}

TEST_F(ClsUtilesTest, DecodificaKeepsATextThatWasNeverEncoded)
{
    const QString plain[] = {
        u"pampero"_s, u"CAFE"_s, u"ABC"_s, u"00"_s, u"0000"_s, u"ñ"_s, u"ZZZZ"_s, u"12 34"_s, u"DEADBEEF"_s,
    };
    for (const QString& text : plain)
        EXPECT_EQ(ClsUtiles::Decodifica(text), text) << text.toStdString();

    // A damaged encoded form gives some text back, without failing.
    QString damaged = ClsUtiles::Codifica(u"Tessaro"_s);
    damaged[3] = damaged[3] == u'0' ? u'1' : u'0';
    EXPECT_NE(ClsUtiles::Decodifica(damaged), u"Tessaro"_s);
}

TEST_F(ClsUtilesTest, CarpetaConBarraEndsWithTheSeparator)
{
    EXPECT_EQ(ClsUtiles::CarpetaConBarra(u"/opt/talonex"_s), u"/opt/talonex/"_s);
    EXPECT_EQ(ClsUtiles::CarpetaConBarra(u"/opt/talonex/"_s), u"/opt/talonex/"_s);
    EXPECT_EQ(ClsUtiles::CarpetaConBarra(u"relativa"_s), u"relativa/"_s);
    EXPECT_EQ(ClsUtiles::CarpetaConBarra(u"/"_s), u"/"_s);
    EXPECT_EQ(ClsUtiles::CarpetaConBarra(u""_s), u""_s);
}
