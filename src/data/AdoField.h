#pragma once

#include <QString>
#include <QVariant>

/// One column of a recordset: its name, ADO type code and defined size, with the value of the
/// current row (read through AdoRecordset).
struct AdoField
{
    QString name;
    int type = 0;
    int definedSize = 0;
};

/// ADO field type codes the layer gives.
namespace AdoType {
constexpr int SmallInt = 2;
constexpr int Integer = 3;
constexpr int Single = 4;
constexpr int Double = 5;
constexpr int Currency = 6;
constexpr int Date = 7;
constexpr int Boolean = 11;
constexpr int Decimal = 14;
constexpr int BigInt = 20;
constexpr int Char = 129;
constexpr int WChar = 130;
constexpr int Numeric = 131;
constexpr int DBTimeStamp = 135;
constexpr int VarChar = 200;
constexpr int LongVarChar = 201;
constexpr int VarWChar = 202;
constexpr int LongVarWChar = 203;
constexpr int LongVarBinary = 205;
} // namespace AdoType
