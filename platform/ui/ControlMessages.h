// Styles, messages, notification codes and results of the standard
// controls (static, button, edit, list box, combo box), with their Win32 values.
#pragma once

#include "platform/ui/GdiTypes.h"
#include "platform/ui/Types.h"

namespace ui {

// Dialog and message-box command ids.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDHELP = 9;

// Static.
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_ICON = 0x0003;
constexpr DWORD SS_BLACKRECT = 0x0004;
constexpr DWORD SS_GRAYRECT = 0x0005;
constexpr DWORD SS_WHITERECT = 0x0006;
constexpr DWORD SS_BLACKFRAME = 0x0007;
constexpr DWORD SS_GRAYFRAME = 0x0008;
constexpr DWORD SS_WHITEFRAME = 0x0009;
constexpr DWORD SS_SIMPLE = 0x000B;
constexpr DWORD SS_LEFTNOWORDWRAP = 0x000C;
constexpr DWORD SS_BITMAP = 0x000E;
constexpr DWORD SS_ETCHEDHORZ = 0x0010;
constexpr DWORD SS_ETCHEDVERT = 0x0011;
constexpr DWORD SS_ETCHEDFRAME = 0x0012;
constexpr DWORD SS_TYPEMASK = 0x001F;
constexpr DWORD SS_NOPREFIX = 0x0080;
constexpr DWORD SS_NOTIFY = 0x0100;
constexpr DWORD SS_CENTERIMAGE = 0x0200;
constexpr DWORD SS_SUNKEN = 0x1000;
constexpr UINT STM_SETICON = 0x0170;
constexpr UINT STM_GETICON = 0x0171;
constexpr UINT STM_SETIMAGE = 0x0172;
constexpr UINT STM_GETIMAGE = 0x0173;
constexpr UINT STN_CLICKED = 0;
constexpr UINT STN_DBLCLK = 1;

// Button.
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_TYPEMASK = 0x000F;
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_SETSTYLE = 0x00F4;
constexpr UINT BM_CLICK = 0x00F5;
constexpr WPARAM BST_UNCHECKED = 0;
constexpr WPARAM BST_CHECKED = 1;
constexpr WPARAM BST_INDETERMINATE = 2;
constexpr WPARAM BST_PUSHED = 4;
constexpr WPARAM BST_FOCUS = 8;
constexpr UINT BN_CLICKED = 0;
constexpr UINT BN_DOUBLECLICKED = 5;

// Edit.
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_SCROLL = 0x00B5;
constexpr UINT EM_LINESCROLL = 0x00B6;
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_LINEINDEX = 0x00BB;
constexpr UINT EM_LINELENGTH = 0x00C1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_GETLINE = 0x00C4;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_LINEFROMCHAR = 0x00C9;
constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT EN_UPDATE = 0x0400;
constexpr UINT EN_MAXTEXT = 0x0501;

// Combo box.
constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_TYPEMASK = 0x0003;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;
constexpr UINT CB_GETEDITSEL = 0x0140;
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_SETEDITSEL = 0x0142;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_GETITEMHEIGHT = 0x0154;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr LRESULT CB_OKAY = 0;
constexpr LRESULT CB_ERR = -1;
constexpr LRESULT CB_ERRSPACE = -2;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_DBLCLK = 2;
constexpr UINT CBN_SETFOCUS = 3;
constexpr UINT CBN_KILLFOCUS = 4;
constexpr UINT CBN_EDITCHANGE = 5;
constexpr UINT CBN_EDITUPDATE = 6;
constexpr UINT CBN_DROPDOWN = 7;
constexpr UINT CBN_CLOSEUP = 8;
constexpr UINT CBN_SELENDOK = 9;
constexpr UINT CBN_SELENDCANCEL = 10;

// List box.
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_NOREDRAW = 0x0004;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD LBS_USETABSTOPS = 0x0080;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD LBS_WANTKEYBOARDINPUT = 0x0400;
constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
constexpr DWORD LBS_DISABLENOSCROLL = 0x1000;
constexpr DWORD LBS_STANDARD = 0x00A00003;
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_GETHORIZONTALEXTENT = 0x0193;
constexpr UINT LB_SETHORIZONTALEXTENT = 0x0194;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_SELECTSTRING = 0x018C;
constexpr UINT LB_GETTOPINDEX = 0x018E;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_GETSELCOUNT = 0x0190;
constexpr UINT LB_GETSELITEMS = 0x0191;
constexpr UINT LB_SETTOPINDEX = 0x0197;
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_SELITEMRANGE = 0x019B;
constexpr UINT LB_SETCARETINDEX = 0x019E;
constexpr UINT LB_GETCARETINDEX = 0x019F;
constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
constexpr UINT LB_INITSTORAGE = 0x01A8;
constexpr LRESULT LB_OKAY = 0;
constexpr LRESULT LB_ERR = -1;
constexpr LRESULT LB_ERRSPACE = -2;
constexpr UINT LBN_ERRSPACE = static_cast<UINT>(-2);
constexpr UINT LBN_SELCHANGE = 1;
constexpr UINT LBN_DBLCLK = 2;
constexpr UINT LBN_SELCANCEL = 3;
constexpr UINT LBN_SETFOCUS = 4;
constexpr UINT LBN_KILLFOCUS = 5;

// Progress bar ("msctls_progress32").
constexpr UINT PBM_SETRANGE = 0x0401;
constexpr UINT PBM_SETPOS = 0x0402;
constexpr UINT PBM_DELTAPOS = 0x0403;
constexpr UINT PBM_SETSTEP = 0x0404;
constexpr UINT PBM_STEPIT = 0x0405;
constexpr UINT PBM_SETRANGE32 = 0x0406;
constexpr UINT PBM_GETRANGE = 0x0407;
constexpr UINT PBM_GETPOS = 0x0408;
constexpr DWORD PBS_SMOOTH = 0x01;
constexpr DWORD PBS_VERTICAL = 0x04;
struct PBRANGE {
  int iLow = 0;
  int iHigh = 0;
};

// WM_GETDLGCODE answers.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;
constexpr LRESULT DLGC_STATIC = 0x0100;
constexpr LRESULT DLGC_BUTTON = 0x2000;

// Dialog manager messages.
constexpr UINT DM_GETDEFID = 0x0400;
constexpr UINT DM_SETDEFID = 0x0401;
constexpr LRESULT DC_HASDEFID = 0x534B;


// Owner-drawn items (WM_MEASUREITEM, WM_DRAWITEM): menus, lists, combos,
// buttons and status-bar parts the owner paints itself.
constexpr UINT ODT_MENU = 1;
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODT_STATIC = 5;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_GRAYED = 0x0002;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_CHECKED = 0x0008;
constexpr UINT ODS_FOCUS = 0x0010;
constexpr UINT ODS_DEFAULT = 0x0020;
constexpr UINT ODS_HOTLIGHT = 0x0040;
constexpr UINT ODS_NOACCEL = 0x0100;

struct DELETEITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  HWND hwndItem = nullptr;
  UINT_PTR itemData = 0;
};

struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;
  UINT itemHeight = 0;
  UINT_PTR itemData = 0;
};

struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = nullptr;
  HDC hDC = nullptr;
  RECT rcItem{};
  UINT_PTR itemData = 0;
};

// Status bar ("msctls_statusbar32"): parts with right edges (-1: to the
// right end), a text or an owner-drawn item in each, a sizing grip.
constexpr DWORD SBARS_SIZEGRIP = 0x0100;
constexpr DWORD CCS_TOP = 0x0001;
constexpr DWORD CCS_NOMOVEY = 0x0002;
constexpr DWORD CCS_BOTTOM = 0x0003;
constexpr DWORD CCS_NORESIZE = 0x0004;
constexpr DWORD CCS_NOPARENTALIGN = 0x0008;
constexpr DWORD CCS_NODIVIDER = 0x0040;
constexpr UINT SB_SETTEXT = 0x0400 + 1;
constexpr UINT SB_GETTEXT = 0x0400 + 2;
constexpr UINT SB_GETTEXTLENGTH = 0x0400 + 3;
constexpr UINT SB_SETPARTS = 0x0400 + 4;
constexpr UINT SB_GETPARTS = 0x0400 + 6;
constexpr UINT SB_GETBORDERS = 0x0400 + 7;
constexpr UINT SB_SETMINHEIGHT = 0x0400 + 8;
constexpr UINT SB_SIMPLE = 0x0400 + 9;
constexpr UINT SB_GETRECT = 0x0400 + 10;
constexpr UINT SB_ISSIMPLE = 0x0400 + 14;
// SB_SETTEXT's wParam: the part (SB_SIMPLEID for the simple mode's) and its drawing.
constexpr UINT SB_SIMPLEID = 0x00FF;
constexpr UINT SBT_NOBORDERS = 0x0100;
constexpr UINT SBT_POPOUT = 0x0200;
constexpr UINT SBT_RTLREADING = 0x0400;
constexpr UINT SBT_OWNERDRAW = 0x1000;

