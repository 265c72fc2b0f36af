// The extra state a customisable toolbar keeps in a saved layout: its
// title and its buttons in order (command id, 0 for a separator, and the
// extra bytes the button class chooses to keep). Three forms: the archive
// inside the bar record, the bar record's profile section ("Title" and the
// binary "Buttons"), and a "ToolBarInfoEx" child of a settings-tree node.
#pragma once

#include <string>
#include <vector>

#include "docking/QVTControlBarInfoEx.h"

namespace docking {

class QVTPTNFactory;
class QVTPersistentTreeNode;

struct QVTBtnInfo {
  DWORD id = 0;             // 0 for a separator
  std::vector<BYTE> extra;  // at most 255 bytes
  friend bool operator==(const QVTBtnInfo&, const QVTBtnInfo&) = default;
};

class QVTCustomToolBarInfoEx : public QVTControlBarInfoEx {
  DECLARE_DYNCREATE(QVTCustomToolBarInfoEx)

 public:
  static constexpr const char* kNodeName = "ToolBarInfoEx";
  static constexpr std::size_t kMaxExtra = 255;

  void Serialize(afx::CArchive& ar, QVTDockState* state) override;
  BOOL LoadState(const std::string& section, QVTDockState* state) override;
  BOOL SaveState(const std::string& section) override;
  BOOL LoadFromNode(QVTPersistentTreeNode* node) override;
  // Into the parent's "ToolBarInfoEx" child, made by the factory (the
  // parent's own when null) or reused when an earlier save left one.
  BOOL SaveToNode(QVTPTNFactory* factory, QVTPersistentTreeNode* parent) override;

  // Records back to back: DWORD id (little-endian), BYTE n, n bytes.
  static std::vector<BYTE> PackButtons(const std::vector<QVTBtnInfo>& buttons);
  // Whole records only: a record cut short at the end is dropped.
  static std::vector<QVTBtnInfo> UnpackButtons(const std::vector<BYTE>& packed);

  std::string title;
  std::vector<QVTBtnInfo> buttons;
};

}  // namespace docking
