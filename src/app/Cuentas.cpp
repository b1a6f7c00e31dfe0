#include "app/Cuentas.h"

#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "zimbrel2/ClsUtiles.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// Runs the lookup on one column; true when a row came back.
bool findBy(const QString& column, const QString& codigo, AdoRecordset& recordset, bool soloLectura)
{
    DB_Dll& db = DataGlobals::gDB();
    QString statement =
        u"SELECT * FROM MA_CUENTAS  with(nolock)  WHERE "_s + column + u" =  "_s + db.SQLValue(codigo, u"'");
    db.AbrirRecordset(statement, recordset, nullptr, soloLectura ? 0 : 2, soloLectura ? 1 : 3, -1, true);
    return recordset.isOpen() && !recordset.eof();
}

} // namespace

bool ExisteCuenta(QString& codigo, AdoRecordset* recordset, bool soloLectura, bool& porCodigoOpcional)
{
    AdoRecordset own;
    AdoRecordset& rs = recordset ? *recordset : own;
    const QString first = porCodigoOpcional ? u"CodigoOpcional"_s : u"Codigo"_s;
    if (findBy(first, codigo, rs, soloLectura)) {
        codigo = ClsUtiles::ValorSeguro(rs.value(u"Codigo"));
        return true;
    }
    // A statement that failed has been shown to the operator, who gave up: no second statement.
    if (!rs.isOpen())
        return false;
    if (porCodigoOpcional)
        return findBy(u"Codigo"_s, codigo, rs, soloLectura);
    if (findBy(u"CodigoOpcional"_s, codigo, rs, soloLectura)) {
        porCodigoOpcional = true;
        codigo = ClsUtiles::ValorSeguro(rs.value(u"Codigo"));
        return true;
    }
    return false;
}

bool ExisteArchivo(const QString& ruta)
{
    QString path = ruta;
    path.remove(u'"');
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    file.close();
    return opened;
}
