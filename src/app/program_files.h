// SPDX-License-Identifier: MIT
// The files the programs ship (the manual, the default logo, the example sheets): beside the
// program in a build folder or a portable copy, under the install prefix's data folder
// (bin/../share/nuvrel) once installed.
#pragma once

#include <string>
#include <string_view>

namespace nuvrel::app {

// The full path of the running program (UTF-8), from /proc/self/exe or GetModuleFileNameW; empty
// when that cannot be read.
std::string ProgramPath();

// The folder of the running program; "." when it cannot be found.
std::string ProgramFolder();

// The path of a shipped file, given relative to the data folder: programFolder/relative when that
// exists, else the same file in the installed data folder when it exists there, else the path
// beside the program (so a message can still name it).
std::string ShippedFile(std::string_view programFolder, std::string_view relative);

}  // namespace nuvrel::app
