// The conversion log's line form: every line is stamped with the local time
// except lines that continue the previous one (they begin with a tab) and
// empty lines, so a message and its indented details read as one entry.
#pragma once

#include <string>

namespace telemetry {

// The stamp every log entry begins with, "%Y-%m-%d  %H:%M:%S> ".
std::string CurrentLogStamp();

// Rewrites text into out line by line (a line ends with CR LF). A last line
// without CR LF is kept and given one, so no logged text is lost.
void StampLogLines(const std::string& text, const std::string& stamp, std::string& out);

// Text with a CR LF added when it does not already end in one (empty text
// stays empty).
std::string WithFinalLineEnd(const std::string& text);

}  // namespace telemetry
