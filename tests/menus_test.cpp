#include "framework/menus/Menu.h"

#include <gtest/gtest.h>
#include <string>
#include <type_traits>
#include <vector>

static_assert(!std::is_copy_constructible_v<CMenu> && !std::is_copy_assignable_v<CMenu>,
              "a copy would name the same handle as the original");

namespace {

struct ItemRecord {
    UINT id;
    UINT type;
    std::string text;
    bool operator==(const ItemRecord& o) const
    {
        return id == o.id && type == o.type && text == o.text;
    }
};

std::ostream& operator<<(std::ostream& out, const ItemRecord& r)
{
    out << "{id " << r.id << ", type 0x" << std::hex << r.type << std::dec << ", bytes";
    for (unsigned char c : r.text)
        out << ' ' << std::hex << static_cast<int>(c) << std::dec;
    return out << '}';
}

// Reads an item straight from the system, not through the wrapper under test.
ItemRecord ReadItem(HMENU menu, UINT position)
{
    char text[128] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    if (!GetMenuItemInfoA(menu, position, TRUE, &info))
        return {~0u, ~0u, "<missing>"};
    return {info.wID, info.fType, text};
}

std::vector<ItemRecord> ReadAll(HMENU menu)
{
    std::vector<ItemRecord> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        items.push_back(ReadItem(menu, i));
    return items;
}

UINT StateOf(HMENU menu, UINT item, BOOL byPosition)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    GetMenuItemInfoA(menu, item, byPosition, &info);
    return info.fState;
}

class MenuTest : public testing::Test {
protected:
    void TearDown() override
    {
        // The wrapper never destroys its menus, so the tests clean up after it.
        for (HMENU m : m_owned)
            DestroyMenu(m);
    }
    HMENU Own(HMENU m)
    {
        m_owned.push_back(m);
        return m;
    }
    std::vector<HMENU> m_owned;
};

}  // namespace

TEST_F(MenuTest, ItemsBuiltOneByOneReadBackWithIdsAndShiftJisTexts)
{
    CMenu file;
    Own(file.GetHandle());
    ASSERT_TRUE(IsMenu(file.GetHandle()));
    EXPECT_EQ(GetMenuItemCount(file.GetHandle()), 0);

    EXPECT_TRUE(file.InsertItem(0, "開く(&O)", 1100));
    EXPECT_TRUE(file.InsertItem(1, "ヘルプ表示", 1101));
    EXPECT_TRUE(file.InsertItem(2, nullptr, 0));
    EXPECT_TRUE(file.InsertItem(3, "終了 (&X)", 1102));

    const std::vector<ItemRecord> expected{
        {1100, MFT_STRING, "\x8a\x4a\x82\xad(&O)"},
        {1101, MFT_STRING, "\x83\x77\x83\x8b\x83\x76\x95\x5c\x8e\xa6"},  // 表 ends in 0x5C
        {0, MFT_SEPARATOR, ""},
        {1102, MFT_STRING, "\x8f\x49\x97\xb9 (&X)"},
    };
    EXPECT_EQ(ReadAll(file.GetHandle()), expected);
}

TEST_F(MenuTest, SeparatorGoesBetweenExistingItemsWithoutReadingText)
{
    CMenu menu;
    Own(menu.GetHandle());
    menu.InsertItem(0, "一", 1);
    menu.InsertItem(1, "二", 2);
    menu.InsertItem(2, "三", 3);
    // A bogus text pointer proves the separator path never touches it.
    EXPECT_TRUE(menu.InsertItem(2, reinterpret_cast<const char*>(1), 0));
    EXPECT_TRUE(menu.InsertItem(99, "末尾", 4));  // past the end appends

    std::vector<UINT> ids, types;
    for (const ItemRecord& r : ReadAll(menu.GetHandle())) {
        ids.push_back(r.id);
        types.push_back(r.type);
    }
    EXPECT_EQ(ids, (std::vector<UINT>{1, 2, 0, 3, 4}));
    EXPECT_EQ(types, (std::vector<UINT>{MFT_STRING, MFT_STRING, MFT_SEPARATOR, MFT_STRING,
                                        MFT_STRING}));
}

