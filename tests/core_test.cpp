#include "framework/core/Object.h"
#include "framework/core/String.h"

#include <gtest/gtest.h>

namespace {

class CBranchA : public CObject {
public:
    ~CBranchA() override {}
    DECLARE_RUNTIME_CLASS(CBranchA)
};
IMPLEMENT_RUNTIME_CLASS(CBranchA, CObject)

class CLeafA : public CBranchA {
public:
    ~CLeafA() override {}
    DECLARE_RUNTIME_CLASS(CLeafA)
};
IMPLEMENT_RUNTIME_CLASS(CLeafA, CBranchA)

class CBranchB : public CObject {
public:
    ~CBranchB() override {}
    DECLARE_RUNTIME_CLASS(CBranchB)
};
IMPLEMENT_RUNTIME_CLASS(CBranchB, CObject)

}  // namespace

TEST(RuntimeClass, KindFollowsTheDerivationChainOnly)
{
    const CLeafA leaf;
    const CBranchA branch;
    EXPECT_TRUE(leaf.IsKindOf(RUNTIME_CLASS(CLeafA)));
    EXPECT_TRUE(leaf.IsKindOf(RUNTIME_CLASS(CBranchA)));
    EXPECT_TRUE(leaf.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(leaf.IsKindOf(RUNTIME_CLASS(CBranchB)));
    EXPECT_FALSE(branch.IsKindOf(RUNTIME_CLASS(CLeafA)));  // a base is not its derived class
    EXPECT_FALSE(leaf.IsKindOf(nullptr));
}

TEST(RuntimeClass, EveryObjectAnswersThroughItsVirtualRecord)
{
    const CLeafA leaf;
    const CObject& asObject = leaf;
    EXPECT_EQ(asObject.GetRuntimeClass(), RUNTIME_CLASS(CLeafA));
    EXPECT_EQ(RUNTIME_CLASS(CLeafA)->m_pBaseClass, RUNTIME_CLASS(CBranchA));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
    const CString text("x");
    EXPECT_TRUE(text.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(text.IsKindOf(RUNTIME_CLASS(CBranchA)));
}

namespace {

// Global objects of other units (the application object, the menus) are built during
// start-up too, in no promised order; the class records must already be usable then.
// The priority makes this one run before every ordinary initialiser.
struct StartupQuery {
    bool baseLinked = false;
    bool stringIsObject = false;
    StartupQuery()
    {
        baseLinked = RUNTIME_CLASS(CString)->m_pBaseClass == RUNTIME_CLASS(CObject);
        const CString text("x");
        // Never a virtual call on a record that is not built yet: that would crash.
        stringIsObject = baseLinked && text.IsKindOf(RUNTIME_CLASS(CObject));
    }
};
__attribute__((init_priority(101))) const StartupQuery g_startupQuery;

}  // namespace

TEST(RuntimeClass, RecordsAreReadyBeforeAnyStartupCode)
{
    EXPECT_TRUE(g_startupQuery.baseLinked);
    EXPECT_TRUE(g_startupQuery.stringIsObject);
}
