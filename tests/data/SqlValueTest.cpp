#include "data/SqlValue.h"

#include "zimbrel2/RegionalSettings.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class RegionalScope
{
public:
    explicit RegionalScope(const RegionalSettings& settings) { RegionalSettings::setCurrent(settings); }
    ~RegionalScope() { RegionalSettings::reset(); }
};

TEST(SQLValue, LiteralsForEachMarker)
{
    RegionalScope comma(RegionalSettings::argentina());
    struct Case
    {
        QVariant value;
        QString marker;
        QString literal;
    };
    const Case cases[] = {
        {u"ABC"_s, u"'"_s, u"'ABC'"_s},
        {QVariant(), u"'"_s, u"NULL"_s},
        {u"12,50"_s, u"@"_s, u"12.5"_s},
        {QVariant(), u"@"_s, u"0"_s},
        {7, QString(), u"7"_s},
        {QVariant(), QString(), u"NULL"_s},
        {u""_s, u"'"_s, u"''"_s},
        {u"-1.234,56"_s, u"@"_s, u"-1234.56"_s},
        {u"1 234,5"_s, u"@"_s, u"1234.5"_s},
        {u"no es un número"_s, u"@"_s, u"0"_s},
        // Numbers held as numbers are not re-read through the regional format.
        {12.5, u"@"_s, u"12.5"_s},
        {1234, u"@"_s, u"1234"_s},
        {QVariant(QMetaType::fromType<QString>()), u"'"_s, u"NULL"_s},
        {u"Ñandú S.R.L."_s, u"'"_s, u"'Ñandú S.R.L.'"_s},
        {QDate(2026, 12, 10), u"'"_s, u"'2026-12-10'"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SQLValue(c.value, c.marker), c.literal) << c.value.toString().toStdString();
}

TEST(SQLValue, PointDecimalSettingsGiveTheSameNumbers)
{
    RegionalScope point(RegionalSettings::unitedStates());
    EXPECT_EQ(SQLValue(u"1,234.56"_s, u"@"), u"1234.56"_s);
    EXPECT_EQ(SQLValue(u"12.50"_s, u"@"), u"12.5"_s);
}

TEST(SQLValue, ApostrophesStayInsideTheText)
{
    // A typed apostrophe can neither end the literal nor carry a second statement.
    EXPECT_EQ(SQLValue(u"O'Higgins"_s, u"'"), u"'O''Higgins'"_s);
    EXPECT_EQ(SQLValue(u"x'; DELETE MV_ASIENTOS; --"_s, u"'"), u"'x''; DELETE MV_ASIENTOS; --'"_s);
    EXPECT_EQ(SQLValue(u"''"_s, u"'"), u"''''''"_s);
}

TEST(AdoTypes, ClassifiersAndQuoting)
{
    for (int t : {7, 133, 134, 135, 137, 64}) {
        EXPECT_TRUE(adodate(t)) << t;
        EXPECT_EQ(ADOComilla(t), u"'"_s) << t;
    }
    for (int t : {8, 129, 130, 200, 201, 202, 203}) {
        EXPECT_TRUE(ADOText(t)) << t;
        EXPECT_EQ(ADOComilla(t), u"'"_s) << t;
    }
    for (int t : {2, 3, 4, 5, 14, 16, 17, 18, 19, 20, 21, 131}) {
        EXPECT_TRUE(ADONumeric(t)) << t;
        EXPECT_FALSE(ADOText(t) || adodate(t) || ADOCurrency(t) || ADOBoolean(t)) << t;
        EXPECT_EQ(ADOComilla(t), QString()) << t;
    }
    EXPECT_TRUE(ADOCurrency(6));
    EXPECT_TRUE(ADOBoolean(11));
    EXPECT_EQ(ADOComilla(6), QString());
    EXPECT_EQ(ADOComilla(11), QString());
    EXPECT_FALSE(ADONumeric(6) || ADONumeric(11) || ADONumeric(0) || ADOText(0));
}

TEST(ObjectNames, BracketsOwnersConnectionsAndFolders)
{
    EXPECT_EQ(AddBrackets(u"MV ASIENTOS"_s), u"[MV ASIENTOS]"_s);
    EXPECT_EQ(AddBrackets(u"[MV ASIENTOS]"_s), u"[MV ASIENTOS]"_s);
    EXPECT_EQ(AddBrackets(u"MV_ASIENTOS"_s), u"MV_ASIENTOS"_s);
    EXPECT_EQ(StripBrackets(u"[numero asiento]"_s), u"numero asiento"_s);
    EXPECT_EQ(StripBrackets(u"CODIGO"_s), u"CODIGO"_s);
    EXPECT_EQ(StripConnect(u"CLIENTES ->CN1"_s), u"CLIENTES"_s);
    EXPECT_EQ(StripConnect(u"CLIENTES"_s), u"CLIENTES"_s);
    EXPECT_EQ(StripConnect(u"->CN1"_s), QString());
    EXPECT_EQ(StripFileName(u"C:\\Suite\\Reportes\\CHEQUE.rpt"_s), u"C:\\Suite\\Reportes"_s);
    EXPECT_EQ(StripFileName(u"/opt/talonex/CHEQUE.rpt"_s), u"/opt/talonex"_s);
    EXPECT_EQ(StripFileName(u"CHEQUE.rpt"_s), QString());

    QString name = u"dbo.MA_CUENTAS"_s;
    EXPECT_EQ(StripOwner(name), u"MA_CUENTAS"_s);
    EXPECT_EQ(name, u"MA_CUENTAS"_s);
    name = u"srv.dbo.MA_CUENTAS"_s;
    EXPECT_EQ(StripOwner(name), u"dbo.MA_CUENTAS"_s);

    name = u"dbo.MA_CUENTAS"_s;
    EXPECT_EQ(stSTF(name, true), u"MA_CUENTAS"_s);
    EXPECT_EQ(name, u"MA_CUENTAS"_s);
    name = u"dbo.MA_CUENTAS"_s;
    EXPECT_EQ(stSTF(name, false), u"dbo"_s);
    name = u"MA_CUENTAS"_s;
    EXPECT_EQ(stSTF(name, true), u"MA_CUENTAS"_s);
    name = u"srv.dbo.MA_CUENTAS"_s;
    EXPECT_EQ(stSTF(name, false), u"dbo.MA_CUENTAS"_s);
}

} // namespace
