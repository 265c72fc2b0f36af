// Resources as C++ data: dialog templates, string tables, menus and
// accelerator tables are registered by id (the application's equivalent
// of a resource script) and read through the calls the framework uses.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Types.h"

namespace ui {

// Menu item flags.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;

struct MenuItemTemplate {
  UINT id = 0;
  std::string text;
  UINT flags = MF_STRING;
  std::vector<MenuItemTemplate> popup;  // the items of an MF_POPUP entry
};

// Accelerator flags.
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
  BYTE fVirt = 0;
  WORD key = 0;
  WORD cmd = 0;
};

// Registration replaces an earlier resource of the same id.
void RegisterDialogResource(UINT id, DialogTemplate dialog);
void RegisterStringResource(UINT id, std::string text);
void RegisterMenuResource(UINT id, std::vector<MenuItemTemplate> items);
void RegisterAcceleratorResource(UINT id, std::vector<ACCEL> table);

// Null when the resource does not exist; the pointers stay valid.
const DialogTemplate* FindDialogResource(UINT id);
const std::vector<MenuItemTemplate>* FindMenuResource(UINT id);
bool LoadStringResource(UINT id, std::string& out);
// Copies at most size - 1 characters; 0 when the string does not exist.
int LoadString(UINT id, char* buffer, int size);

HACCEL LoadAccelerators(UINT id);
// A key message that matches the table becomes WM_COMMAND (high word 1)
// sent to `hwnd`; returns nonzero when it did.
int TranslateAccelerator(HWND hwnd, HACCEL accel, const MSG* msg);

}  // namespace ui
