// Whether the interactive program has an X display to show itself on,
// found out before anything of the GUI toolkit is loaded: Xlib is opened
// at run time, so the unattended program neither links nor loads it.
//
// The probe's connection stays open until the toolkit has its own: a
// server that resets when its last client leaves could otherwise go away
// between the two.
#pragma once

#include <string>

namespace sys {

class DisplayProbe {
 public:
  enum class Result { kOpened, kNoDisplayVariable, kCannotOpen };

  DisplayProbe() = default;
  ~DisplayProbe();
  DisplayProbe(const DisplayProbe&) = delete;
  DisplayProbe& operator=(const DisplayProbe&) = delete;

  // Opens the display DISPLAY names, and keeps it open.
  Result Open();
  bool IsOpen() const { return display_ != nullptr; }
  void Close();

  // The user's message for a result other than kOpened.
  static std::string Message(Result result);

 private:
  void* xlib_ = nullptr;
  void* display_ = nullptr;
  int (*close_display_)(void*) = nullptr;
};

}  // namespace sys
