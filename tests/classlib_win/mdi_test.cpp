// The MDI frame and its children, the document a view is made with, and OLE drop targets.
#include "test_app.h"
#include "afxole.h"
#include "winharness.h"
#include <gtest/gtest.h>

using namespace winharness;

namespace {

class CDocView : public CView {
    DECLARE_DYNCREATE(CDocView)
};
IMPLEMENT_DYNCREATE(CDocView, CView)

} // namespace

TEST(Mdi, ChildrenActivateAndAViewKnowsItsDocument)
{
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "MDI", WS_OVERLAPPEDWINDOW, CRect(10, 10, 510, 410)));
    HWND hFrame = pFrame->m_hWnd;
    ASSERT_NE(pFrame->m_hWndMDIClient, (HWND)NULL);
    EXPECT_TRUE(AfxCompareClassName(pFrame->m_hWndMDIClient, "MDIClient"));
    EXPECT_EQ(::GetParent(pFrame->m_hWndMDIClient), hFrame);
    pFrame->ShowWindow(SW_SHOWNA);

    CMDIChildWnd* pFirst = new CMDIChildWnd;
    ASSERT_TRUE(pFirst->Create(NULL, "first", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, pFrame));
    CMDIChildWnd* pSecond = new CMDIChildWnd;
    ASSERT_TRUE(pSecond->Create(NULL, "second", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, pFrame));
    EXPECT_EQ(pFrame->MDIGetActive(), pSecond);
    EXPECT_EQ(pFirst->GetMDIFrame(), pFrame);
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pFirst->m_hWnd, 0);
    EXPECT_EQ(pFrame->MDIGetActive(), pFirst);
    EXPECT_EQ(pFrame->GetActiveFrame(), pFirst);

    CDocument doc;
    doc.SetTitle("log1");
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDocView);
    context.m_pCurrentDoc = &doc;
    CMDIChildWnd* pThird = new CMDIChildWnd;
    ASSERT_TRUE(pThird->Create(NULL, "third", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                               pFrame, &context));
    CView* pView = pThird->GetActiveView();
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetDocument(), &doc);
    EXPECT_EQ(pThird->GetActiveDocument(), &doc);
    EXPECT_EQ(pFirst->GetActiveDocument(), nullptr);
    EXPECT_EQ(pThird->m_nWindow, 0);

    ::DestroyWindow(hFrame);
    PumpPending();
}

TEST(Ole, ADropTargetRegistersOnlyOnceOleIsInitialised)
{
    HiddenParent parent;
    COleDropTarget target;
    EXPECT_FALSE(AfxOleIsInitialized());
    EXPECT_FALSE(target.Register(parent.wnd()));
    ASSERT_TRUE(AfxOleInit());
    EXPECT_TRUE(AfxOleIsInitialized());
    EXPECT_TRUE(target.Register(parent.wnd()));
    target.Revoke();

    COleDocument doc;
    EXPECT_EQ(doc.GetInPlaceActiveItem(nullptr), nullptr);
    EXPECT_TRUE(doc.IsKindOf(RUNTIME_CLASS(CDocument)));
}
