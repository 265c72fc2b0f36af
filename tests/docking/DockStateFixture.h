// What the layout tests share: a toolbar-like extension record (a title
// and button records, as a customisable toolbar keeps), a manager that
// makes it for the toolbar and menu bar type ids, a sample layout with
// every kind of record, and a memory profile installed for the test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "docking/QVTDockState.h"
#include "platform/sys/Profile.h"

namespace docking::test {

struct ButtonRecord {
  DWORD id = 0;
  std::vector<BYTE> extra;
  friend bool operator==(const ButtonRecord&, const ButtonRecord&) = default;
};

class TestToolBarInfoEx : public QVTControlBarInfoEx {
 public:
  void Serialize(CArchive& ar, QVTDockState* state) override;
  BOOL LoadState(const std::string& section, QVTDockState* state) override;
  BOOL SaveState(const std::string& section) override;

  std::string title;
  std::vector<ButtonRecord> buttons;
};

class TestManager : public QVTControlBarInfoExFactory {
 public:
  std::unique_ptr<QVTControlBarInfoEx> CreateBarInfoEx(QVTControlBarInfo* info) override;
};

// The extension of a record, or null.
TestToolBarInfoEx* ToolBarExtension(const QVTControlBarInfo& info);

// A layout with: a toolbar docked at (-1, -1) with its title and buttons,
// a hidden status bar, a bar with its last docking remembered, a floating
// dock bar, a top dock bar with a placeholder, an empty left dock bar
// (never written) and a bar floating in an MDI child.
void FillSample(QVTDockState& state, QVTControlBarInfoExFactory* manager);

// Bytes from a text of hex pairs; '#' starts a comment to the line's end.
std::vector<BYTE> ReadHexFixture(const std::string& name);

class DockStateTest : public testing::Test {
 protected:
  void SetUp() override { sys::SetAppProfile(&profile_); }
  void TearDown() override { sys::SetAppProfile(nullptr); }
  sys::MemoryProfile profile_;
  TestManager manager_;
};

}  // namespace docking::test
