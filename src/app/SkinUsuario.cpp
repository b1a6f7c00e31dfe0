#include "app/SkinUsuario.h"

#include "app/Inicio.h"
#include "zimbrel2/ClsIni.h"
#include "zimbrel2/ClsUtiles.h"

#include <QFileInfo>

#include <limits>

using namespace Qt::StringLiterals;

SkinUsuario SkinUsuario::segunNumero(int numero)
{
    SkinUsuario skin;
    skin.numero = numero;
    switch (numero) {
    case 1:
        skin.archivo = u"Styles/Vista.cjstyles"_s;
        break;
    case 2:
        skin.archivo = u"Styles/WinXP.Luna.cjstyles"_s;
        break;
    case 3:
        skin.archivo = u"Styles/WinXP.Royale.cjstyles"_s;
        break;
    case 4:
        skin.archivo = u"Styles/iTunes"_s;
        skin.configuracion = u"Normalitunes.ini"_s;
        break;
    default:
        skin.archivo = u"Styles/Office2007.cjstyles"_s;
        break;
    }
    return skin;
}

QString SkinUsuario::seccion(const QString& usuario, const QString& baseDeDatos)
{
    return usuario.toUpper() + u"_"_s + baseDeDatos.toUpper() + u"Styles"_s;
}

SkinUsuario SkinUsuario::leer(const QString& usuario, const QString& baseDeDatos)
{
    const QString valor = ClsIni::LeeIni(QString::fromUtf16(ArchivoIni), seccion(usuario, baseDeDatos),
                                         QString::fromUtf16(Clave), QString::fromUtf16(PorDefecto));
    const qint64 numero = ClsUtiles::TextoAEntero(valor);
    // The choice is a 16-bit number; one beyond that range is no skin of the table, so it takes the
    // table's "any other" row instead of failing the window's load.
    if (numero < std::numeric_limits<qint16>::min() || numero > std::numeric_limits<qint16>::max())
        return segunNumero(0);
    return segunNumero(static_cast<int>(numero));
}

QString SkinUsuario::hojaDeEstilo() const
{
    if (!configuracion.isEmpty())
        return archivo + u"/"_s + QFileInfo(configuracion).completeBaseName() + u".qss"_s;
    const QString sinExtension = archivo.endsWith(u".cjstyles"_s, Qt::CaseInsensitive)
                                     ? archivo.left(archivo.size() - qsizetype(sizeof(".cjstyles") - 1))
                                     : archivo;
    return sinExtension + u".qss"_s;
}
