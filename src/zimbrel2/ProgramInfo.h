#pragma once

#include <QString>

#include <optional>

/// Facts about the running program that messages, logs and files name: its executable name (without
/// folder and extension), its folder (ending with the separator) and where the files of that folder
/// are read and written. Taken from the process; tests set their own so that files land in a
/// temporary folder.
///
/// The program folder holds the shipped files (reports, skins) and, in a portable copy, the files
/// the program writes beside them (masks, column widths, error log, registered connections, forms,
/// calibration). An installed program's folder cannot take them: those files then live in the
/// operator's own folder (QStandardPaths::AppDataLocation), which is read first.
class ProgramInfo
{
public:
    static QString executableName();
    static QString programFolder();
    /// The operator's own folder for the program's files, ending with the separator.
    static QString userFolder();

    /// Whether the program folder takes the files the program writes: a writable folder outside
    /// /usr (the system's read-only tree, which not even the administrator's runs should change).
    static bool programFolderWritable();
    /// Where the program-folder file `fileName` (a name, or a path relative to the program folder)
    /// is written: in the program folder when it takes the program's files, else in the operator's
    /// folder, which is created when missing. Every writer of a program-folder file asks here.
    static QString writablePath(const QString& fileName);
    /// Where the program-folder file `fileName` is read: in the program folder when it takes the
    /// program's files; else the operator's copy when there is one, the program folder's when there
    /// is one, and otherwise the operator's (where writablePath puts it).
    static QString readablePath(const QString& fileName);

    static void setExecutableName(const QString& name);
    static void setProgramFolder(const QString& folder);
    static void setUserFolder(const QString& folder);
    /// Takes the program folder as writable or not whatever its permissions say (an installed
    /// program's folder for a test that runs as the administrator); nullopt asks the folder again.
    static void setProgramFolderWritable(std::optional<bool> writable);
    /// Back to the process's own values.
    static void reset();
};
