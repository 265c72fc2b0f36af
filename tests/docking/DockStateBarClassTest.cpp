#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "docking/QVTDockState.h"

namespace docking::test {

// A bar hierarchy of its own, so the check does not depend on which real
// bar classes the program has.
class CLayoutTestBarBase : public CObject {
  DECLARE_DYNAMIC(CLayoutTestBarBase)
};
IMPLEMENT_DYNAMIC(CLayoutTestBarBase, CObject)

class CLayoutTestToolBar : public CLayoutTestBarBase {
  DECLARE_DYNCREATE(CLayoutTestToolBar)
};
IMPLEMENT_DYNCREATE(CLayoutTestToolBar, CLayoutTestBarBase)

class CLayoutTestAbstractBar : public CLayoutTestBarBase {
  DECLARE_DYNAMIC(CLayoutTestAbstractBar)
};
IMPLEMENT_DYNAMIC(CLayoutTestAbstractBar, CLayoutTestBarBase)

class CLayoutTestNotABar : public CObject {
  DECLARE_DYNCREATE(CLayoutTestNotABar)
};
IMPLEMENT_DYNCREATE(CLayoutTestNotABar, CObject)

namespace {

TEST(DockStateBarClassTest, OnlyCreatableBarClassesAreMadeFromAStoredName) {
  std::vector<std::unique_ptr<CObject>> created;
  QVTDockState state;
  state.SetBarBaseClass(RUNTIME_CLASS(CLayoutTestBarBase));
  state.SetObjectList(&created);
  const struct {
    const char* name;
    bool made;
  } cases[] = {
      {"CLayoutTestToolBar", true},
      {"CLayoutTestNotABar", false},      // registered and creatable, but not a bar
      {"QVTDockState", false},            // the layout's own class
      {"CLayoutTestAbstractBar", false},  // a bar that cannot be created
      {"CLayoutTestBarBase", false},
      {"CNoSuchBar", false},
      {"", false},
      {"clayouttesttoolbar", false},      // names match exactly
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QVTControlBarInfo info;
    info.m_strClassName = c.name;
    EXPECT_EQ(state.FindRuntimeClass(c.name) != nullptr, c.made);
    const std::size_t before = created.size();
    CObject* made = state.CreateBarObject(info);
    EXPECT_EQ(made != nullptr, c.made);
    EXPECT_EQ(created.size(), before + (c.made ? 1 : 0));
    if (made) {
      EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CLayoutTestToolBar)));
    }
  }
}

TEST(DockStateBarClassTest, WithoutABarBaseOrOwnerNothingIsMade) {
  std::vector<std::unique_ptr<CObject>> created;
  QVTControlBarInfo info;
  info.m_strClassName = "CLayoutTestToolBar";
  QVTDockState no_base;
  no_base.SetObjectList(&created);
  EXPECT_EQ(no_base.FindRuntimeClass(info.m_strClassName), nullptr);
  EXPECT_EQ(no_base.CreateBarObject(info), nullptr);
  QVTDockState no_owner;
  no_owner.SetBarBaseClass(RUNTIME_CLASS(CLayoutTestBarBase));
  EXPECT_NE(no_owner.FindRuntimeClass(info.m_strClassName), nullptr);
  EXPECT_EQ(no_owner.CreateBarObject(info), nullptr);
  EXPECT_TRUE(created.empty());
}

}  // namespace
}  // namespace docking::test
