// The command line of the program: what kind of start it asks for, the
// file names and option switches of an unattended conversion, and the exit
// status a run ends with.
#pragma once

#include <string>
#include <vector>

class CBrivenDoc;

namespace app {

enum class StartKind {
  kInteractive,  // no argument
  kOpenFile,     // one file name, as the shell verb passes it
  kConvert,      // two or three file names and switches: no window, no question
};

// Exit statuses.
constexpr int kExitComplete = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInstrumentNotFound = 3;

// `argc` counts the program itself, as main receives it.
StartKind ClassifyStart(int argc);

// Offers the arguments (the program's name left out) to the document as
// file names until one is refused, then hands that one and the rest to the
// switch parser. An argument that begins with "-" is a switch; one that
// begins with "/" is a path. False with the message to show when a switch
// is refused or fewer than two names were given; for a refused switch,
// `refusal` names it and says why, to be shown after the message.
bool TakeConversionArguments(const std::vector<std::string>& arguments, CBrivenDoc& doc, std::string& message,
                             std::string& refusal);

// The single argument of the shell verb. False with the message to show
// when it is not a file name.
bool TakeOpenFileArgument(const std::string& argument, CBrivenDoc& doc, std::string& message);

}  // namespace app
