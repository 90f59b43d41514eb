#include "framework/core/Object.h"
#include "framework/core/PathText.h"
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

// Names between UTF-16 and the code page, and paths made full or quoted.

TEST(NameConversion, OnlyExactNamesPassAndShortNamesStandIn)
{
    CString text;
    EXPECT_TRUE(ExactAnsiName(L"\u8868\u793a.txt", text));  // 表示.txt
    EXPECT_STREQ(text.GetString(), "表示.txt");
    EXPECT_FALSE(ExactAnsiName(L"caf\u00e9.txt", text));
    EXPECT_STRNE(text.GetString(), "cafe.txt") << "never the best-fit look-alike";
    EXPECT_FALSE(ExactAnsiName(L"x\U0001F600", text));
    EXPECT_FALSE(ExactAnsiName(L"\u00e9", text));

    WIN32_FIND_DATAW entry = {};
    lstrcpyW(entry.cFileName, L"Gr\u00f6\u00dfe.txt");
    lstrcpyW(entry.cAlternateFileName, L"GRE~1.TXT");
    EXPECT_TRUE(ListedName(entry, text));
    EXPECT_STREQ(text.GetString(), "GRE~1.TXT");
    entry.cAlternateFileName[0] = L'\0';
    EXPECT_FALSE(ListedName(entry, text));
    EXPECT_STRNE(text.GetString(), "Grose.txt");
    lstrcpyW(entry.cFileName, L"\u30bd\u30d5\u30c8");  // ソフト needs no short name
    EXPECT_TRUE(ListedName(entry, text));
    EXPECT_STREQ(text.GetString(), "ソフト");
}

// Made full, a relative path of double-byte names can pass MAX_PATH in the code page while
// it still fits in UTF-16: it is refused, never cut to another folder's name.
TEST(NameConversion, ARelativePathTooLongWhenMadeFullIsRefusedNotCut)
{
    std::string relative;
    for (int i = 0; i < 150; ++i)
        relative += "日";
    EXPECT_STREQ(FullPath("C:\\windows", relative.c_str()).GetString(), "");
    EXPECT_STREQ(FullPath("C:\\windows", "日").GetString(), "C:\\windows\\日");
}

TEST(QuotedArgumentText, DoublesOnlyRealSeparatorsBeforeTheQuote)
{
    EXPECT_STREQ(QuotedArgument("C:\\a b\\c.txt").GetString(), "\"C:\\a b\\c.txt\"");
    EXPECT_STREQ(QuotedArgument("C:\\").GetString(), "\"C:\\\\\"");
    EXPECT_STREQ(QuotedArgument("C:\\x\\\\").GetString(), "\"C:\\x\\\\\\\\\"");
    EXPECT_STREQ(QuotedArgument("C:\\表").GetString(), "\"C:\\表\"");
    EXPECT_STREQ(QuotedArgument("C:\\ソ\\十").GetString(), "\"C:\\ソ\\十\"");
    EXPECT_STREQ(QuotedArgument("").GetString(), "\"\"");
}
