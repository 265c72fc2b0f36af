#include "docking/QVTCustomToolBarInfoEx.h"

#include <gtest/gtest.h>

#include "docking/QVTPersistentTreeNode.h"
#include "tests/docking/DockStateFixture.h"

namespace docking {
namespace {

using Buttons = std::vector<QVTBtnInfo>;
using CustomToolBarStateTest = test::DockStateTest;

TEST(CustomToolBarButtons, PackAndUnpack) {
  struct Case {
    const char* name;
    Buttons buttons;
    std::size_t packed_size;
  } cases[] = {
      {"empty", {}, 0},
      {"separator", {{0, {}}}, 5},
      {"extra of 255", {{0x8001, std::vector<BYTE>(255, 7)}, {0, {}}}, 265},
  };
  for (const Case& c : cases) {
    const std::vector<BYTE> packed = QVTCustomToolBarInfoEx::PackButtons(c.buttons);
    EXPECT_EQ(packed.size(), c.packed_size) << c.name;
    EXPECT_EQ(QVTCustomToolBarInfoEx::UnpackButtons(packed), c.buttons) << c.name;
  }
  // A buffer cut inside its second record keeps the first whole one.
  std::vector<BYTE> cut = QVTCustomToolBarInfoEx::PackButtons({{0xE100, {1, 2}}, {0xE101, {3, 4, 5}}});
  cut.resize(cut.size() - 1);
  EXPECT_EQ(QVTCustomToolBarInfoEx::UnpackButtons(cut), Buttons({{0xE100, {1, 2}}}));
}

TEST_F(CustomToolBarStateTest, ThreeFormsGiveEqualRecords) {
  QVTCustomToolBarInfoEx saved;
  saved.title = "Convert";
  saved.buttons = {{0xE100, {}}, {0, {}}, {0x8002, {9, 8, 7}}};

  std::vector<BYTE> bytes;
  {
    CArchive ar(bytes, CArchive::store);
    saved.Serialize(ar, nullptr);
  }
  QVTCustomToolBarInfoEx from_archive;
  {
    CArchive ar(bytes, CArchive::load);
    from_archive.Serialize(ar, nullptr);
  }

  ASSERT_TRUE(saved.SaveState("Bar0"));
  QVTCustomToolBarInfoEx from_profile;
  ASSERT_TRUE(from_profile.LoadState("Bar0", nullptr));

  QVTPTNFactory factory;
  QVTPersistentTreeNode* root = factory.CreateNode("Layout", nullptr);
  ASSERT_TRUE(saved.SaveToNode(nullptr, root));
  // A second save into the same tree reuses its node.
  ASSERT_TRUE(saved.SaveToNode(nullptr, root));
  QVTCustomToolBarInfoEx from_tree;
  ASSERT_TRUE(from_tree.LoadFromNode(root));

  for (const QVTCustomToolBarInfoEx* loaded : {&from_archive, &from_profile, &from_tree}) {
    EXPECT_EQ(loaded->title, saved.title);
    EXPECT_EQ(loaded->buttons, saved.buttons);
  }
  QVTCustomToolBarInfoEx none;
  EXPECT_FALSE(none.LoadFromNode(nullptr));
  EXPECT_FALSE(none.LoadFromNode(factory.CreateNode("Empty", nullptr)));
}

TEST_F(CustomToolBarStateTest, EmptyTitleIsNotWritten) {
  QVTCustomToolBarInfoEx saved;
  ASSERT_TRUE(saved.SaveState("Bar1"));
  EXPECT_EQ(profile_.GetString("Bar1", "Title", "absent"), "absent");
  QVTCustomToolBarInfoEx loaded;
  loaded.buttons = {{1, {}}};
  ASSERT_TRUE(loaded.LoadState("Bar1", nullptr));
  EXPECT_TRUE(loaded.title.empty());
  EXPECT_TRUE(loaded.buttons.empty());
}

}  // namespace
}  // namespace docking
