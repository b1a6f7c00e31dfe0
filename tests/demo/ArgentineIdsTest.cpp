#include "demo/ArgentineIds.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(ArgentineIds, CuitCheckDigit)
{
    struct Case
    {
        const char16_t* cuit;
        bool valid;
    };
    const Case cases[] = {
        {u"33-69345023-9", true}, // a published CUIT
        {u"33693450239", true},
        {u"33-69345023-8", false},
        {u"33-69345032-9", false}, // two digits swapped
        {u"20-12345678-6", true},
        {u"30-50001091-2", true},
        {u"30-5000109-12", false},
        {u"3369345023", false},
        {u"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArgentineIds::isValidCuit(QStringView(c.cuit)), c.valid)
            << QString::fromUtf16(c.cuit).toStdString();
}

TEST(ArgentineIds, FormatCuitRefusesNumbersWithoutACheckDigit)
{
    EXPECT_EQ(ArgentineIds::formatCuit(33, 69345023), u"33-69345023-9"_s);
    EXPECT_EQ(ArgentineIds::formatCuit(20, 2), u"20-00000002-8"_s);
    // 11 - (sum mod 11) = 10: no CUIT exists for these ten digits.
    int refused = 0;
    for (int n = 10000000; n < 10000100; ++n) {
        const QString cuit = ArgentineIds::formatCuit(20, n);
        if (cuit.isEmpty())
            ++refused;
        else
            EXPECT_TRUE(ArgentineIds::isValidCuit(cuit)) << cuit.toStdString();
    }
    EXPECT_GT(refused, 0);
}

TEST(ArgentineIds, CbuCheckDigits)
{
    EXPECT_TRUE(ArgentineIds::isValidCbu(u"2850590940090418135201"));
    EXPECT_FALSE(ArgentineIds::isValidCbu(u"2850590840090418135201")); // first block altered
    EXPECT_FALSE(ArgentineIds::isValidCbu(u"2850590940090418135202")); // second check digit
    EXPECT_FALSE(ArgentineIds::isValidCbu(u"285059094009041813520"));
    EXPECT_EQ(ArgentineIds::makeCbu(u"285", u"0590", u"4009041813520"), u"2850590940090418135201"_s);
    EXPECT_TRUE(ArgentineIds::makeCbu(u"28", u"0590", u"4009041813520").isEmpty());
}

} // namespace
