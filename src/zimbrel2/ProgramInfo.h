#pragma once

#include <QString>

/// Facts about the running program that messages, logs and files name: its executable name (without
/// folder and extension) and its folder (ending with the separator). Taken from the process;
/// tests set their own so that files land in a temporary folder.
class ProgramInfo
{
public:
    static QString executableName();
    static QString programFolder();

    static void setExecutableName(const QString& name);
    static void setProgramFolder(const QString& folder);
    /// Back to the process's own values.
    static void reset();
};
