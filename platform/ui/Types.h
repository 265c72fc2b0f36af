// The window system's basic types, with the sizes and meanings of the
// Win32 interface that the framework and the application are written to.
// Handles are opaque values: they are looked up, never dereferenced.
#pragma once

#include <cstdint>

#include "platform/sys/Types.h"

namespace ui {

using sys::BYTE;
using sys::DWORD;
using sys::LONG;
using sys::UINT;
using sys::WORD;

using BOOL = int;
using WPARAM = std::uint64_t;
using LPARAM = std::int64_t;
using LRESULT = std::int64_t;
using UINT_PTR = std::uint64_t;
using LONG_PTR = std::int64_t;
using INT_PTR = std::int64_t;
using COLORREF = DWORD;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct HWND__;
using HWND = HWND__*;
struct HMENU__;
using HMENU = HMENU__*;
struct HFONT__;
using HFONT = HFONT__*;
struct HACCEL__;
using HACCEL = HACCEL__*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

struct POINT {
  LONG x = 0;
  LONG y = 0;
  friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
  friend bool operator==(const SIZE&, const SIZE&) = default;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
  friend bool operator==(const RECT&, const RECT&) = default;
};

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HMENU hMenu = nullptr;  // the control id for child windows
  HWND hwndParent = nullptr;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  const char* lpszName = nullptr;
  const char* lpszClass = nullptr;
  DWORD dwExStyle = 0;
};

constexpr WORD LOWORD(std::uint64_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uint64_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(unsigned low, unsigned high) {
  return static_cast<WPARAM>((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}
constexpr LPARAM MAKELPARAM(unsigned low, unsigned high) {
  return static_cast<LPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr LRESULT MAKELRESULT(unsigned low, unsigned high) { return MAKELPARAM(low, high); }
// Signed coordinates packed into an LPARAM, as mouse messages carry them.
constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<short>(l & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<short>((l >> 16) & 0xFFFF); }
constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

}  // namespace ui