TEST_F(MenuTest, PopupsHangTheirDropDownsOnTheBar)
{
    CMenu bar, file, view;
    Own(bar.GetHandle());  // destroying the bar takes the drop-downs with it
    EXPECT_TRUE(bar.InsertPopup(0, "ファイル(&F)", file.GetHandle()));
    EXPECT_TRUE(bar.InsertPopup(1, "表示(&V)", view.GetHandle()));

    EXPECT_EQ(GetSubMenu(bar.GetHandle(), 0), file.GetHandle());
    EXPECT_EQ(GetSubMenu(bar.GetHandle(), 1), view.GetHandle());
    EXPECT_EQ(ReadItem(bar.GetHandle(), 0).text, "\x83\x74\x83\x40\x83\x43\x83\x8b(&F)");
    EXPECT_EQ(ReadItem(bar.GetHandle(), 1).text, "\x95\x5c\x8e\xa6(&V)");
}

TEST_F(MenuTest, SetCheckReEnablesAGreyedItemAndClearsDefault)
{
    CMenu menu;
    Own(menu.GetHandle());
    menu.InsertItem(0, "隠しファイルを表示", 1300);
    menu.InsertItem(1, "システムファイルを表示", 1301);
    menu.EnableMenuItem(0, MF_BYPOSITION | MF_GRAYED);
    SetMenuDefaultItem(menu.GetHandle(), 0, TRUE);

    EXPECT_TRUE(menu.SetCheck(0, TRUE));
    EXPECT_EQ(StateOf(menu.GetHandle(), 0, TRUE), static_cast<UINT>(MFS_CHECKED));

    menu.EnableMenuItem(0, MF_BYPOSITION | MF_GRAYED);
    EXPECT_TRUE(menu.SetCheck(0, FALSE));
    EXPECT_EQ(StateOf(menu.GetHandle(), 0, TRUE), 0u);
    EXPECT_EQ(StateOf(menu.GetHandle(), 1, TRUE), 0u);  // the neighbour is untouched
}

TEST_F(MenuTest, SetItemTextByCommandKeepsCheckAndGreyedState)
{
    CMenu menu;
    Own(menu.GetHandle());
    menu.InsertItem(0, "ランチャー1", 1500);
    menu.InsertItem(1, "ランチャー2", 1501);
    menu.SetCheck(1, TRUE);
    menu.EnableMenuItem(1501, MF_BYCOMMAND | MF_GRAYED);
    const UINT before = StateOf(menu.GetHandle(), 1, TRUE);
    ASSERT_EQ(before, static_cast<UINT>(MFS_CHECKED | MF_GRAYED));

    EXPECT_TRUE(menu.SetItemText(1501, FALSE, "メモ帳"));

    EXPECT_EQ(ReadItem(menu.GetHandle(), 1), (ItemRecord{1501, MFT_STRING, "\x83\x81\x83\x82\x92\xa0"}));
    EXPECT_EQ(StateOf(menu.GetHandle(), 1, TRUE), before);
    EXPECT_EQ(ReadItem(menu.GetHandle(), 0).text, "\x83\x89\x83\x93\x83\x60\x83\x83\x81\x5b\x31");

    EXPECT_TRUE(menu.SetItemText(0, TRUE, "電卓"));  // by position as well
    EXPECT_EQ(ReadItem(menu.GetHandle(), 0), (ItemRecord{1500, MFT_STRING, "\x93\x64\x91\xec"}));
    EXPECT_FALSE(menu.SetItemText(1599, FALSE, "無い"));
}

