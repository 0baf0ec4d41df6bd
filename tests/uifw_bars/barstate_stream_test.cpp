// The stored form of a docking layout through a memory file: the whole stream of a frame
// without bars, the registry path, each record's bytes, the string length prefixes, and the
// reader's refusals (another short version, a damaged placement text, nesting too deep).
#include <gtest/gtest.h>

#include <vector>

#include "afxfile.h"
#include "barstate.h"
#include "barstaterecords.h"
#include "barstate_test_support.h"
#include "winharness.h"

namespace {

using Record = CUiControlBar::InternalDockStateBar;
using Site = CUiControlBar::InternalDockStateSite;

using barstatetest::Bytes;
using barstatetest::Load;
using barstatetest::Store;

void Append(Bytes& bytes, const void* p, size_t n)
{
    bytes.insert(bytes.end(), (const BYTE*)p, (const BYTE*)p + n);
}

void AppendDword(Bytes& bytes, DWORD dw)
{
    Append(bytes, &dw, 4);
}

DWORD DwordAt(const Bytes& bytes, size_t nOffset)
{
    DWORD dw;
    memcpy(&dw, &bytes[nOffset], 4);
    return dw;
}

// A tree of records: id 1 with children 2 (child 3 below it) and 4.
Record* MakeTree()
{
    Record* pRoot = new Record;
    pRoot->m_nBarId = 1;
    pRoot->m_dwFlags = Record::kKindContainer;
    Record* pA = new Record;
    pA->m_nBarId = 2;
    pA->m_dwFlags = Record::kKindContainer | Record::kChild;
    Record* pA1 = new Record;
    pA1->m_nBarId = 3;
    pA1->m_dwFlags = Record::kKindBar | Record::kChild | Record::kNewRow;
    pA->m_arrChildren.Add(pA1);
    Record* pB = new Record;
    pB->m_nBarId = 4;
    pB->m_dwFlags = Record::kKindBar | Record::kChild;
    pB->m_rcDock.SetRect(5, 6, 7, 8);
    pRoot->m_arrChildren.Add(pA);
    pRoot->m_arrChildren.Add(pB);
    return pRoot;
}

// A chain of records nLevels deep.
Bytes NestedStream(int nLevels)
{
    Record root;
    Record* pLast = &root;
    for (int i = 1; i < nLevels; i++) {
        Record* pChild = new Record;
        pChild->m_nBarId = 100 + i;
        pLast->m_arrChildren.Add(pChild);
        pLast = pChild;
    }
    return Store([&](CArchive& ar) { root.SerializeState(ar); });
}

TEST(BarStateStream, AFrameWithoutBarsStreamsHeaderVersionsPlacementDockStateAndThreeEmptyCounts)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "Empty", WS_OVERLAPPEDWINDOW, CRect(30, 40, 330, 290)));
    WINDOWPLACEMENT wp = {sizeof(wp)};
    ASSERT_TRUE(pFrame->GetWindowPlacement(&wp));
    WINDOWPLACEMENT wpOut = {};
    const Bytes stream = Store([&](CArchive& ar) { EXPECT_TRUE(BarStateSerialize(ar, pFrame, &wpOut)); });
    pFrame->DestroyWindow();
    winharness::PumpPending();

    Bytes expected;
    const char szHeader[] = "Vavi-RIZ (v. 2.2.7.1) control bar state";
    expected.push_back(0x27);
    Append(expected, szHeader, 0x27);
    const BYTE versions[] = {0x01, 0x07, 0x02, 0x02, 0x02, 0x02, 0x00, 0x00};
    Append(expected, versions, sizeof(versions));
    expected.insert(expected.end(), 16, 0);
    CString strPlacement;
    strPlacement.Format("%d,%d,%d,%d,%d,%d", (int)wp.rcNormalPosition.left, (int)wp.rcNormalPosition.top,
                        (int)wp.rcNormalPosition.right, (int)wp.rcNormalPosition.bottom, (int)wp.showCmd, (int)wp.flags);
    expected.push_back((BYTE)strPlacement.GetLength());
    Append(expected, (LPCSTR)strPlacement, strPlacement.GetLength());
    CDockState emptyState;
    const Bytes dockState = Store([&](CArchive& ar) { emptyState.Serialize(ar); });
    expected.insert(expected.end(), dockState.begin(), dockState.end());
    expected.insert(expected.end(), 12, 0);
    EXPECT_EQ(expected, stream);
    EXPECT_EQ(30, wpOut.rcNormalPosition.left);
    EXPECT_EQ(290, wpOut.rcNormalPosition.bottom);
}