// Toolbar ("ToolbarWindow32"): a row of buttons, or several rows where a
// button carries TBSTATE_WRAP, each showing an image of the bitmaps added
// to the control and, when it has one, a text of the control's strings.
// A click sends WM_COMMAND with the button's id to the control's parent
// (or the window TB_SETPARENT names).
constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
constexpr DWORD TBSTYLE_WRAPABLE = 0x0200;
constexpr DWORD TBSTYLE_ALTDRAG = 0x0400;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_LIST = 0x1000;
constexpr DWORD TBSTYLE_TRANSPARENT = 0x8000;
// Button styles (TBBUTTON::fsStyle).
constexpr BYTE TBSTYLE_BUTTON = 0x00;
constexpr BYTE TBSTYLE_SEP = 0x01;
constexpr BYTE TBSTYLE_CHECK = 0x02;
constexpr BYTE TBSTYLE_GROUP = 0x04;
constexpr BYTE TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;
constexpr BYTE TBSTYLE_DROPDOWN = 0x08;
// Button states (TBBUTTON::fsState).
constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_PRESSED = 0x02;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTATE_HIDDEN = 0x08;
constexpr BYTE TBSTATE_INDETERMINATE = 0x10;
constexpr BYTE TBSTATE_WRAP = 0x20;
constexpr UINT TB_ENABLEBUTTON = 0x0400 + 1;
constexpr UINT TB_CHECKBUTTON = 0x0400 + 2;
constexpr UINT TB_PRESSBUTTON = 0x0400 + 3;
constexpr UINT TB_HIDEBUTTON = 0x0400 + 4;
constexpr UINT TB_ISBUTTONENABLED = 0x0400 + 9;
constexpr UINT TB_ISBUTTONCHECKED = 0x0400 + 10;
constexpr UINT TB_SETSTATE = 0x0400 + 17;
constexpr UINT TB_GETSTATE = 0x0400 + 18;
constexpr UINT TB_ADDBITMAP = 0x0400 + 19;
constexpr UINT TB_ADDBUTTONS = 0x0400 + 20;
constexpr UINT TB_INSERTBUTTON = 0x0400 + 21;
constexpr UINT TB_DELETEBUTTON = 0x0400 + 22;
constexpr UINT TB_GETBUTTON = 0x0400 + 23;
constexpr UINT TB_BUTTONCOUNT = 0x0400 + 24;
constexpr UINT TB_COMMANDTOINDEX = 0x0400 + 25;
constexpr UINT TB_ADDSTRING = 0x0400 + 28;
constexpr UINT TB_GETITEMRECT = 0x0400 + 29;
constexpr UINT TB_BUTTONSTRUCTSIZE = 0x0400 + 30;
constexpr UINT TB_SETBUTTONSIZE = 0x0400 + 31;
constexpr UINT TB_SETBITMAPSIZE = 0x0400 + 32;
constexpr UINT TB_AUTOSIZE = 0x0400 + 33;
constexpr UINT TB_SETPARENT = 0x0400 + 37;
constexpr UINT TB_GETBUTTONTEXT = 0x0400 + 45;
constexpr UINT TB_REPLACEBITMAP = 0x0400 + 46;
constexpr UINT TB_GETRECT = 0x0400 + 51;
constexpr UINT TB_SETSTYLE = 0x0400 + 56;
constexpr UINT TB_GETSTYLE = 0x0400 + 57;
constexpr UINT TB_GETBUTTONSIZE = 0x0400 + 58;
// A button record. Typed for this platform: TB_BUTTONSTRUCTSIZE takes
// sizeof(TBBUTTON) (the 32-bit record's 20 bytes do not apply here).
struct TBBUTTON {
  int iBitmap = 0;     // image index; a separator's width (0: the default width)
  int idCommand = 0;
  BYTE fsState = 0;
  BYTE fsStyle = 0;
  BYTE bReserved[2] = {0, 0};
  UINT_PTR dwData = 0;
  INT_PTR iString = -1;  // index of the control's string, -1 for none
};
// TB_ADDBITMAP: with a null hInst, nID is an HBITMAP that stays the
// caller's; otherwise nID is a bitmap resource id, loaded and owned by
// the control.
struct TBADDBITMAP {
  const void* hInst = nullptr;
  UINT_PTR nID = 0;
};
// TB_REPLACEBITMAP: the bitmap added as (hInstOld, nIDOld) gives way to
// (hInstNew, nIDNew), which holds nButtons images.
struct TBREPLACEBITMAP {
  const void* hInstOld = nullptr;
  UINT_PTR nIDOld = 0;
  const void* hInstNew = nullptr;
  UINT_PTR nIDNew = 0;
  int nButtons = 0;
};
// The common controls' version as (major << 16 | minor): the toolbar and
// rebar here behave as those of version 4.71 (flat toolbars, rebars).
constexpr DWORD kCommonControlsVersion = (4u << 16) | 71u;

