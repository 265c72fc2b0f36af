#include "docking/QVTPersistentTreeNode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <numeric>

#include "docking/QVTPTNStrategyProfile.h"
#include "docking/QVTPTNStrategyRegistry.h"
#include "fsutil/QVTRegistry.h"
#include "platform/sys/IniProfileFunctions.h"
#include "tests/support/TempFolder.h"

namespace docking {
namespace {

using StringList = QVTPersistentTreeNode::StringList;

std::vector<BYTE> Bytes(int size) {
  std::vector<BYTE> bytes(static_cast<std::size_t>(size));
  for (int i = 0; i < size; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<BYTE>(i * 37 + 11);
  return bytes;
}

// A root node in a factory of its own, and both stores in a private folder.
class TreeNodeTest : public testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_CONFIG_HOME", folder_.Path().c_str(), 1);
    root_ = factory_.CreateNode("Root", nullptr);
    ASSERT_NE(root_, nullptr);
  }
  // A fresh root of the same name, loaded from the store.
  QVTPersistentTreeNode* Reload(QVTPTNStrategy& store) {
    QVTPersistentTreeNode* copy = reload_factory_.CreateNode("Root", nullptr);
    EXPECT_TRUE(copy->LoadFrom(&store));
    return copy;
  }
  StringList SectionKeys(const std::string& section) {
    StringList keys;
    profile_.ReadKeyNames(section, keys);
    return keys;
  }

