#include "core/telemetry/TelemetryDocLogLines.h"

#include "platform/sys/Time.h"

namespace telemetry {

namespace {

constexpr const char kLineEnd[] = "\r\n";

bool EndsWithLineEnd(const std::string& text) {
  return text.size() >= 2 && text.compare(text.size() - 2, 2, kLineEnd) == 0;
}

}  // namespace

std::string CurrentLogStamp() { return sys::CTime::GetCurrentTime().Format("%Y-%m-%d  %H:%M:%S> "); }

void StampLogLines(const std::string& text, const std::string& stamp, std::string& out) {
  out.clear();
  out.reserve(text.size() + stamp.size() * 2);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(kLineEnd, start);
    const bool complete = end != std::string::npos;
    end = complete ? end + 2 : text.size();
    const bool continuation = text[start] == '\t';
    const bool empty = complete && end - start == 2;
    if (!continuation && !empty) out += stamp;
    out.append(text, start, end - start);
    if (!complete) out += kLineEnd;
    start = end;
  }
}

std::string WithFinalLineEnd(const std::string& text) {
  if (text.empty() || EndsWithLineEnd(text)) return text;
  return text + kLineEnd;
}

}  // namespace telemetry
