// Arrays, lists and maps: growth, insertion and removal, lookups and iteration order.
#include "afxwin.h"
#include <gtest/gtest.h>
#include <set>

namespace {

// Exposes the capacity of an array to check the growth rule.
template <class TYPE, class ARG_TYPE>
class CInspectArray : public CArray<TYPE, ARG_TYPE> {
public:
    INT_PTR Capacity() const { return this->m_nMaxSize; }
};

struct CItem {
    CItem() = default;
    explicit CItem(int n) : m_n(n), m_strName() { m_strName.Format("item%d", n); }
    int m_n = 0;
    CString m_strName;
};

} // namespace

TEST(CArrayTest, GrowsByAnEighthBetweenFourAnd1024)
{
    CInspectArray<int, int> a;
    a.Add(1);
    EXPECT_EQ(a.Capacity(), 1);  // the first block holds exactly the new size
    a.Add(2);
    EXPECT_EQ(a.Capacity(), 5);  // +4 (minimum step)
    a.SetSize(80);
    EXPECT_EQ(a.Capacity(), 80);
    a.Add(0);
    EXPECT_EQ(a.Capacity(), 90);  // +80/8
    a.SetSize(20000);
    a.Add(0);
    EXPECT_EQ(a.Capacity(), 21024);  // +1024 (maximum step)

    CInspectArray<int, int> b;
    b.SetSize(0, 32);
    b.Add(1);
    EXPECT_EQ(b.Capacity(), 32);
    // New elements read as zero.
    b.SetSize(10);
    for (int i = 1; i < 10; i++)
        EXPECT_EQ(b[i], 0);
}

TEST(CArrayTest, InsertRemoveAndSetAtGrow)
{
    CArray<CItem, const CItem&> a;
    for (int i = 0; i < 5; i++)
        a.Add(CItem(i));
    a.InsertAt(2, CItem(9), 2);
    ASSERT_EQ(a.GetSize(), 7);
    int expected[] = {0, 1, 9, 9, 2, 3, 4};
    for (int i = 0; i < 7; i++)
        EXPECT_EQ(a[i].m_n, expected[i]);
    EXPECT_EQ(a[3].m_strName, "item9");
    a.RemoveAt(1, 3);
    ASSERT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a[1].m_n, 2);
    EXPECT_EQ(a.GetUpperBound(), 3);
    a.SetAtGrow(6, CItem(6));
    ASSERT_EQ(a.GetSize(), 7);
    EXPECT_EQ(a[5].m_n, 0);
    EXPECT_TRUE(a[5].m_strName.IsEmpty());
    EXPECT_EQ(a[6].m_strName, "item6");
    // Adding an element of the array itself while the storage moves.
    for (int i = 0; i < 40; i++)
        a.Add(a[0]);
    EXPECT_EQ(a[a.GetUpperBound()].m_strName, "item0");
    bool bThrown = false;
    try {
        a.RemoveAt(100);
    } catch (CInvalidArgException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetData(), nullptr);
}

TEST(CArrayTest, ByteAndStringArrays)
{
    CByteArray bytes;
    bytes.SetSize(3);
    bytes[0] = 0x5C;
    bytes.Add(0xFF);
    bytes.InsertAt(0, 0x01);
    ASSERT_EQ(bytes.GetSize(), 5);
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[1], 0x5C);
    EXPECT_EQ(bytes[4], 0xFF);
    EXPECT_TRUE(bytes.IsKindOf(RUNTIME_CLASS(CByteArray)));

    CDWordArray dwords;
    dwords.Add(0xFFFFFFFF);
    CByteArray copy;
    copy.Copy(bytes);
    copy.Append(bytes);
    EXPECT_EQ(copy.GetSize(), 10);
    EXPECT_EQ(copy[9], 0xFF);

    CStringArray strings;
    strings.Add("一");
    strings.Add(CString("二"));
    strings.InsertAt(1, "間");
    ASSERT_EQ(strings.GetSize(), 3);
    EXPECT_EQ(strings[1], "間");
    strings.SetAt(2, "三");
    EXPECT_EQ(strings.GetAt(2), "三");
    strings.RemoveAt(0);
    EXPECT_EQ(strings[0], "間");
}

TEST(CListTest, AddFindInsertRemove)
{
    CStringList list;
    list.AddTail("b");
    list.AddTail("c");
    list.AddHead("a");
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetHead(), "a");
    EXPECT_EQ(list.GetTail(), "c");
    POSITION pos = list.Find("b");
    ASSERT_NE(pos, nullptr);
    list.InsertAfter(pos, "b2");
    list.InsertBefore(pos, "a2");
    CString joined;
    for (POSITION p = list.GetHeadPosition(); p != NULL;)
        joined += list.GetNext(p);
    EXPECT_EQ(joined, "aa2bb2c");
    joined.Empty();
    for (POSITION p = list.GetTailPosition(); p != NULL;)
        joined += list.GetPrev(p);
    EXPECT_EQ(joined, "cb2ba2a");
    list.RemoveAt(pos);
    EXPECT_EQ(list.Find("b"), nullptr);
    EXPECT_EQ(list.GetAt(list.FindIndex(2)), "b2");
    EXPECT_EQ(list.FindIndex(5), nullptr);
    EXPECT_EQ(list.RemoveHead(), "a");
    EXPECT_EQ(list.RemoveTail(), "c");
    EXPECT_EQ(list.GetCount(), 2);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    // Removing the last node leaves an empty list usable again.
    list.AddTail("x");
    list.RemoveAt(list.GetHeadPosition());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    list.AddTail("y");
    EXPECT_EQ(list.GetHead(), "y");
}