TEST_F(MenuTest, EnableMenuItemReportsPreviousStateOrMinusOne)
{
    CMenu menu;
    Own(menu.GetHandle());
    menu.InsertItem(0, "更新", 1400);
    EXPECT_EQ(menu.EnableMenuItem(1400, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(menu.EnableMenuItem(1400, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(menu.EnableMenuItem(4242, MF_BYCOMMAND | MF_GRAYED), -1);
}

TEST_F(MenuTest, DestroyedObjectLeavesTheWindowsMenuUsable)
{
    HWND window = CreateWindowExA(0, "STATIC", "menu host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    HMENU barHandle, dropHandle;
    {
        CMenu bar, drop;
        drop.InsertItem(0, "終了 (&X)", 1102);
        bar.InsertPopup(0, "ファイル(&F)", drop.GetHandle());
        barHandle = bar.GetHandle();
        dropHandle = drop.GetHandle();
        ASSERT_TRUE(SetMenu(window, barHandle));
    }
    EXPECT_TRUE(IsMenu(barHandle));
    EXPECT_TRUE(IsMenu(dropHandle));
    EXPECT_EQ(GetMenu(window), barHandle);
    EXPECT_EQ(GetMenuItemID(dropHandle, 0), 1102u);

    DestroyWindow(window);  // the system takes the bar and its drop-down along
    EXPECT_FALSE(IsMenu(barHandle));
    EXPECT_FALSE(IsMenu(dropHandle));
}

TEST_F(MenuTest, AttachRetargetsWithoutDestroyingTheOldMenu)
{
    CMenu menu;
    HMENU own = Own(menu.GetHandle());
    HMENU other = Own(CreatePopupMenu());
    AppendMenuA(other, MF_STRING, 1500, "ランチャー1");

    menu.Attach(other);
    EXPECT_EQ(menu.GetHandle(), other);
    EXPECT_TRUE(IsMenu(own));
    EXPECT_TRUE(menu.SetItemText(1500, FALSE, "エディタ"));
    EXPECT_EQ(ReadItem(other, 0).text, "\x83\x47\x83\x66\x83\x42\x83\x5e");
    EXPECT_EQ(GetMenuItemCount(own), 0);
}

// A label cut to a width keeps whole characters and ends in "…"; one that fits stays, with
// its "&" doubled so that it shows as itself.
TEST(MenuItemLabel, CutsToTheWidthAtWholeCharacters)
{
    std::string days;  // every character double-byte
    for (int i = 0; i < 100; ++i)
        days += "日";
    const struct {
        std::string text;
        int width;
        const char* exact;  // nullptr: cut, checked below
    } cases[] = {
        {"記録", 300, "記録"}, {"R&D.exe", 300, "R&&D.exe"}, {"", 10, ""},
        {days, 1, "…"},      {days, 0, "…"},              {"abcdef", 1, "…"},
        {days, 200, nullptr}, {days, 60, nullptr},         {std::string(300, 'w'), 200, nullptr},
    };
    size_t previous = 0;
    for (const auto& c : cases) {
        const std::string label = MenuItemLabel(c.text.c_str(), c.width).GetString();
        if (c.exact != nullptr) {
            EXPECT_EQ(label, c.exact) << c.width;
            continue;
        }
        const std::string ellipsis = "…";
        ASSERT_GT(label.size(), ellipsis.size()) << c.width;
        EXPECT_EQ(label.substr(label.size() - ellipsis.size()), ellipsis);
        const std::string kept = label.substr(0, label.size() - ellipsis.size());
        EXPECT_EQ(c.text.compare(0, kept.size(), kept), 0) << label;
        if (c.text == days) {
            EXPECT_EQ(kept.size() % 2, 0u) << "a lead byte without its trail: " << label;
        }
        EXPECT_LT(kept.size(), c.text.size());
        if (c.text == days && c.width == 60) {
            EXPECT_LT(kept.size(), previous) << "a narrower width keeps less";
        }
        previous = kept.size();
    }
}
