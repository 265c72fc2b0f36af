#include "platform/sys/DisplayProbe.h"

#include <dlfcn.h>

#include <cstdlib>

namespace sys {

namespace {

const char* DisplayVariable() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && *display != '\0' ? display : nullptr;
}

}  // namespace

DisplayProbe::~DisplayProbe() { Close(); }

DisplayProbe::Result DisplayProbe::Open() {
  Close();
  if (DisplayVariable() == nullptr) return Result::kNoDisplayVariable;
  xlib_ = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
  if (xlib_ == nullptr) return Result::kCannotOpen;
  auto open_display = reinterpret_cast<void* (*)(const char*)>(::dlsym(xlib_, "XOpenDisplay"));
  close_display_ = reinterpret_cast<int (*)(void*)>(::dlsym(xlib_, "XCloseDisplay"));
  if (open_display != nullptr && close_display_ != nullptr) display_ = open_display(nullptr);
  if (display_ == nullptr) {
    Close();
    return Result::kCannotOpen;
  }
  return Result::kOpened;
}

void DisplayProbe::Close() {
  if (display_ != nullptr) close_display_(display_);
  display_ = nullptr;
  // Xlib stays loaded: the toolkit uses the same library, and unloading it
  // under its feet would gain nothing.
  xlib_ = nullptr;
}

std::string DisplayProbe::Message(Result result) {
  if (result == Result::kNoDisplayVariable)
    return "No display: the interactive program needs an X display, and DISPLAY is not set.";
  const char* display = DisplayVariable();
  return std::string("No display: the interactive program needs an X display, and the display DISPLAY names (\"") +
         (display ? display : "") + "\") cannot be opened.";
}

}  // namespace sys
