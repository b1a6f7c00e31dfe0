#pragma once

#include <QString>
#include <QStringView>

/// Check digits of the Argentine tax and bank identifiers that the sample data carries.
class ArgentineIds
{
public:
    /// Check digit of a CUIT/CUIL from its first ten digits (type prefix and document number):
    /// weights 5,4,3,2,7,6,5,4,3,2, eleven minus the sum modulo 11, 11 giving 0. Returns -1 when the
    /// result is 10 (no valid CUIT has those ten digits) or the text is not ten digits.
    static int cuitCheckDigit(QStringView tenDigits);
    /// "PP-NNNNNNNN-D" for a prefix (20, 23, 27, 30, 33, ...) and an eight-digit number; empty when
    /// the pair has no valid check digit.
    static QString formatCuit(int prefix, int number);
    /// True for "PP-NNNNNNNN-D" (or the eleven digits alone) with a correct check digit.
    static bool isValidCuit(QStringView cuit);

    /// Check digit of a CBU block: the first seven digits (bank and branch) with weights 7,1,3,9,
    /// or the thirteen digits of the account with weights 3,9,7,1; ten minus the sum's last digit.
    /// -1 when the text is not digits.
    static int cbuCheckDigit(QStringView digits);
    /// The 22-digit CBU of a bank (3 digits), a branch (4) and an account number (13 digits).
    static QString makeCbu(QStringView bank, QStringView branch, QStringView account);
    /// True for 22 digits whose two check digits are right.
    static bool isValidCbu(QStringView cbu);
};
