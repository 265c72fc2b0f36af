// The program's help book: HTML pages beside the program's data, one for
// the main window and one for each dialog, with a contents file whose
// entries carry the context numbers the program asks for. A context is
// formed by rule from where the user asked:
//   - F1 on a dialog control: control id * 65536 + dialog id;
//   - a dialog's Help button: 0x20000 + dialog id;
//   - F1 in the main window and Help > Help Topics: 0x20080;
//   - Shift+F1 on a control of the main window's form: 0x20000 + its id;
//   - Shift+F1 on a menu or toolbar command: 0x10000 + the command;
//   - Shift+F1 on the menu bar: 0x10066 to 0x10069 for its four titles,
//     0x1006A for the rest of it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Types.h"

namespace app {

constexpr unsigned long kHelpMainWindow = 0x20080;
constexpr unsigned long kHelpBarsFirst = 0x10066;
constexpr unsigned long kHelpMenuBar = 0x1006A;
constexpr unsigned long kHelpCommandBase = 0x10000;
constexpr unsigned long kHelpResourceBase = 0x20000;

inline unsigned long DialogHelpContext(int dialog) { return kHelpResourceBase + static_cast<unsigned long>(dialog); }
inline unsigned long ControlHelpContext(int dialog, int control) {
  return static_cast<unsigned long>(control) * 65536UL + static_cast<unsigned long>(dialog);
}

// The controls of a dialog that have a topic (group boxes and plain
// labels have none); empty for a dialog without help.
const std::vector<int>& HelpControlsOf(int dialog);
// The context of F1 on `control` of `dialog`; 0 when it has no topic.
unsigned long ControlHelpContextOrNone(int dialog, int control);

// The main window's help requests as its frame receives them: the
// numbers its menu bar reports (0x80010001 to 0x80010004 for its titles,
// and its control id + 0x50000) become the menus' topics; the rest pass
// unchanged.
unsigned long MapFrameHelpContext(unsigned long data, unsigned menu_bar_id);

// The context of a click on the main window's form: 0x20000 + the id of
// the form's control under it (0 when it is the form itself, outside it,
// or a control without an id, such as the headings).
unsigned long HelpContextOfFormControl(ui::HWND form, ui::HWND clicked);

// Every context the program can ask for, for checking the book.
std::vector<unsigned long> HelpContextsInUse();

// The book's project file (briven.hhp) beside the program's data; empty
// when it is not installed.
std::string HelpBookPath();

// Shows the topic of `context` (0: the contents) over `owner`. When the
// book or the topic is missing the user is told so; false then.
bool ShowHelpContext(ui::HWND owner, unsigned long context);

// Shift+F1: the pointer becomes the help pointer until the next click,
// whose window's topic is then shown; Escape or a right click ends it
// without help. `top` is the main window; `context_of` gives the context
// of the window clicked (0: none, the contents are shown then).
using HelpContextOfWindow = unsigned long (*)(ui::HWND clicked);
bool RunHelpMode(ui::HWND top, HelpContextOfWindow context_of);
// The same, for a caller that needs where the click was (`screen`, in
// screen coordinates) to ask the window clicked what lies there.
using HelpContextOfClick = std::function<unsigned long(ui::HWND clicked, ui::POINT screen)>;
bool RunHelpMode(ui::HWND top, const HelpContextOfClick& context_of);

}  // namespace app