TEST(BarStateStream, RegistryPathJoinsTheNamesAndBlanksControlCharactersAndWildcards)
{
    CString strPath;
    BarStateRegistryPath(strPath, "L", "K", "P");
    EXPECT_STREQ("Software\\K\\P\\VaviRIZ227\\Profiles\\L\\ControlBar", strPath);
    BarStateRegistryPath(strPath, "a?b*", "k\rx", "p\tq\n");
    EXPECT_STREQ("Software\\k_x\\p_q_\\VaviRIZ227\\Profiles\\a_b_\\ControlBar", strPath);
}

TEST(BarStateStream, RecordsTakeTheirFixedSizesAndTheTreeIsStoredDepthFirst)
{
    BarPlacementRecord empty;
    EXPECT_EQ((Bytes{0x01, 0x00}), Store([&](CArchive& ar) { empty.Serialize(ar); }));
    BarPlacementRecord filled;
    filled.nOrder = 3;
    filled.rcSaved.SetRect(1, 2, 3, 4);
    filled.nSavedHorz = 77;
    const Bytes filledBytes = Store([&](CArchive& ar) { filled.Serialize(ar); });
    ASSERT_EQ(34u, filledBytes.size());
    EXPECT_EQ(0, filledBytes[0] | filledBytes[1]);
    EXPECT_EQ(3u, DwordAt(filledBytes, 2));
    BarPlacementRecord back;
    ASSERT_TRUE(Load(filledBytes, [&](CArchive& ar) { back.Serialize(ar); return true; }));
    EXPECT_EQ(3u, back.nOrder);
    EXPECT_EQ(CRect(1, 2, 3, 4), back.rcSaved);
    EXPECT_EQ(77, back.nSavedHorz);

    CUiControlBar::OuterItemData_t item;
    item.m_nBarId = 0xA001;
    item.m_bFlags = 1;
    EXPECT_EQ(40u, Store([&](CArchive& ar) { item.Serialize(ar); }).size());
    item.m_record = filled;
    const Bytes itemBytes = Store([&](CArchive& ar) { item.Serialize(ar); });
    ASSERT_EQ(72u, itemBytes.size());
    EXPECT_EQ(1, itemBytes[0]);
    EXPECT_EQ(0xA001u, DwordAt(itemBytes, 2));

    Record single;
    EXPECT_EQ(128u, Store([&](CArchive& ar) { single.SerializeState(ar); }).size());

    Record* pTree = MakeTree();
    const Bytes treeBytes = Store([&](CArchive& ar) { pTree->SerializeState(ar); });
    ASSERT_EQ(4u * 128u, treeBytes.size());
    EXPECT_EQ(1u, DwordAt(treeBytes, 0));
    EXPECT_EQ(2u, DwordAt(treeBytes, 124));          // the root's child count
    EXPECT_EQ(2u, DwordAt(treeBytes, 128));
    EXPECT_EQ(3u, DwordAt(treeBytes, 256));
    EXPECT_EQ(4u, DwordAt(treeBytes, 384));

    // The selected child and the bar are no part of the stream.
    pTree->m_nSelectedChild = 1;
    pTree->m_pBar = reinterpret_cast<CUiControlBar*>(0x12345678);
    EXPECT_EQ(treeBytes, Store([&](CArchive& ar) { pTree->SerializeState(ar); }));
    pTree->m_pBar = nullptr;

    Record readBack;
    ASSERT_TRUE(Load(treeBytes, [&](CArchive& ar) { return readBack.SerializeState(ar); }));
    EXPECT_EQ(-1, readBack.m_nSelectedChild);
    ASSERT_EQ(2, readBack.m_arrChildren.GetSize());
    ASSERT_EQ(1, readBack.m_arrChildren[0]->m_arrChildren.GetSize());
    EXPECT_EQ(3u, readBack.m_arrChildren[0]->m_arrChildren[0]->m_nBarId);
    EXPECT_EQ(CRect(5, 6, 7, 8), readBack.m_arrChildren[1]->m_rcDock);
    EXPECT_EQ(treeBytes, Store([&](CArchive& ar) { readBack.SerializeState(ar); }));
    delete pTree;
}

