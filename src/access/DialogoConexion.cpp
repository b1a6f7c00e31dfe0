#include "access/DialogoConexion.h"

#include "access/frmAcceso.h"
#include "zimbrel2/ProgramInfo.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QTextStream>

using namespace Qt::StringLiterals;

bool DialogoConexion::ask(Values& values)
{
    // Registering a connection may retry its connection through the data layer, which asks again:
    // the operator is already in the dialog whose boxes hold the values to correct, so the inner
    // request ends as cancelled instead of opening a second dialog over the first.
    if (m_mostrando)
        return false;
    m_mostrando = true;
    QWidget* parent =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    frmAcceso dialog(parent);
    dialog.TxtDbName()->setText(values.dbName);
    dialog.TxtServidor()->setText(values.servidor);
    dialog.TxtUserId()->setText(values.usuario);
    dialog.TxtUserPassword()->setText(values.password);
    dialog.CboPlataformaDB()->setCurrentIndex(frmAcceso::SqlServer);
    dialog.exec();
    m_mostrando = false;
    if (!dialog.Aceptar())
        return false;
    values.dbName = dialog.Valor(dialog.TxtDbName());
    values.servidor = dialog.ServidorElegido();
    values.usuario = dialog.Valor(dialog.TxtUserId());
    values.password = dialog.Valor(dialog.TxtUserPassword());
    // A folder of database files is reached as a server that names the folder; only Oracle has a
    // platform of its own in the connection.
    values.plataforma = dialog.CboPlataformaDB()->currentIndex() == frmAcceso::Oracle ? 1 : 0;
    return true;
}

QString ConexionSinPantalla::Mensaje(const Values& values)
{
    QStringList missing;
    if (values.servidor.trimmed().isEmpty())
        missing << u"@Server"_s;
    if (values.usuario.trimmed().isEmpty())
        missing << u"@Usuario"_s;
    const QString program = ProgramInfo::executableName() + u": "_s;
    if (missing.isEmpty())
        return program + u"sin pantalla no hay quien corrija los datos de conexion del servidor "_s +
               values.servidor.trimmed() + u" (usuario "_s + values.usuario.trimmed() + u")."_s;
    return program + u"sin pantalla no hay quien complete los datos de conexion; falta"_s +
           (missing.size() > 1 ? u"n los parametros "_s : u" el parametro "_s) + missing.join(u" y "_s) +
           u". Inicie el programa con \"@Server=...; @DbName=...; @Usuario=...; @Password=...;\"."_s;
}

bool ConexionSinPantalla::ask(Values& values)
{
    QTextStream(stderr) << Mensaje(values) << Qt::endl;
    return false;
}
