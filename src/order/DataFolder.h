#pragma once

#include <QString>
#include <functional>

// Where the settings file, the presets file and the year folders live.
//
// A copy run from its own writable folder (a portable folder, or the build folder with `make run`)
// keeps its files beside the executable. An installed program (bin/ of a prefix whose share/ holds our
// desktop entry) or one in a folder it cannot write to keeps them in the user's data folder instead.

// Decides by creating and removing a probe file: for root, access(2) and QFileInfo::isWritable call
// every folder writable, even a read-only mount or an immutable folder.
bool CanCreateFilesIn(const QString& folder);

// True when executableFolder is the bin/ of an installed tree (its ../share/applications/velorin.desktop
// exists). Root can write to /usr/bin, but orders must not land there.
bool IsInstalledTree(const QString& executableFolder);

using FolderProbe = std::function<bool(const QString& folder)>;

// The folder in use, ending in "/": executableFolder when it is no installed tree and canCreateFiles
// says yes; otherwise dataFolder, created with its parents when missing. An empty dataFolder (no home
// folder known) falls back to executableFolder.
QString ChooseProgramFolder(const QString& executableFolder, const QString& dataFolder,
                            const FolderProbe& canCreateFiles = CanCreateFilesIn);

// ChooseProgramFolder for this run: the folder of the executable, or
// QStandardPaths::AppDataLocation (~/.local/share/Velorin/). Needs the application name set.
QString ProgramFolderOfRun();

// What the start tells the user when the run keeps its files in programFolder while the executable's
// own folder, which it cannot write to, holds the orders of earlier runs (a year folder with a *.ppu
// file): without a word those orders would seem lost. Empty when there is nothing to tell.
QString FilesElsewhereNotice(const QString& executableFolder, const QString& programFolder,
                             const FolderProbe& canCreateFiles = CanCreateFilesIn);
