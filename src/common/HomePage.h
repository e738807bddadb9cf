#pragma once

#include "common/SeamGuard.h"

#include <QString>

// We keep no web site: the help and home-page commands open the manual that comes with the program,
// and the About box says so.
namespace HomePage {
// The About box's value of its home-page row.
QString AboutText();
// The manual's index page for a program in executableFolder: napoveda/index.html beside it (a build,
// a portable copy), else share/velorin/napoveda/index.html of the tree whose bin/ it is. Empty when
// neither exists.
QString ManualIndexFor(const QString& executableFolder);
// The folder of this run's executable.
QString ExecutableFolder();
// Where ManualIndexFor looks first, named when the manual is missing.
QString ManualIndexBeside(const QString& executableFolder);
// Tests: the folder ExecutableFolder gives.
SeamGuard SetExecutableFolder(const QString& folder);
} // namespace HomePage
