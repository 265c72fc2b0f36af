// Commands a script gives the desktop program: the desktop demo opens the
// windows that have no key of their own (About, the program's properties,
// the conversion log window) without opening a menu from outside. When
// BRIVEN_COMMAND_FILE names a file, the main frame looks for it a few times
// a second; each line of it is a command id, posted to the frame as
// WM_COMMAND, and the file is removed. A writer renames the finished file
// into place, so it is never read half written. With the variable unset
// nothing looks.
#pragma once

#include <string>
#include <vector>

namespace app {

// The file the environment names; empty when it names none.
std::string CommandFilePath();

// The command ids of the file at `path` (one decimal id a line; lines that
// are no id from 1 to 65535 are skipped), which is removed. None when there
// is no file.
std::vector<unsigned> TakeCommands(const std::string& path);

}  // namespace app
