// Painting a menu through the paint manager: the order of the elements, the records the items
// get, and the shadow only once the opening animation has ended.
#include "popup_test_support.h"

#include "menuitempaintdata.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"
#include "pushbuttonpaintdata.h"
#include <string>

using namespace popuptest;
using namespace winharness;

namespace {

// The classic look that also writes down what it was asked to paint (not what its own
// painters ask of each other).
class CRecordingLook : public CUiPaintManager {
public:
    std::vector<std::string> calls;
    std::vector<BYTE> itemFlags;
    int depth = 0;
    struct Nest {
        explicit Nest(int& n) : r(n) { ++r; }
        ~Nest() { --r; }
        int& r;
    };
    void Record(const std::string& call)
    {
        if (depth == 0)
            calls.push_back(call);
    }
    HGDIOBJ hPaletteAtBorder = NULL;
    void PaintMenuBorder(CDC& dc, const CRect& rc, CObject* pAsking, LPARAM lParam) override
    {
        hPaletteAtBorder = ::GetCurrentObject(dc.GetSafeHdc(), OBJ_PAL);
        Record("border");
        Nest nest(depth);
        CUiPaintManager::PaintMenuBorder(dc, rc, pAsking, lParam);
    }
    void PaintMenuItem(CDC& dc, MenuItemPaintData& data) override
    {
        Record(std::string("item ") + data.m_pszText);
        Nest nest(depth);
        if (depth == 1)
            itemFlags.push_back(data.m_bFlags);
        CUiPaintManager::PaintMenuItem(dc, data);
    }
    void PaintPushButton(CDC& dc, PushButtonPaintData& data) override
    {
        Record(std::string("button ") + data.Text());
        Nest nest(depth);
        CUiPaintManager::PaintPushButton(dc, data);
    }
    void PaintInsetLine(CDC& dc, const CRect& rc, int cx, BOOL bRare, CObject* pAsking, LPARAM lParam) override
    {
        Record("inset");
        Nest nest(depth);
        CUiPaintManager::PaintInsetLine(dc, rc, cx, bRare, pAsking, lParam);
    }
    void PaintSeparator(CDC& dc, const CRect& rc, BOOL bHorz, BOOL bTransparent, CObject* pAsking,
                        LPARAM lParam) override
    {
        Record("separator");
        Nest nest(depth);
        CUiPaintManager::PaintSeparator(dc, rc, bHorz, bTransparent, pAsking, lParam);
    }
    void PaintMenuExpandButton(CDC& dc, const CRect& rc, BOOL bPushed, CObject* pMenu) override
    {
        Record("expand");
        Nest nest(depth);
        CUiPaintManager::PaintMenuExpandButton(dc, rc, bPushed, pMenu);
    }
    void EndPaintSession(CObject* pAsking, DWORD dwValue) override
    {
        Record("end");
        Nest nest(depth);
        CUiPaintManager::EndPaintSession(pAsking, dwValue);
    }
};

class PopupPaintTest : public ::testing::Test {
protected:
    PopupPaintTest() : frame(MakeReceiver()), look(new CRecordingLook)
    {
        PaintManagerHolder::Get().SetPaintManager(look);
    }
    ~PopupPaintTest() override
    {
        CUiPopupMenuWnd::CloseTrackedMenus();
        DestroyReceiver(frame);
    }

    PopupScope scope;
    CReceiverFrame* frame;
    CRecordingLook* look;
};

TEST_F(PopupPaintTest, ElementsArePaintedInOrderAndTheSessionEnds)
{
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    pMenu->InitRootMenu(frame->GetSafeHwnd());
    pMenu->ItemInsert(0, -1);
    pMenu->ItemSetDisplayed(0, TRUE);   // a leading separator stays when always displayed
    pMenu->ItemInsertCommand(ID_A, -1, "Alpha", nullptr, nullptr, 1);
    pMenu->ItemInsertCommand(ID_B, -1, "Compact", nullptr, nullptr, 0);
    pMenu->ItemGetInfo(2).m_bFlags1 |= PopupMenuItemData::kCompact;
    pMenu->ItemInsert(0, -1);
    pMenu->ItemInsertCommand(ID_C, -1, "Gamma", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitAnimationEnd());
    pMenu->m_bState |= CUiPopupMenuWnd::kHasHidden;   // shows the expand button
    pMenu->CalcScrollAndExpandRects();
    pMenu->SetCurrentItem(1, FALSE, FALSE, FALSE);
    look->calls.clear();
    look->itemFlags.clear();
    DibSurface surface(300, 300);
    pMenu->PaintContent(*surface.cdc(), FALSE);
    const std::vector<std::string> expected = {"border",    "inset",      "item Alpha", "button Compact",
                                               "separator", "item Gamma", "expand",     "end"};
    EXPECT_EQ(expected, look->calls);
    ASSERT_EQ(2u, look->itemFlags.size());
    EXPECT_EQ(MenuItemPaintData::kSelected | MenuItemPaintData::kChecked | MenuItemPaintData::kEnabled,
              look->itemFlags[0]);
}

TEST_F(PopupPaintTest, NoShadowWhileTheMenuAnimates)
{
    CUiPopupBaseWnd::g_nDefaultAnimation = 4;
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    pMenu->InitRootMenu(frame->GetSafeHwnd());
    pMenu->ItemInsertCommand(ID_A, -1, "Alpha", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    ASSERT_FALSE(pMenu->IsAnimationEnded());
    DibSurface surface(300, 300);
    pMenu->PaintContent(*surface.cdc(), FALSE);
    EXPECT_FALSE(pMenu->m_shadowBody.HasCachedStrips());
    ASSERT_TRUE(WaitAnimationEnd());
    CClientDC dc(pMenu);
    pMenu->PaintContent(dc, TRUE);
    EXPECT_TRUE(pMenu->m_shadowBody.HasCachedStrips());
}

TEST_F(PopupPaintTest, APaletteDevicePaintsWithTheLooksPalette)
{
    ASSERT_NE(nullptr, look->m_palette.GetSafeHandle());
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    pMenu->InitRootMenu(frame->GetSafeHwnd());
    pMenu->ItemInsertCommand(ID_A, -1, "Alpha", nullptr, nullptr, 0);
    ASSERT_TRUE(pMenu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitAnimationEnd());
    DibSurface surface(300, 300);
    const HGDIOBJ hOwn = ::GetCurrentObject(surface.dc(), OBJ_PAL);
    for (int nBits : {32, 8}) {
        SetBitsPerPixelOverride(nBits);
        for (BOOL bToWindow : {FALSE, TRUE}) {
            look->hPaletteAtBorder = NULL;
            pMenu->PaintContent(*surface.cdc(), bToWindow);
            EXPECT_EQ(nBits == 8 ? look->m_palette.GetSafeHandle() : hOwn, look->hPaletteAtBorder) << nBits;
            EXPECT_EQ(hOwn, ::GetCurrentObject(surface.dc(), OBJ_PAL));
        }
    }
    SetBitsPerPixelOverride(0);
}

} // namespace
