#include "platform/sys/Format.h"

#include <clocale>
#include <cstdio>
#include <locale.h>

namespace sys {
namespace {

// Switches the calling thread to the C locale for the duration of one call.
class CLocaleScope {
 public:
  CLocaleScope() : previous_(uselocale(CLocale())) {}
  ~CLocaleScope() { uselocale(previous_); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  static locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
  }
  locale_t previous_;
};

}  // namespace

void AppendFormatV(std::string& out, const char* format, va_list args) {
  CLocaleScope c_locale;
  char stack[256];
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(stack, sizeof stack, format, copy);
  va_end(copy);
  if (needed <= 0) return;
  if (static_cast<size_t>(needed) < sizeof stack) {
    out.append(stack, static_cast<size_t>(needed));
    return;
  }
  const size_t old_size = out.size();
  out.resize(old_size + static_cast<size_t>(needed) + 1);
  std::vsnprintf(out.data() + old_size, static_cast<size_t>(needed) + 1, format, args);
  out.resize(old_size + static_cast<size_t>(needed));
}

std::string FormatV(const char* format, va_list args) {
  std::string out;
  AppendFormatV(out, format, args);
  return out;
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string out = FormatV(format, args);
  va_end(args);
  return out;
}

void AppendFormat(std::string& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  AppendFormatV(out, format, args);
  va_end(args);
}

}  // namespace sys