// Rebar ("ReBarWindow32"): bands in rows, each with a gripper, a text and
// a child window the rebar places inside it.
constexpr DWORD RBS_TOOLTIPS = 0x0100;
constexpr DWORD RBS_VARHEIGHT = 0x0200;
constexpr DWORD RBS_BANDBORDERS = 0x0400;
constexpr DWORD RBS_FIXEDORDER = 0x0800;
constexpr UINT RBBS_BREAK = 0x0001;
constexpr UINT RBBS_FIXEDSIZE = 0x0002;
constexpr UINT RBBS_CHILDEDGE = 0x0004;
constexpr UINT RBBS_HIDDEN = 0x0008;
constexpr UINT RBBS_NOVERT = 0x0010;
constexpr UINT RBBS_FIXEDBMP = 0x0020;
constexpr UINT RBBS_VARIABLEHEIGHT = 0x0040;
constexpr UINT RBBS_GRIPPERALWAYS = 0x0080;
constexpr UINT RBBS_NOGRIPPER = 0x0100;
constexpr UINT RBBIM_STYLE = 0x0001;
constexpr UINT RBBIM_COLORS = 0x0002;
constexpr UINT RBBIM_TEXT = 0x0004;
constexpr UINT RBBIM_IMAGE = 0x0008;
constexpr UINT RBBIM_CHILD = 0x0010;
constexpr UINT RBBIM_CHILDSIZE = 0x0020;
constexpr UINT RBBIM_SIZE = 0x0040;
constexpr UINT RBBIM_BACKGROUND = 0x0080;
constexpr UINT RBBIM_ID = 0x0100;
constexpr UINT RBBIM_IDEALSIZE = 0x0200;
constexpr UINT RBBIM_LPARAM = 0x0400;
constexpr UINT RBBIM_HEADERSIZE = 0x0800;
constexpr UINT RB_INSERTBAND = 0x0400 + 1;
constexpr UINT RB_DELETEBAND = 0x0400 + 2;
constexpr UINT RB_SETBANDINFO = 0x0400 + 6;
constexpr UINT RB_SETPARENT = 0x0400 + 7;
constexpr UINT RB_GETRECT = 0x0400 + 9;
constexpr UINT RB_GETBANDCOUNT = 0x0400 + 12;
constexpr UINT RB_GETROWCOUNT = 0x0400 + 13;
constexpr UINT RB_GETROWHEIGHT = 0x0400 + 14;
constexpr UINT RB_GETBARHEIGHT = 0x0400 + 27;
constexpr UINT RB_GETBANDINFO = 0x0400 + 29;
// A band's record; fMask says which members a message reads or fills.
struct REBARBANDINFO {
  UINT cbSize = sizeof(REBARBANDINFO);
  UINT fMask = 0;
  UINT fStyle = 0;
  COLORREF clrFore = 0;
  COLORREF clrBack = 0;
  char* lpText = nullptr;  // RB_GETBANDINFO copies at most cch bytes here
  UINT cch = 0;
  int iImage = -1;
  HWND hwndChild = nullptr;
  UINT cxMinChild = 0;
  UINT cyMinChild = 0;
  UINT cx = 0;
  HBITMAP hbmBack = nullptr;
  UINT wID = 0;
  UINT cyChild = 0;
  UINT cyMaxChild = 0;
  UINT cyIntegral = 0;
  UINT cxIdeal = 0;
  LPARAM lParam = 0;
  UINT cxHeader = 0;
};

}  // namespace ui
