#pragma once

#include <QString>

/// The files the program ships (resources/ of the source tree: skins, reports), for tests and
/// benchmarks that run a window under a program folder of their own.
namespace ShippedFiles {

/// The source tree's resources folder, ending with "/".
QString resources();
/// Copies the shipped skins to `programFolder` + "Styles/", as the build puts them beside the
/// program; false when none was copied.
bool installSkins(const QString& programFolder);
/// Copies the shipped file resources/`name` into `programFolder`; false when it could not.
bool install(const QString& name, const QString& programFolder);

} // namespace ShippedFiles
