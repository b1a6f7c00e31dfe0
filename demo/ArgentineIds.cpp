#include "demo/ArgentineIds.h"

#include <array>

namespace {

bool allDigits(QStringView text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !text.isEmpty();
}

} // namespace

int ArgentineIds::cuitCheckDigit(QStringView tenDigits)
{
    static constexpr std::array<int, 10> weights{5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
    if (tenDigits.size() != 10 || !allDigits(tenDigits))
        return -1;
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        sum += (tenDigits[i].unicode() - u'0') * weights[i];
    const int digit = 11 - sum % 11;
    if (digit == 11)
        return 0;
    return digit == 10 ? -1 : digit;
}

QString ArgentineIds::formatCuit(int prefix, int number)
{
    const QString prefixText = QString::number(prefix).rightJustified(2, u'0');
    const QString numberText = QString::number(number).rightJustified(8, u'0');
    const int digit = cuitCheckDigit(QString(prefixText + numberText));
    if (digit < 0 || prefixText.size() != 2 || numberText.size() != 8)
        return {};
    return prefixText + u'-' + numberText + u'-' + QString::number(digit);
}

bool ArgentineIds::isValidCuit(QStringView cuit)
{
    QString digits;
    if (cuit.size() == 13 && cuit[2] == u'-' && cuit[11] == u'-')
        digits = cuit.mid(0, 2) + cuit.mid(3, 8) + cuit.mid(12, 1);
    else
        digits = cuit.toString();
    if (digits.size() != 11 || !allDigits(digits))
        return false;
    return cuitCheckDigit(QStringView(digits).left(10)) == digits[10].unicode() - u'0';
}

int ArgentineIds::cbuCheckDigit(QStringView digits)
{
    static constexpr std::array<int, 4> weights{7, 1, 3, 9};
    if (!allDigits(digits) || (digits.size() != 7 && digits.size() != 13))
        return -1;
    // The bank block starts with weight 7; the account block ends with the same cycle, so it
    // starts where a thirteen-long run of 7,1,3,9 would: at weight 3.
    const int offset = digits.size() == 7 ? 0 : 2;
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i)
        sum += (digits[i].unicode() - u'0') * weights[(i + offset) % 4];
    return (10 - sum % 10) % 10;
}

QString ArgentineIds::makeCbu(QStringView bank, QStringView branch, QStringView account)
{
    const QString block1 = bank.toString() + branch.toString();
    const int check1 = cbuCheckDigit(block1);
    const int check2 = cbuCheckDigit(account);
    if (check1 < 0 || check2 < 0)
        return {};
    return block1 + QString::number(check1) + account.toString() + QString::number(check2);
}

bool ArgentineIds::isValidCbu(QStringView cbu)
{
    if (cbu.size() != 22 || !allDigits(cbu))
        return false;
    return cbuCheckDigit(cbu.mid(0, 7)) == cbu[7].unicode() - u'0' &&
           cbuCheckDigit(cbu.mid(8, 13)) == cbu[21].unicode() - u'0';
}
