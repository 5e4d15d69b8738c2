// Where the game files and the score file are.
#pragma once

#include <string>

// The folder of the game files, without a trailing separator: GameFolderFor(the executable's
// folder).
std::string ExeDir();
// ExeDir() + "/" + name
std::string ExePath(const std::string& name);
// exeDir when the game files (Ovning.crp) are there (a build or a portable copy), else the
// installed data folder: exeDir/../share/globana, then the folder the game was built to install
// into. exeDir when none holds them.
std::string GameFolderFor(const std::string& exeDir);
// Where "scores.hgh" is kept: beside the game files when a score file is already there and that
// folder is writable (a portable copy keeps its scores), else in the user's data folder
// (QStandardPaths::AppDataLocation), which is created when missing.
std::string ScoreFilePath(const std::string& gameDir = ExeDir());
