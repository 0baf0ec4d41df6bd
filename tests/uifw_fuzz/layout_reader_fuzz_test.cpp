// The reader of the saved docking layout fed mutated layouts: a layout of two tabbed groups,
// a nested container, a floating group, toolbars with placement records and the class
// library's dock state with rows and a floating dock bar. No input may read past its end or
// allocate past the ceiling, and the records of every input, whole or cut short, are freed.
#include <gtest/gtest.h>

#include "afxfile.h"
#include "barstate_test_support.h"
#include "barstaterecords.h"
#include "fuzzharness.h"
#include "heapcount.h"

using barstatetest::Store;
using fuzz::Bytes;
using fuzz::Seed;

namespace {

using Record = CUiControlBar::InternalDockStateBar;
using Site = CUiControlBar::InternalDockStateSite;

Record* Bar(UINT nId, DWORD dwFlags)
{
    Record* p = new Record;
    p->m_nBarId = nId;
    p->m_nDockBarId = AFX_IDW_DOCKBAR_RIGHT;
    p->m_nRingLevel = 1;
    p->m_dwFlags = dwFlags;
    p->m_rcDock.SetRect(0, 0, 300, 400);
    return p;
}

Record* Group(UINT nSide, std::initializer_list<UINT> ids)
{
    Record* p = Bar(nSide, Record::kKindTabbed | Record::kVisible);
    p->m_nDockBarId = nSide;
    bool bFirst = true;
    for (UINT nId : ids) {
        p->m_arrChildren.Add(Bar(nId, Record::kKindBar | Record::kVisible | Record::kChild | Record::kTab |
                                          (bFirst ? (DWORD)Record::kSelectedTab : 0u)));
        bFirst = false;
    }
    return p;
}

CControlBarInfo* Info(UINT nId, bool bDockBar, bool bFloating, std::initializer_list<DWORD> rows)
{
    CControlBarInfo* p = new CControlBarInfo;
    p->m_nBarID = nId;
    p->m_bVisible = TRUE;
    p->m_bDockBar = bDockBar;
    p->m_bFloating = bFloating;
    p->m_bHorz = TRUE;
    p->m_bDocking = !bDockBar;
    p->m_pointPos = CPoint(40, 60);
    for (DWORD dw : rows)
        p->m_arrBarID.Add(dw);
    return p;
}

void FillSite(Site& site)
{
    ::SetRect(&site.m_wp.rcNormalPosition, 10, 20, 1010, 760);
    site.m_wp.showCmd = SW_SHOWNORMAL;
    site.m_arrBars.Add(Group(AFX_IDW_DOCKBAR_RIGHT, {32772, 32898, 32899}));
    site.m_arrBars.Add(Group(AFX_IDW_DOCKBAR_BOTTOM, {32774, 32776, 32777}));
    Record* pContainer = Bar(AFX_IDW_DOCKBAR_TOP, Record::kKindContainer | Record::kVisible | Record::kNewRow);
    pContainer->m_arrChildren.Add(Bar(32860, Record::kKindBar | Record::kVisible | Record::kChild));
    pContainer->m_arrChildren.Add(Bar(32861, Record::kKindBar | Record::kChild | Record::kNewRow));
    site.m_arrBars.Add(pContainer);
    Record* pFloating = Group(AFX_IDW_DOCKBAR_TOP, {0xA001, 0xA002});
    pFloating->m_dwFlags |= Record::kFloating;
    pFloating->m_rcFloatFrame.SetRect(300, 200, 520, 460);
    site.m_arrBars.Add(pFloating);
    site.m_pDockState->m_arrBarInfo.Add(Info(0xE800, false, false, {}));
    site.m_pDockState->m_arrBarInfo.Add(Info(AFX_IDW_DOCKBAR_TOP, true, false, {0xE805, 0, 0xE800, 0xE801 | CControlBarInfo::kPlaceHolderFlag, 0}));
    site.m_pDockState->m_arrBarInfo.Add(Info(AFX_IDW_DOCKBAR_FLOAT, true, true, {0xE802, 0}));
    CUiControlBar::OuterItemData_t item;
    item.m_nBarId = 0xE800;
    item.m_record.nOrder = 2;
    item.m_record.rcSaved.SetRect(0, 0, 120, 24);
    site.m_arrOuterItems.Add(item);
    item.m_nBarId = 0xE802;
    item.m_bFlags = CUiControlBar::OuterItemData_t::kFloating;
    item.m_record.Reset();
    site.m_arrOuterItems.Add(item);
    site.m_arrAutoHideIds.Add(32861);
}

// Each record's child count and the counts of the stream, and where each part begins.
void MarkRecord(Record* p, size_t& at, Seed& seed)
{
    seed.boundaries.push_back(at);
    seed.lengthFields.push_back(at + 124);
    at += 128;
    for (INT_PTR i = 0; i < p->m_arrChildren.GetSize(); i++)
        MarkRecord(p->m_arrChildren[i], at, seed);
}

Seed LayoutSeed()
{
    Site site(nullptr);
    FillSite(site);
    Seed seed;
    seed.bytes = Store([&](CArchive& ar) { site.SerializeState(ar); });
    // The parts before the outer items, stored alone, tell where the counts lie.
    const Bytes head = Store([&](CArchive& ar) {
        ar << BarStateHeaderText();
        for (int i = 0; i < 6; i++)
            ar << (DWORD)0;
        ar << CString("10,20,1010,760,1,0");
    });
    size_t at = head.size();
    seed.boundaries.push_back(at);
    seed.lengthFields.push_back(at + 6);   // the dock state's record count, after its tag and version
    at += Store([&](CArchive& ar) { site.m_pDockState->Serialize(ar); }).size();
    seed.boundaries.push_back(at);
    seed.lengthFields.push_back(at);
    at += 4;
    for (INT_PTR i = 0; i < site.m_arrOuterItems.GetSize(); i++) {
        seed.boundaries.push_back(at);
        at += Store([&](CArchive& ar) { site.m_arrOuterItems[i].Serialize(ar); }).size();
    }
    seed.lengthFields.push_back(at);
    at += 4;
    for (INT_PTR i = 0; i < site.m_arrBars.GetSize(); i++)
        MarkRecord(site.m_arrBars[i], at, seed);
    seed.boundaries.push_back(at);
    seed.lengthFields.push_back(at);
    return seed;
}

bool ReadLayout(const BYTE* p, size_t n)
{
    CMemFile file(const_cast<BYTE*>(p), (UINT)n);
    Site site(nullptr);
    try {
        CArchive ar(&file, CArchive::load);
        return site.SerializeState(ar);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

} // namespace

TEST(FuzzLayout, TheSavedLayoutReaderReadsNothingPastItsInputAndFreesWhatItRead)
{
    const Seed seed = LayoutSeed();
    ASSERT_TRUE(ReadLayout(seed.bytes.data(), seed.bytes.size()));
    // The marks lie on the counts: dock state records, outer items, ..., auto-hide ids.
    ASSERT_EQ(3u, fuzz::Get32(seed.bytes, seed.lengthFields[0]));
    ASSERT_EQ(2u, fuzz::Get32(seed.bytes, seed.lengthFields[1]));
    ASSERT_EQ(4u, fuzz::Get32(seed.bytes, seed.lengthFields[2]));
    ASSERT_EQ(1u, fuzz::Get32(seed.bytes, seed.lengthFields.back()));

    // A first short run lets the harness and the class library take what they keep.
    EXPECT_TRUE(fuzz::Run("layout warm-up", {seed}, 50, ReadLayout).Passed());
    const long nBlocks = heapcount::LiveBlocks();
    {
        const fuzz::RunResult result = fuzz::Run("layout", {seed}, fuzz::InputCount(4000), ReadLayout);
        EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);
        EXPECT_GT(result.accepted, 0);
        EXPECT_GT(result.refused, 0);
    }
    EXPECT_EQ(nBlocks, heapcount::LiveBlocks());
}
