// Schema checks and column additions through the connection's schema catalogue.
#include "data/DB_Dll.h"

#include "data/BlankTrim.h"
#include "data/DataGlobals.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/TrappedRoutine.h"

using namespace Qt::StringLiterals;

namespace {

// Schema failures are reported by the main data-access object, whichever object met them.
ErrorReporter mainReporter(const QString& rutina)
{
    return [rutina](const RuntimeError& failure) {
        return DataGlobals::gDB().TratamientoErrores(failure, std::nullopt, rutina);
    };
}

bool sameName(const QVariant& catalogued, const QString& name)
{
    return trimBlanks(ClsUtiles::ValorSeguro(catalogued)).compare(trimBlanks(name), Qt::CaseInsensitive) == 0;
}

// Walks a schema rowset from its first row; true at the first row whose `column` names `name`.
bool listed(const AdoRecordsetPtr& rows, QStringView column, const QString& name)
{
    if (!rows || !rows->isOpen())
        return false;
    rows->moveFirst();
    for (; !rows->eof(); rows->moveNext()) {
        if (sameName(rows->value(column), name))
            return true;
    }
    return false;
}

} // namespace

bool DB_Dll::ExisteTablaDB(const QString& Tabla)
{
    bool found = false;
    AdoRecordsetPtr rows;
    TrappedRoutine routine(mainReporter(u"VerificaCampos"_s));
    routine.step([&] { rows = gCnn().openSchema(AdoConnection::SchemaTables); }) &&
        routine.step([&] { found = listed(rows, u"TABLE_NAME", Tabla); });
    return found;
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo)
{
    // Oracle's catalogue is not asked: every column counts as present there.
    if (DataGlobals::gDB().isOracleConnection())
        return true;
    bool found = false;
    AdoRecordsetPtr rows;
    TrappedRoutine routine(mainReporter(u"VerificaCampos"_s));
    routine.step([&] {
        rows = gCnn().openSchema(AdoConnection::SchemaColumns, {gDBName, QString(), Tabla, QString()});
    }) &&
        routine.step([&] { found = listed(rows, u"COLUMN_NAME", Campo); });
    return found;
}

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                      const std::optional<QString>& ValorDefault)
{
    QString statement;
    TrappedRoutine routine(mainReporter(u"errAddField"_s));
    routine.step([&] {
        const QString nulls = PermiteNulos ? u" Null "_s : u" Not Null "_s;
        const QString defaultText = ValorDefault
                                        ? u" CONSTRAINT DF_"_s + trimBlanks(Tabla) + u"_"_s +
                                              trimBlanks(Campo) + u" DEFAULT ("_s + *ValorDefault + u")"_s
                                        : QString();
        statement = u"ALTER TABLE dbo."_s + Tabla + u" ADD "_s + Campo + u" "_s + Tipo + nulls + defaultText;
    }) &&
        routine.step([&] {
            // The statement's own failure is silent there: the column stays missing.
            long affected = 0;
            EjecutaConsultaSQL(statement, affected);
        });
}

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                        bool PermiteNulos, const std::optional<QString>& ValorDefault)
{
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar)
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}
