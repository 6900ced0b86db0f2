#pragma once
// The file-type association written at the first start: a MIME type for "*.<extension>" and a
// .desktop entry that opens such files with the program, under $XDG_DATA_HOME (default
// ~/.local/share), followed by update-mime-database / update-desktop-database when they exist.
// Failures are silent.
#include <string>

namespace ql {

void RegisterFileType(const std::string& extension, const std::string& programPath);

// The .desktop Exec value that runs `programPath` on one file (quoted and escaped as the desktop
// entry format requires).
std::string DesktopExecLine(const std::string& programPath);

}  // namespace ql
