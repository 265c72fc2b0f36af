// QVTToolBar: a control bar whose window is the common-control toolbar.
// The control keeps the buttons, their images and texts and draws them;
// the bar adds the framework's docking, borders and layout: it wraps the
// buttons into rows for the width or height it is offered, remembers the
// size for each orientation, and updates the buttons through command UI.
//
// A button's style word is the control's state byte shifted left 16 plus
// its style byte, with the enabled bit turned round so that
// QVT_TBBS_DISABLED means disabled.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "docking/QVTControlBar.h"
#include "platform/afx/ToolBarCtrl.h"

namespace docking {

constexpr UINT QVT_TBBS_BUTTON = 0x0000;
constexpr UINT QVT_TBBS_SEPARATOR = 0x0001;
constexpr UINT QVT_TBBS_CHECKBOX = 0x0002;
constexpr UINT QVT_TBBS_GROUP = 0x0004;
constexpr UINT QVT_TBBS_CHECKED = 0x00010000;
constexpr UINT QVT_TBBS_PRESSED = 0x00020000;
constexpr UINT QVT_TBBS_DISABLED = 0x00040000;
constexpr UINT QVT_TBBS_HIDDEN = 0x00080000;
constexpr UINT QVT_TBBS_INDETERMINATE = 0x00100000;
constexpr UINT QVT_TBBS_WRAPPED = 0x00200000;

class QVTToolBar : public QVTControlBar {
  DECLARE_DYNCREATE(QVTToolBar)
 public:
  QVTToolBar();
  ~QVTToolBar() override;

  // The control-bar form, with the bar's current borders.
  BOOL Create(afx::CWnd* parent, const char* window_name, DWORD style, DWORD ex_style, UINT id) override;
  // With the control's own style, and the borders given (the framework's
  // sizable-frame extended style then).
  BOOL CreateEx(afx::CWnd* parent, DWORD control_style, DWORD style, const RECT& borders, UINT id);

  void SetSizes(SIZE button, SIZE image);
  // Places the buttons in a bar `cy` high: what is left above and below
  // them is shared between the top and bottom borders.
  void SetHeight(int cy);
  BOOL LoadToolBar(UINT resource);
  BOOL LoadBitmap(UINT resource);
  BOOL SetBitmap(ui::HBITMAP bitmap);
  // One button per id with the next image, 0 for a separator; without ids,
  // `count` empty separators.
  BOOL SetButtons(const UINT* ids, int count);

  int GetCount() const;
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  void GetItemRect(int index, RECT* rect);
  void GetButtonInfo(int index, UINT& id, UINT& style, int& image) const;
  void SetButtonInfo(int index, UINT id, UINT style, int image);
  UINT GetButtonStyle(int index) const;
  void SetButtonStyle(int index, UINT style);
  BOOL SetButtonText(int index, const char* text);
  std::string GetButtonText(int index) const;
  afx::CToolBarCtrl& GetToolBarCtrl() const;

  SIZE CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  SIZE CalcDynamicLayout(int length, DWORD mode) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override;
  ui::INT_PTR OnToolHitTest(POINT client) const override;
  void OnBarStyleChange(DWORD old_style, DWORD new_style) override;

  // The common controls' version (major << 16 | minor) and the width of a
  // drop-down arrow, both read once for the process.
  static DWORD CommonControlsVersion();
  static int DropDownArrowWidth();

  BOOL IsLayoutDirty() const { return m_bDelayedButtonLayout; }
  SIZE GetButtonSize() const { return m_sizeButton; }
  SIZE GetImageSize() const { return m_sizeImage; }
  int TopBorder() const { return m_cyTopBorder; }
  int BottomBorder() const { return m_cyBottomBorder; }

  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  void OnWindowPosChanging(ui::WINDOWPOS* pos);

 protected:
  BOOL CreateToolBar(afx::CWnd* parent, const char* window_name, DWORD control_style, DWORD style, DWORD ex_style,
                     UINT id);
  // Deletes and inserts the button again with the record given, the
  // window hidden meanwhile; repaints the button alone when it stays the
  // same kind (and a separator the same width), else the whole bar.
  void ReplaceButton(int index, const ui::TBBUTTON& button);
  ui::TBBUTTON ReadButton(int index) const;
  // Wraps the buttons at `width` (0x7FFF: one row; 0: one button a row);
  // the rows' size without the borders.
  SIZE WrapAndMeasure(std::vector<ui::TBBUTTON>& buttons, int width) const;
  int WrapButtons(std::vector<ui::TBBUTTON>& buttons, int width) const;
  SIZE MeasureButtons(const std::vector<ui::TBBUTTON>& buttons) const;
  int ButtonWidth(const ui::TBBUTTON& button) const;
  // The narrowest wrap width whose height is at most `height`, and the
  // narrowest that keeps the number of rows that `width` gives.
  int WidthForHeight(std::vector<ui::TBBUTTON>& buttons, int height) const;
  int WidthForRows(std::vector<ui::TBBUTTON>& buttons, int width) const;
  SIZE CalcLayout(int length, DWORD mode);
  void CommitWrap(const std::vector<ui::TBBUTTON>& buttons);
  SIZE BorderSize(bool horizontal) const;
  // Runs the current message with the flat and transparent styles set
  // meanwhile, as the newer controls measure with them.
  LRESULT WithFlatStyles();

  LRESULT OnNcCreateMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnNcHitTestMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnNcCalcSizeMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnNcPaintMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnPaintMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnSetButtonSizeMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnSetBitmapSizeMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnStyleSensitiveMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnSysColorChangeMessage(ui::WPARAM wParam, ui::LPARAM lParam);

  UINT m_nResourceID = 0;  // the bitmap resource, loaded again when the colours change
  ui::HBITMAP m_hbmImageWell = nullptr;
  BOOL m_bDelayedButtonLayout = TRUE;
  SIZE m_sizeImage{16, 15};
  SIZE m_sizeButton{23, 22};
  std::unique_ptr<std::map<std::string, int>> m_pStringMap;
  BOOL m_bStaleHorz = TRUE;
  BOOL m_bStaleVert = TRUE;
  BOOL m_bStaleFloat = TRUE;

 private:
  // A view on this bar's own window for the control's typed messages; it
  // never owns the window.
  mutable afx::CToolBarCtrl m_control;

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking
