// QVTStatusBar: the framework's status bar. Its panes each have an id, a
// width, a style and a text; the first pane stretches and shows the
// message line. The bar draws its parts itself: sunken panes along its
// width, their texts, and a size grip when its frame can be resized. A pane
// text that has not changed is not passed on again, and a text set while
// updates are held is passed on with the next update of all panes.
#pragma once

#include <string>
#include <vector>

#include "docking/QVTControlBar.h"
#include "docking/QVTStatusPaneLayout.h"
#include "platform/afx/CmdUI.h"

namespace docking {

constexpr DWORD SBARS_SIZEGRIP = 0x0100;
constexpr UINT SB_SETMINHEIGHT = 0x0400 + 8;

class QVTStatusBar : public QVTControlBar {
  DECLARE_DYNCREATE(QVTStatusBar)
 public:
  QVTStatusBar();

  BOOL Create(afx::CWnd* parent, DWORD style = ui::WS_CHILD | ui::WS_VISIBLE | afx::CBRS_BOTTOM,
              UINT id = afx::AFX_IDW_STATUS_BAR);
  BOOL CreateEx(afx::CWnd* parent, DWORD control_style, DWORD style, UINT id);

  BOOL SetIndicators(const UINT* ids, int count);
  int GetCount() const { return static_cast<int>(m_panes.size()); }
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  UINT GetPaneStyle(int index) const;
  void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
  void SetPaneInfo(int index, UINT id, UINT style, int width);
  void SetPaneStyle(int index, UINT style);
  BOOL SetPaneWidth(int index, int width);
  void GetItemRect(int index, RECT* rect) const;
  std::string GetPaneText(int index) const;
  // With `update` the text is shown now, else at the next UpdateAllPanes.
  BOOL SetPaneText(int index, const char* text, BOOL update = TRUE);
  void UpdateAllPanes(BOOL update_rects, BOOL update_texts);

  SIZE CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override;
  void DoPaint(CDC* dc) override;

  // What the parts show: their right edges, their texts, and how many
  // times a part's text was passed on.
  const std::vector<int>& PartEdges() const { return m_partEdges; }
  const std::string& PartText(int index) const { return m_partTexts.at(static_cast<std::size_t>(index)); }
  int TextsPassedOn() const { return m_nTextsPassedOn; }
  bool HasSizeGrip() const { return (m_dwControlStyle & SBARS_SIZEGRIP) != 0; }
  ui::RECT GripRect() const;

  int m_nMinHeight = 0;

  void OnSize(UINT kind, int cx, int cy);

 protected:
  struct Pane {
    UINT id = 0;
    int width = 0;
    UINT style = 0;
    bool changed = false;
    std::string text;
  };
  // The control's side of a text: shown in its part.
  void PassTextOn(int index);
  ui::HFONT BarFont() const;
  QVTStatusPaneLayout::Metrics ControlMetrics() const;
  LRESULT OnSetTextMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnGetTextMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnGetTextLengthMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnNcHitTestMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnNcLButtonDownMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnSetMinHeight(ui::WPARAM wParam, ui::LPARAM lParam);

  std::vector<Pane> m_panes;
  std::vector<int> m_partEdges;
  std::vector<std::string> m_partTexts;
  std::vector<UINT> m_partStyles;
  int m_nTextsPassedOn = 0;
  DWORD m_dwControlStyle = 0;

  DECLARE_MESSAGE_MAP()
};

// The command update of one pane.
class QVTStatusCmdUI : public afx::CCmdUI {
 public:
  QVTStatusBar* m_pStatusBar = nullptr;
  void Enable(BOOL on = TRUE) override;
  void SetCheck(int check = 1) override;
  void SetText(const std::string& text) override;
};

}  // namespace docking
