#include <gtest/gtest.h>

#include <memory>

#include "platform/afx/Document.h"
#include "platform/afx/FrameWnd.h"

namespace afx::test {

class CTestShape : public CObject {
  DECLARE_DYNAMIC(CTestShape)
};
IMPLEMENT_DYNAMIC(CTestShape, CObject)

class CTestCircle : public CTestShape {
  DECLARE_DYNCREATE(CTestCircle)
};
IMPLEMENT_DYNCREATE(CTestCircle, CTestShape)

namespace {

TEST(RuntimeClassTest, CreatableClassesAreMadeByNameAndKnowTheirKind) {
  std::unique_ptr<CObject> made(CRuntimeClass::CreateObject("CTestCircle"));
  ASSERT_TRUE(made);
  EXPECT_EQ(made->GetRuntimeClass(), RUNTIME_CLASS(CTestCircle));
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CTestShape)));
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_STREQ(RUNTIME_CLASS(CTestCircle)->m_lpszClassName, "CTestCircle");
}

TEST(RuntimeClassTest, UnknownAndAbstractClassesMakeNothing) {
  EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchClass"), nullptr);
  EXPECT_EQ(CRuntimeClass::CreateObject("CTestShape"), nullptr);  // dynamic only
  EXPECT_EQ(RUNTIME_CLASS(CTestShape)->CreateObject(), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("CFrameWnd"), RUNTIME_CLASS(CFrameWnd));
  EXPECT_TRUE(RUNTIME_CLASS(CFrameWnd)->IsDerivedFrom(RUNTIME_CLASS(CCmdTarget)));
  EXPECT_FALSE(RUNTIME_CLASS(CDocument)->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
}

}  // namespace
}  // namespace afx::test
