#include "docking/QVTBmpMenuItemInfo.h"

#include <string>

#include <gtest/gtest.h>

namespace docking {
namespace {

TEST(QVTBmpMenuItemInfoTest, MnemonicLabelAndAccelerator) {
  struct Case {
    const char* text;
    char mnemonic;
    const char* label;
    const char* accelerator;
  } cases[] = {
      {"&Parameters...\tCtrl+P", 'P', "&Parameters...", "Ctrl+P"},
      {"Pr&operties...\tCtrl+O", 'O', "Pr&operties...", "Ctrl+O"},
      {"E&xit", 'X', "E&xit", ""},
      {"No mnemonic", 0, "No mnemonic", ""},
      {"Ends with &", 0, "Ends with &", ""},
      {"Fish && &Chips", 'C', "Fish && &Chips", ""},
      {"", 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(QVTBmpMenuItemInfo::ComputeMnemonic(c.text), c.mnemonic);
    EXPECT_EQ(QVTBmpMenuItemInfo::Label(c.text), c.label);
    EXPECT_EQ(QVTBmpMenuItemInfo::Accelerator(c.text), c.accelerator);
  }
}

class MenuCharTest : public testing::Test {
 protected:
  void SetUp() override {
    menu_ = CreatePopupMenu();
    AppendMenu(menu_, MF_STRING, 101, "&Open...\tCtrl+O");      // 0
    AppendMenu(menu_, MF_SEPARATOR, 0, nullptr);                 // 1
    AppendMenu(menu_, MF_STRING, 102, "&Options");               // 2
    AppendMenu(menu_, MF_STRING, 103, "&Close");                 // 3
    AppendMenu(menu_, MF_STRING, 0xF000, "&Size");               // 4: a system command
    AppendMenu(menu_, MF_STRING, 104, "E&xit");                  // 5
    AppendMenu(menu_, MF_STRING, 105, "&other");                 // 6
    items_ = QVTBmpMenuItems::Collect(menu_);
  }
  void TearDown() override { DestroyMenu(menu_); }
  HMENU menu_ = nullptr;
  QVTBmpMenuItems items_;
};

TEST_F(MenuCharTest, AnswersWithWrapAround) {
  ASSERT_EQ(items_.Items().size(), 5u);  // no separator, no system command
  constexpr LRESULT kExecute = QVTBmpMenuItems::kMenuCharExecute;
  constexpr LRESULT kSelect = QVTBmpMenuItems::kMenuCharSelect;
  struct Case {
    char typed;
    int highlighted;
    LRESULT answer;
  } cases[] = {
      {'o', -1, kSelect + 0},  // nothing highlighted: the first
      {'o', 0, kSelect + 2},
      {'O', 2, kSelect + 6},
      {'o', 6, kSelect + 0},   // wraps round
      {'o', 3, kSelect + 6},   // after a highlighted item that does not match
      {'c', -1, kExecute + 3},  // the only one runs
      {'x', 5, kExecute + 5},
      {'s', -1, 0},             // the system command is not ours
      {'q', -1, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(items_.MenuChar(c.typed, c.highlighted), c.answer) << c.typed << " after " << c.highlighted;
}

TEST_F(MenuCharTest, LongTextsAreReadWhole) {
  const std::string text = std::string(300, 'w') + "&Z\tCtrl+Z";
  AppendMenu(menu_, MF_STRING, 106, text.c_str());
  const QVTBmpMenuItems items = QVTBmpMenuItems::Collect(menu_);
  ASSERT_EQ(items.Items().size(), 6u);
  EXPECT_EQ(items.Items().back().text, text);
  EXPECT_EQ(items.Items().back().mnemonic, 'Z');
  EXPECT_EQ(items.MenuChar('z', -1), QVTBmpMenuItems::kMenuCharExecute + 7);
}

}  // namespace
}  // namespace docking