  testsupport::TempFolder folder_;
  QVTPTNFactory factory_;
  QVTPTNFactory reload_factory_;
  QVTPersistentTreeNode* root_ = nullptr;
  QVTPTNStrategyProfile profile_{folder_.Path("tree.ini")};
  QVTPTNStrategyRegistry registry_{"Software\\Briven\\Tree", sys::HKEY_CURRENT_USER};
};

TEST(TreeNodeBinaryText, EachByteIsTwoLettersLowNibbleFirst) {
  const BYTE bytes[] = {0x00, 0x5F, 0xFF};
  EXPECT_EQ(QVTPersistentTreeNode::EncodeBinary(bytes, 3), "AAPFPP");
  std::vector<BYTE> decoded;
  EXPECT_TRUE(QVTPersistentTreeNode::DecodeBinary("AAPFPP", decoded));
  EXPECT_EQ(decoded, std::vector<BYTE>(bytes, bytes + 3));
  // Text no encoding gives is refused rather than turned into bytes.
  for (const char* bad : {"A", "AQ", "a1"}) EXPECT_FALSE(QVTPersistentTreeNode::DecodeBinary(bad, decoded)) << bad;
}

TEST_F(TreeNodeTest, BinaryValuesSplitIntoPiecesAbove125Bytes) {
  struct Case {
    int size;
    bool split;
    int pieces;
  } cases[] = {{0, false, 0}, {1, false, 0}, {125, false, 0}, {126, true, 2}, {251, true, 3}, {1000, true, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    const std::vector<BYTE> bytes = Bytes(c.size);
    ASSERT_EQ(root_->SetBinaryValue("Data", bytes.data(), c.size, TRUE), 0u);
    EXPECT_EQ(root_->HasKey("Data"), !c.split);
    int count = 0;
    EXPECT_EQ(root_->GetIntValue("Data_BinCount", count, 0), c.split ? 0u : 0x40u);
    EXPECT_EQ(count, c.pieces);
    std::vector<BYTE> back;
    EXPECT_EQ(root_->GetBinaryValue("Data", back), 0u);
    EXPECT_EQ(back, bytes);
    // In both stores.
    for (QVTPTNStrategy* store : std::initializer_list<QVTPTNStrategy*>{&profile_, &registry_}) {
      ASSERT_TRUE(root_->SaveTo(store));
      QVTPTNFactory factory;
      QVTPersistentTreeNode* copy = factory.CreateNode("Root", nullptr);
      ASSERT_TRUE(copy->LoadFrom(store));
      EXPECT_EQ(copy->GetBinaryValue("Data", back), 0u);
      EXPECT_EQ(back, bytes);
    }
  }
}

// The pieces of the longer value must not outlive it: they would be read
// in preference to the shorter one.
TEST_F(TreeNodeTest, BinaryValueWrittenLongThenShortReadsBackShort) {
  const std::vector<BYTE> long_value = Bytes(1000), short_value = Bytes(3);
  ASSERT_EQ(root_->SetBinaryValue("Data", long_value.data(), 1000, TRUE), 0u);
  ASSERT_EQ(root_->SetBinaryValue("Data", short_value.data(), 3, TRUE), 0u);
  EXPECT_EQ(root_->GetPairs().size(), 1u);
  ASSERT_TRUE(root_->SaveTo(&profile_));
  std::vector<BYTE> back;
  EXPECT_EQ(Reload(profile_)->GetBinaryValue("Data", back), 0u);
  EXPECT_EQ(back, short_value);
  EXPECT_EQ(SectionKeys("Root"), StringList({"Data"}));
}

TEST_F(TreeNodeTest, ResultCodes) {
  QVTPersistentTreeNode* loose = factory_.CreateNode();
  const BYTE byte = 1;
  EXPECT_EQ(loose->SetStringValue("", "v", TRUE), 0x2u | 0x8u);
  EXPECT_EQ(loose->AddChild(root_), 0x2u);
  EXPECT_EQ(root_->Create("Again", nullptr), 0x1u);
  EXPECT_EQ(factory_.CreateNode()->Create("", nullptr), 0x4u);
  EXPECT_EQ(root_->AddChild(nullptr), 0x4u);
  EXPECT_EQ(root_->SetStringValue("Key", "one", TRUE), 0u);
  EXPECT_EQ(root_->SetStringValue("Key", "two", FALSE), 0x10u);
  EXPECT_EQ(root_->RemoveKey("Missing"), 0x40u);
  EXPECT_EQ(root_->SetBinaryValue("Bin", nullptr, 1, TRUE), 0x80u);
  EXPECT_EQ(root_->SetBinaryValue("Bin", &byte, -1, TRUE), 0x100u);
  std::string value;
  EXPECT_EQ(root_->GetStringValue("Missing", value, "fallback"), 0x40u);
  EXPECT_EQ(value, "fallback");
  EXPECT_EQ(root_->GetStringValue("Key", value, ""), 0u);
  EXPECT_EQ(value, "one");
}

TEST_F(TreeNodeTest, BoolTextsAndNumbers) {
  struct Case {
    const char* text;
    BOOL expected;
  } cases[] = {{"true", TRUE}, {"TRUE", TRUE}, {"True", TRUE}, {"1", FALSE}, {"yes", FALSE}, {"", FALSE}};
  for (const Case& c : cases) {
    root_->SetStringValue("Flag", c.text, TRUE);
    BOOL value = 7;
    EXPECT_EQ(root_->GetBoolValue("Flag", value, TRUE), 0u);
    EXPECT_EQ(value, c.expected) << c.text;
  }
  root_->SetBoolValue("Flag", FALSE, TRUE);
  std::string text;
  root_->GetStringValue("Flag", text, "");
  EXPECT_EQ(text, "False");
  root_->SetIntValue("Number", -42, TRUE);
  long number = 0;
  EXPECT_EQ(root_->GetLongValue("Number", number, 0), 0u);
  EXPECT_EQ(number, -42);
}

TEST_F(TreeNodeTest, DuplicateChildIsRefusedAndTheFirstKept) {
  QVTPersistentTreeNode* first = root_->GetFactory().CreateNode("Child", root_);
  ASSERT_NE(first, nullptr);
  QVTPersistentTreeNode* second = root_->GetFactory().CreateNode();
  EXPECT_EQ(second->Create("Child", root_), 0x20u);
  EXPECT_EQ(root_->GetChildren(), std::vector<QVTPersistentTreeNode*>({first}));
  EXPECT_EQ(root_->GetFactory().CreateNode("Child", root_), nullptr);
}

// The exact sections and keys of the profile form, pairs and children in order.
TEST_F(TreeNodeTest, ProfileGoldenKeySetsAndRoundTrip) {
  root_->SetStringValue("Zeta", "z", TRUE);
  root_->SetStringValue("Alpha", "a", TRUE);
  QVTPersistentTreeNode* bars = root_->GetFactory().CreateNode("Bars", root_);
  root_->GetFactory().CreateNode("Menu", root_);
  bars->SetIntValue("Count", 2, TRUE);
  bars->GetFactory().CreateNode("Bar0", bars)->SetStringValue("Title", "Main", TRUE);
  ASSERT_TRUE(root_->SaveTo(&profile_));
  EXPECT_EQ(SectionKeys("Root"), StringList({"Zeta", "Alpha", "ptn_Child1", "ptn_Child2"}));
  EXPECT_EQ(SectionKeys("Root.Bars"), StringList({"Count", "ptn_Child1"}));
  EXPECT_EQ(SectionKeys("Root.Bars.Bar0"), StringList({"Title"}));
  EXPECT_FALSE(profile_.ReadKeyNames("Root.Menu", *std::make_unique<StringList>()));

  QVTPersistentTreeNode* copy = Reload(profile_);
  EXPECT_EQ(copy->GetPairs(), root_->GetPairs());
  EXPECT_EQ(copy->GetChildNames(), StringList({"Bars", "Menu"}));
  std::string title;
  EXPECT_EQ(copy->FindChild("Bars")->FindChild("Bar0")->GetStringValue("Title", title, ""), 0u);
  EXPECT_EQ(title, "Main");
}

TEST_F(TreeNodeTest, ProfileChildKeyWithGapIsStillAChild) {
  const std::string file = profile_.GetFile();
  ASSERT_TRUE(sys::WritePrivateProfileStringA("Root", "ptn_Child3", "Only", file.c_str()));
  ASSERT_TRUE(sys::WritePrivateProfileStringA("Root.Only", "Key", "v", file.c_str()));
  EXPECT_EQ(Reload(profile_)->GetChildNames(), StringList({"Only"}));
}

// Long values and key lists are read whole, never cut.
TEST_F(TreeNodeTest, ProfileReadsLongValuesAndLongKeyListsWhole) {
  const std::string long_value(3000, 'x');
  root_->SetStringValue("Long", long_value, TRUE);
  StringList expected_keys = {"Long"};
  for (int i = 0; i < 400; ++i) {
    const std::string key = "AKeyNameOfSomeLength" + std::to_string(i);
    root_->SetIntValue(key, i, TRUE);
    expected_keys.push_back(key);
  }
  ASSERT_TRUE(root_->SaveTo(&profile_));
  const StringList keys = SectionKeys("Root");
  EXPECT_GT(std::accumulate(keys.begin(), keys.end(), std::size_t{0},
                            [](std::size_t sum, const std::string& key) { return sum + key.size() + 1; }),
            8192u);
  EXPECT_EQ(keys, expected_keys);
  QVTPersistentTreeNode* copy = Reload(profile_);
  EXPECT_EQ(copy->GetPairs(), root_->GetPairs());
}

// Every save reports what happened: the first, a repeated one, and one
// whose children's keys the parent's delete has already removed.
TEST_F(TreeNodeTest, RegistrySaveSucceedsFirstTimeAndWithChildren) {
  root_->SetStringValue("Key", "v", TRUE);
  QVTPersistentTreeNode* child = root_->GetFactory().CreateNode("Child", root_);
  child->SetStringValue("Inner", "w", TRUE);
  child->GetFactory().CreateNode("Grandchild", child)->SetBoolValue("Set", TRUE, TRUE);
  EXPECT_TRUE(root_->SaveTo(&registry_));
  EXPECT_TRUE(root_->SaveTo(&registry_));
  child->RemoveKey("Inner");
  EXPECT_TRUE(root_->SaveTo(&registry_));

  QVTPersistentTreeNode* copy = Reload(registry_);
  EXPECT_EQ(copy->GetPairs(), root_->GetPairs());
  ASSERT_NE(copy->FindChild("Child"), nullptr);
  EXPECT_TRUE(copy->FindChild("Child")->GetPairs().empty());  // the removed value is gone from the store
  BOOL set = FALSE;
  EXPECT_EQ(copy->FindChild("Child")->FindChild("Grandchild")->GetBoolValue("Set", set, FALSE), 0u);
  EXPECT_TRUE(set);
  EXPECT_EQ(registry_.ComposePath({"Child", "Root"}), "Software\\Briven\\Tree\\Root\\Child\\");
}

// A child made by another factory is owned by that factory alone; whichever
// goes first, no list is left pointing at a destroyed node.
TEST_F(TreeNodeTest, ChildrenOfAnOutsideFactoryAreOwnedOnce) {
  {
    QVTPTNFactory outside;
    QVTPersistentTreeNode* child = outside.CreateNode("Outside", root_);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(root_->FindChild("Outside"), child);
  }
  EXPECT_TRUE(root_->GetChildren().empty());

  QVTPTNFactory outside;
  QVTPersistentTreeNode* survivor = nullptr;
  {
    QVTPTNFactory parents;
    QVTPersistentTreeNode* parent = parents.CreateNode("Parent", nullptr);
    survivor = outside.CreateNode("Survivor", parent);
    ASSERT_EQ(survivor->GetParent(), parent);
  }
  EXPECT_EQ(survivor->GetParent(), nullptr);
  EXPECT_EQ(survivor->GetPath(), StringList({"Survivor"}));
}

}  // namespace
}  // namespace docking
