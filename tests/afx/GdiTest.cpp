// tests/afx/GdiTest.cpp: every gdi32 function that gdi/ looks up is found and does what the imported one does.
#include <gtest/gtest.h>
#include <string.h>
#include "Gdi.h"

namespace {

// A memory DC, deleted with the object.
struct CMemoryDC
{
    HDC m_hDC = ::CreateCompatibleDC(NULL);
    ~CMemoryDC() { ::DeleteDC(m_hDC); }
};

// A misspelt name would leave its entry empty, and every call through it would fail quietly:
// each call here must succeed, and the imported functions must see its effect.
TEST(Gdi, EveryLookedUpFunctionWorks)
{
    HFONT hTitle = Gdi::CreateFontA(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "System");
    ASSERT_NE(hTitle, (HFONT)NULL) << "CreateFontA";
    LOGFONTA lf = {};
    ASSERT_EQ(::GetObjectA(hTitle, sizeof lf, &lf), (int)sizeof lf);
    EXPECT_EQ(lf.lfHeight, 15);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    EXPECT_STREQ(lf.lfFaceName, "System");

    LOGFONTA read = {};
    EXPECT_EQ(Gdi::GetObjectA(hTitle, sizeof read, &read), (int)sizeof read) << "GetObjectA";
    EXPECT_EQ(memcmp(&read, &lf, sizeof lf), 0) << "GetObjectA read another LOGFONT than the imported one";

    lf.lfUnderline = 1;
    HFONT hLink = Gdi::CreateFontIndirectA(&lf);
    ASSERT_NE(hLink, (HFONT)NULL) << "CreateFontIndirectA";
    LOGFONTA linkRead = {};
    ::GetObjectA(hLink, sizeof linkRead, &linkRead);
    EXPECT_EQ(linkRead.lfUnderline, 1);

    CMemoryDC dc;
    HGDIOBJ hFirst = Gdi::SelectObject(dc.m_hDC, hTitle);
    EXPECT_NE(hFirst, (HGDIOBJ)NULL) << "SelectObject";
    EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_FONT), (HGDIOBJ)hTitle);
    EXPECT_EQ(Gdi::SelectObject(dc.m_hDC, hFirst), (HGDIOBJ)hTitle);

    // Each setter returns what was set before, so the second call shows the first one worked.
    Gdi::SetBkMode(dc.m_hDC, TRANSPARENT);
    EXPECT_EQ(Gdi::SetBkMode(dc.m_hDC, OPAQUE), TRANSPARENT) << "SetBkMode";
    Gdi::SetBkColor(dc.m_hDC, RGB(1, 2, 3));
    EXPECT_EQ(Gdi::SetBkColor(dc.m_hDC, RGB(4, 5, 6)), RGB(1, 2, 3)) << "SetBkColor";
    Gdi::SetTextColor(dc.m_hDC, RGB(7, 8, 9));
    EXPECT_EQ(Gdi::SetTextColor(dc.m_hDC, RGB(0, 0, 0)), RGB(7, 8, 9)) << "SetTextColor";
    EXPECT_TRUE(Gdi::TextOutA(dc.m_hDC, 0, 0, "Velmorath", 9)) << "TextOutA";

    EXPECT_TRUE(Gdi::DeleteObject(hLink)) << "DeleteObject";
    EXPECT_EQ(::GetObjectType(hLink), 0u) << "the font is still there after DeleteObject";
    ::DeleteObject(hTitle);
}

} // namespace
