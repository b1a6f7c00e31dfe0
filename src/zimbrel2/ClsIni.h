#pragma once

#include <QString>

/// Reads and writes the suite's Windows INI files: "[section]" lines, "key=value" lines, ";"
/// comments, section and key names compared without regard to case. Section names may contain "|"
/// ("PC01|JUAN", "PC01|JUANBaseDeDatos"), which is why this is a reader of its own and not QSettings.
///
/// A bare file name is looked for, in this order, in the folder named by the environment variable
/// TALONEX_INI_DIR (when set), the program folder and the current folder; in each folder the exact
/// name first, then the same name in any letter case (the suite writes both "PX500wk.INI" and
/// "px500wk.ini"). A name with a folder is used as it stands.
class ClsIni
{
public:
    /// The value of `key` in `section` (the first one in the file, a pair of enclosing quotes
    /// removed), or `defaultValue` when the file, the section or the key is missing. Unreadable files
    /// and broken lines are passed over, never fatal.
    static QString LeeIni(const QString& fileName, const QString& section, const QString& key,
                          const QString& defaultValue = {});

    /// Sets `key` in `section`, keeping every other line; creates the key, the section or the file
    /// as needed (a new file goes where the first folder of the search order says). False when the
    /// file cannot be written.
    static bool EscribeIni(const QString& fileName, const QString& section, const QString& key,
                           const QString& value);

    /// The file LeeIni reads for `fileName`; empty when there is none.
    static QString UbicaArchivo(const QString& fileName);
};