TEST(CMapTest, LookupSetRemove)
{
    CMap<int, int, CString, LPCSTR> map;
    for (int i = 0; i < 100; i++) {
        CString s;
        s.Format("v%d", i);
        map.SetAt(i, s);
    }
    EXPECT_EQ(map.GetCount(), 100);
    CString value;
    ASSERT_TRUE(map.Lookup(42, value));
    EXPECT_EQ(value, "v42");
    EXPECT_FALSE(map.Lookup(100, value));
    map[42] = "changed";
    EXPECT_EQ(map.GetCount(), 100);
    map.Lookup(42, value);
    EXPECT_EQ(value, "changed");
    EXPECT_TRUE(map.RemoveKey(42));
    EXPECT_FALSE(map.RemoveKey(42));
    EXPECT_FALSE(map.Lookup(42, value));
    EXPECT_EQ(map.GetCount(), 99);

    std::set<int> seen;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        int key;
        map.GetNextAssoc(pos, key, value);
        seen.insert(key);
    }
    EXPECT_EQ(seen.size(), 99u);
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CMapTest, PointerKeysHashByValueShiftedRightByFour)
{
    // Keys 0x20 and 0x10 land in buckets 2 and 1 of 17: iteration walks bucket 1 first.
    CMapPtrToPtr map;
    map.InitHashTable(17);
    map.SetAt((void*)0x20, (void*)2);
    map.SetAt((void*)0x10, (void*)1);
    map.SetAt((void*)(0x10 + 17 * 16), (void*)3);  // also bucket 1, added last: first in it
    EXPECT_EQ(map.GetHashTableSize(), 17u);
    void* key;
    void* value;
    POSITION pos = map.GetStartPosition();
    map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(value, (void*)3);
    map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(value, (void*)1);
    map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(value, (void*)2);
    EXPECT_EQ(pos, nullptr);
}

TEST(CMapTest, StringAndWordMaps)
{
    CMapStringToPtr byName;
    int a = 1, b = 2;
    byName["ポート1"] = &a;
    byName.SetAt("ポート2", &b);
    void* p = nullptr;
    ASSERT_TRUE(byName.Lookup("ポート2", p));
    EXPECT_EQ(p, &b);
    EXPECT_FALSE(byName.Lookup("ポート3", p));
    LPCSTR stored = nullptr;
    ASSERT_TRUE(byName.LookupKey("ポート1", stored));
    EXPECT_STREQ(stored, "ポート1");
    EXPECT_TRUE(byName.RemoveKey("ポート1"));
    EXPECT_EQ(byName.GetCount(), 1);

    CMapStringToString texts;
    texts["a"] = "表";
    CString value;
    ASSERT_TRUE(texts.Lookup("a", value));
    EXPECT_EQ(value, "表");

    CMapWordToPtr byWord;
    byWord[7] = &a;
    ASSERT_TRUE(byWord.Lookup(7, p));
    EXPECT_EQ(p, &a);

    CMapPtrToWord flags;
    flags[&a] = 1;
    WORD w = 0;
    ASSERT_TRUE(flags.Lookup(&a, w));
    EXPECT_EQ(w, 1);
}

TEST(TypedPtrCollections, HoldTheirElementType)
{
    CTypedPtrArray<CPtrArray, CItem*> items;
    items.Add(new CItem(1));
    items.Add(new CItem(2));
    CItem* pSecond = items[1];
    EXPECT_EQ(pSecond->m_n, 2);
    items.ElementAt(0) = pSecond;
    EXPECT_EQ(items.GetAt(0), pSecond);
    delete items[1];

    CTypedPtrList<CObList, CFileException*> list;
    list.AddTail(new CFileException(CFileException::badPath));
    list.AddHead(new CFileException(CFileException::diskFull));
    EXPECT_EQ(list.GetHead()->m_cause, CFileException::diskFull);
    while (!list.IsEmpty())
        list.RemoveHead()->Delete();

    CTypedPtrMap<CMapPtrToPtr, HWND, CItem*> byWindow;
    CItem item(5);
    byWindow.SetAt((HWND)0x1230, &item);
    CItem* pFound = nullptr;
    ASSERT_TRUE(byWindow.Lookup((HWND)0x1230, pFound));
    EXPECT_EQ(pFound, &item);
    POSITION pos = byWindow.GetStartPosition();
    HWND hWnd;
    byWindow.GetNextAssoc(pos, hWnd, pFound);
    EXPECT_EQ(hWnd, (HWND)0x1230);
    EXPECT_TRUE(byWindow.RemoveKey((HWND)0x1230));
}

TEST(Geometry, RectPointSize)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    r.DeflateRect(5, 5);
    EXPECT_EQ(r, CRect(15, 25, 105, 65));
    r.OffsetRect(CPoint(-15, -25));
    EXPECT_EQ(r.TopLeft(), CPoint(0, 0));
    EXPECT_TRUE(r.PtInRect(CPoint(1, 1)));
    EXPECT_FALSE(r.PtInRect(CPoint(90, 40)));
    CRect i;
    EXPECT_TRUE(i.IntersectRect(r, CRect(50, 30, 200, 200)));
    EXPECT_EQ(i, CRect(50, 30, 90, 40));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 3), CSize(3, 2));
    EXPECT_EQ(CPoint(MAKELPARAM(-2, 3)), CPoint(-2, 3));
    RECT* pRect = r;
    EXPECT_EQ(pRect->right, 90);
}
