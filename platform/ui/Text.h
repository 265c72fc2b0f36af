// Text on a device context with the selected font (Pango through a private
// font map at 96 dpi, loaded on first use so that runs that never draw
// never load a font).
#pragma once

#include <string>

#include "platform/ui/GdiTypes.h"

namespace ui {

// DrawText flags.
constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

// Draws `text` (`count` bytes; -1: up to the terminator) in `rect` and
// returns its height; with DT_CALCRECT draws nothing and sets the right
// and bottom of `rect` to the text's extent. "&" marks the next character
// as the mnemonic (underlined); "&&" is a literal "&".
int DrawText(HDC hdc, const char* text, int count, RECT* rect, UINT format);
BOOL TextOut(HDC hdc, int x, int y, const char* text, int count);
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, const char* text, int count,
                const int* dx);
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

BOOL GetTextExtentPoint32(HDC hdc, const char* text, int count, SIZE* size);
BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* metrics);
int GetTextFace(HDC hdc, int size, char* face);

// Text alignment for TextOut.
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
UINT SetTextAlign(HDC hdc, UINT align);

// The dialog font's average character width and height (6 x 13): the
// units dialog templates are laid out in.
LONG GetDialogBaseUnits();

}  // namespace ui
