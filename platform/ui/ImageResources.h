// Image resources as C++ data: bitmaps (DIB bytes, as a resource file
// holds them), icons, cursors and toolbar resources, registered by id
// beside the dialogs and menus of Resources.h and read through the calls
// the framework uses.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/ui/GdiTypes.h"

namespace ui {

// A bitmap resource: a BITMAPINFOHEADER, its colour table and the pixel
// rows, exactly as stored. Registration copies the bytes.
void RegisterBitmapResource(UINT id, std::vector<BYTE> dib);
// The stored bytes, or null; the pointer stays valid.
const std::vector<BYTE>* FindBitmapResource(UINT id);
// A colour bitmap made from the resource; null when it is missing or damaged.
HBITMAP LoadBitmap(UINT id);

// The colour table of a DIB resource: at most biClrUsed entries (all the
// bit count allows when it is 0), none for more than 8 bits per pixel.
// False when the header or the table runs past the end of the bytes.
bool ReadColorTable(const BYTE* dib, std::size_t size, std::vector<RGBQUAD>& table);

// A bitmap resource with its colour table remapped: each table entry
// equal to a `from` colour takes the first matching `to` colour (toolbar
// images take the current system colours this way). The table is read as
// ReadColorTable reads it; a bitmap of more than 8 bits per pixel has no
// table and loads unmapped. Null when the resource is missing or damaged.
struct COLORMAP {
  COLORREF from = 0;
  COLORREF to = 0;
};
HBITMAP CreateMappedBitmap(UINT id, const COLORMAP* maps, int count);

// Toolbar resources: version 1, image width and height, and the command
// id of each image (0 for a separator).
struct ToolbarResource {
  WORD version = 1;
  WORD width = 16;
  WORD height = 15;
  std::vector<WORD> items;
};
void RegisterToolbarResource(UINT id, ToolbarResource toolbar);
const ToolbarResource* FindToolbarResource(UINT id);

// Icons and cursors: drawings of their own, made on first use.
void RegisterIconResource(UINT id, HICON icon);
HICON LoadIcon(UINT id);  // the application's icons, or the system icons below
constexpr UINT IDI_APPLICATION = 32512;
constexpr UINT IDI_WINLOGO = 32517;
// The message-box icons, 32 by 32.
constexpr UINT IDI_HAND = 32513;
constexpr UINT IDI_QUESTION = 32514;
constexpr UINT IDI_EXCLAMATION = 32515;
constexpr UINT IDI_ASTERISK = 32516;

constexpr UINT IDC_ARROW = 32512;
constexpr UINT IDC_IBEAM = 32513;
constexpr UINT IDC_WAIT = 32514;
constexpr UINT IDC_CROSS = 32515;
constexpr UINT IDC_SIZENWSE = 32642;
constexpr UINT IDC_SIZENESW = 32643;
constexpr UINT IDC_SIZEWE = 32644;
constexpr UINT IDC_SIZENS = 32645;
constexpr UINT IDC_SIZEALL = 32646;
constexpr UINT IDC_NO = 32648;
// The system cursors above, or a cursor registered by the application
// (the splitter cursors); null when neither.
HCURSOR LoadCursor(UINT id);
void RegisterCursorResource(UINT id, HCURSOR cursor);

}  // namespace ui
