#include "framework/graphics/Font.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <type_traits>

static_assert(!std::is_copy_constructible_v<CFont> && !std::is_copy_assignable_v<CGDIObject>,
              "a copy would delete the same handle twice");

namespace {

// "ＭＳ ゴシック" in Shift-JIS; the face name must reach the system byte for byte.
const char kGothic[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";

bool IsLiveFont(HGDIOBJ handle)
{
    return handle != nullptr && GetObjectType(handle) == OBJ_FONT;
}

// A font is usable when a device context accepts it.
bool SelectsIntoDC(HFONT font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    const bool ok = old != nullptr && old != HGDI_ERROR;
    if (ok)
        SelectObject(dc, old);
    DeleteDC(dc);
    return ok;
}

// Wraps a stock object the way a brush or font wrapper would.
class CStockWrapper : public CGDIObject {
public:
    explicit CStockWrapper(int index) : m_handle(GetStockObject(index)) {}
    HGDIOBJ GetHandle() override { return m_handle; }

private:
    HGDIOBJ m_handle;
};

}  // namespace

TEST(Font, CreatesAPlainFontOfTheGivenHeightAndFace)
{
    CFont font(16, "ＭＳ ゴシック", TRUE);
    ASSERT_TRUE(IsLiveFont(font.GetFontHandle()));
    EXPECT_EQ(static_cast<HFONT>(font), font.GetFontHandle());

    LOGFONTA lf = {};
    ASSERT_EQ(GetObjectA(font.GetFontHandle(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(lf.lfHeight, 16);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(lf.lfWeight, FW_DONTCARE);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(lf.lfQuality, DEFAULT_QUALITY);
    EXPECT_EQ(lf.lfPitchAndFamily, DEFAULT_PITCH | FF_DONTCARE);
    EXPECT_EQ(std::string(lf.lfFaceName), std::string(kGothic));
}

TEST(Font, SixParameterFormPassesWeightAndStyleFlags)
{
    CFont font(12, "ＭＳ ゴシック", TRUE);
    HFONT first = font.GetFontHandle();
    HFONT bold = font.CreateFont(-20, kGothic, FW_BOLD, TRUE, TRUE, FALSE);
    ASSERT_TRUE(IsLiveFont(bold));
    EXPECT_EQ(font.GetFontHandle(), bold);
    EXPECT_TRUE(IsLiveFont(first));  // replaced, not deleted: its owner decides

    LOGFONTA lf = {};
    GetObjectA(bold, sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, TRUE);
    EXPECT_EQ(lf.lfUnderline, TRUE);
    EXPECT_EQ(lf.lfStrikeOut, FALSE);
    DeleteObject(first);
}

TEST(Font, AutoDeleteDecidesWhetherTheHandleOutlivesTheObject)
{
    HFONT kept, deleted;
    {
        CFont handedOn(16, "ＭＳ ゴシック", FALSE);
        CFont temporary(12, "ＭＳ ゴシック", TRUE);
        kept = handedOn.GetFontHandle();
        deleted = temporary.GetFontHandle();
        ASSERT_TRUE(IsLiveFont(kept));
        ASSERT_TRUE(IsLiveFont(deleted));
    }
    EXPECT_TRUE(IsLiveFont(kept));
    EXPECT_TRUE(SelectsIntoDC(kept));  // still good for the control that received it
    EXPECT_FALSE(IsLiveFont(deleted));
    DeleteObject(kept);
}

TEST(Font, BaseClassAndStockWrappersNeverDeleteTheirHandles)
{
    HFONT held;
    {
        CFontBase base;
        EXPECT_EQ(base.GetFontHandle(), nullptr);
        EXPECT_FALSE(base.DeleteObject());  // nothing held, nothing called
        held = base.CreateFont(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               FIXED_PITCH | FF_MODERN, kGothic);
        ASSERT_TRUE(IsLiveFont(held));
        LOGFONTA lf = {};
        GetObjectA(held, sizeof(lf), &lf);
        EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(lf.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
    }
    EXPECT_TRUE(IsLiveFont(held));
    EXPECT_TRUE(DeleteObject(held));

    {  // nor a wrapper of a stock object
        CStockWrapper stock(DEFAULT_GUI_FONT);
        stock.DeleteObject();
    }
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    EXPECT_TRUE(IsLiveFont(font));
    EXPECT_TRUE(SelectsIntoDC(static_cast<HFONT>(font)));
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
}