TEST(BarStateStream, StringsTakeOneThreeOrSevenBytesOfLengthPrefix)
{
    struct Case {
        int nLength;
        Bytes prefix;
    } cases[] = {
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        const CString str('x', c.nLength);
        const Bytes bytes = Store([&](CArchive& ar) { ar << str; });
        ASSERT_EQ(c.prefix.size() + c.nLength, bytes.size()) << c.nLength;
        EXPECT_EQ(c.prefix, Bytes(bytes.begin(), bytes.begin() + c.prefix.size())) << c.nLength;
    }
}

class BarStateReader : public ::testing::Test {
protected:
    // A site's stream with one record nested nLevels deep.
    Bytes SiteStream(int nLevels, const char* pszPlacement = "10,20,300,400,1,0", DWORD dwShortVersion = 0x0202)
    {
        Bytes bytes;
        const CString strHeader = BarStateHeaderText();
        bytes.push_back((BYTE)strHeader.GetLength());
        Append(bytes, (LPCSTR)strHeader, strHeader.GetLength());
        AppendDword(bytes, 0x02020701);
        AppendDword(bytes, dwShortVersion);
        bytes.insert(bytes.end(), 16, 0);
        bytes.push_back((BYTE)strlen(pszPlacement));
        Append(bytes, pszPlacement, strlen(pszPlacement));
        CDockState state;
        const Bytes dockState = Store([&](CArchive& ar) { state.Serialize(ar); });
        bytes.insert(bytes.end(), dockState.begin(), dockState.end());
        AppendDword(bytes, 0);
        AppendDword(bytes, 1);
        const Bytes records = NestedStream(nLevels);
        bytes.insert(bytes.end(), records.begin(), records.end());
        AppendDword(bytes, 1);
        AppendDword(bytes, 0xA007);
        return bytes;
    }
    bool Read(const Bytes& bytes, Site& site)
    {
        return Load(bytes, [&](CArchive& ar) { return site.SerializeState(ar); });
    }
};

TEST_F(BarStateReader, ReadsNestingOfThirtyTwoAndRefusesDeeperOrAnotherShortVersionOrFiveNumbers)
{
    Site site(nullptr);
    ASSERT_TRUE(Read(SiteStream(32), site));
    EXPECT_EQ(CRect(10, 20, 300, 400), CRect(site.m_wp.rcNormalPosition));
    EXPECT_EQ(1u, site.m_wp.showCmd);
    ASSERT_EQ(1, site.m_arrBars.GetSize());
    ASSERT_EQ(1, site.m_arrAutoHideIds.GetSize());
    EXPECT_EQ(0xA007u, site.m_arrAutoHideIds[0]);

    Site deep(nullptr);
    EXPECT_FALSE(Read(SiteStream(33), deep));
    EXPECT_FALSE(Read(SiteStream(5000), deep));
    Site other(nullptr);
    EXPECT_FALSE(Read(SiteStream(1, "10,20,300,400,1,0", 0x0203), other));
    Site five(nullptr);
    EXPECT_FALSE(Read(SiteStream(1, "10,20,300,400,1"), five));
    EXPECT_EQ(0u, five.m_wp.showCmd);
    EXPECT_EQ(sizeof(WINDOWPLACEMENT), five.m_wp.length);
}

} // namespace
