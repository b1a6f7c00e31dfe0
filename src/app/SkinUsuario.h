#pragma once

#include <QString>

/// The skin a user has chosen for one database: the INI file's section (operating-system user + "_" +
/// database name, both upper-cased, + "Styles"), key "Styles", default "4", read as a 16-bit whole
/// number, and the skin of the suite's table for that number. The suite's skin names are kept; each
/// skin is shipped as a Qt style sheet of the same name with the extension ".qss" (a skin folder
/// with a settings file is the sheet named after the settings file inside that folder).
class SkinUsuario
{
public:
    /// The INI key and its default.
    static constexpr const char16_t* Clave = u"Styles";
    static constexpr const char16_t* PorDefecto = u"4";

    /// The skin the table gives for `numero`: 1 Vista, 2 WinXP Luna, 3 WinXP Royale, 4 iTunes with
    /// "Normalitunes.ini", any other Office 2007.
    static SkinUsuario segunNumero(int numero);
    /// The skin of `usuario` (operating-system user) on database `baseDeDatos`, from the INI file.
    static SkinUsuario leer(const QString& usuario, const QString& baseDeDatos);
    /// The INI section that holds the choice.
    static QString seccion(const QString& usuario, const QString& baseDeDatos);

    /// The number read (0 for a value that is not a number).
    int numero = 0;
    /// Skin file relative to the program folder, "Styles/Vista.cjstyles" and so on.
    QString archivo;
    /// Settings file of the skin; "" for most.
    QString configuracion;

    /// The style sheet that stands for the skin, relative to the program folder
    /// ("Styles/Vista.qss", "Styles/iTunes/Normalitunes.qss").
    QString hojaDeEstilo() const;
};
