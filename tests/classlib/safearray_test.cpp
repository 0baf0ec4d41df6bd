// COleSafeArray byte buffers and COleVariant.
#include "afxwin.h"
#include <gtest/gtest.h>

TEST(COleSafeArrayTest, CopyIsDeep)
{
    const BYTE data[] = {1, 2, 3, 4};
    COleSafeArray original;
    original.CreateOneDim(VT_UI1, 4, data);

    COleSafeArray copy(original);
    BYTE* p = nullptr;
    copy.AccessData((void**)&p);
    p[0] = 0xEE;
    copy.UnaccessData();

    COleSafeArray assigned;
    assigned.CreateOneDim(VT_UI1, 1);
    assigned = original;
    assigned.AccessData((void**)&p);
    p[1] = 0xDD;
    assigned.UnaccessData();

    original.AccessData((void**)&p);
    EXPECT_EQ(p[0], 1);
    EXPECT_EQ(p[1], 2);
    original.UnaccessData();
    copy.AccessData((void**)&p);
    EXPECT_EQ(p[0], 0xEE);
    EXPECT_EQ(p[1], 2);
    copy.UnaccessData();
    EXPECT_EQ(assigned.GetOneDimSize(), 4u);
}

TEST(COleSafeArrayTest, EmptyAndResize)
{
    COleSafeArray never;
    EXPECT_EQ(never.GetOneDimSize(), 0u);

    COleSafeArray empty;
    empty.CreateOneDim(VT_UI1, 0);
    EXPECT_EQ(empty.GetOneDimSize(), 0u);

    COleSafeArray sa;
    const BYTE data[] = {9, 9, 9};
    sa.CreateOneDim(VT_UI1, 3, data);
    sa.ResizeOneDim(0);
    EXPECT_EQ(sa.GetOneDimSize(), 0u);
    sa.ResizeOneDim(5);
    ASSERT_EQ(sa.GetOneDimSize(), 5u);
    BYTE* p = nullptr;
    sa.AccessData((void**)&p);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(p[i], 0) << i;
    p[4] = 7;
    sa.UnaccessData();

    // Growing keeps the leading bytes and zeroes the new ones; shrinking keeps the head.
    sa.ResizeOneDim(8);
    sa.AccessData((void**)&p);
    EXPECT_EQ(p[4], 7);
    EXPECT_EQ(p[7], 0);
    sa.UnaccessData();
    sa.ResizeOneDim(5);
    long index = 4;
    BYTE b = 0;
    sa.GetElement(&index, &b);
    EXPECT_EQ(b, 7);

    // Resizing a never created buffer makes a byte buffer.
    never.ResizeOneDim(2);
    EXPECT_EQ(never.GetOneDimSize(), 2u);
    EXPECT_EQ(never.vt, VT_ARRAY | VT_UI1);

    sa.Clear();
    EXPECT_EQ(sa.GetOneDimSize(), 0u);
    EXPECT_EQ(sa.vt, VT_EMPTY);
}

TEST(COleSafeArrayTest, ElementsAttachDetach)
{
    COleSafeArray sa;
    sa.CreateOneDim(VT_UI1, 3);
    BYTE value = 0x5C;
    long index = 1;
    sa.PutElement(&index, &value);
    BYTE read = 0;
    sa.GetElement(&index, &read);
    EXPECT_EQ(read, 0x5C);
    long lb = -1, ub = -1;
    sa.GetLBound(1, &lb);
    sa.GetUBound(1, &ub);
    EXPECT_EQ(lb, 0);
    EXPECT_EQ(ub, 2);

    VARIANT v = sa.Detach();
    EXPECT_EQ(sa.GetOneDimSize(), 0u);
    COleSafeArray other;
    other.Attach(v);
    EXPECT_EQ(v.vt, VT_EMPTY);
    EXPECT_EQ(other.GetOneDimSize(), 3u);

    // A byte buffer held in a COleVariant, as the dialogs pass it.
    COleVariant var((LPCVARIANT)(LPVARIANT)other);
    EXPECT_EQ(var.vt, VT_ARRAY | VT_UI1);
    COleSafeArray fromVariant(var);
    EXPECT_TRUE(fromVariant == other);
    CByteArray bytes;
    fromVariant.GetByteArray(bytes);
    ASSERT_EQ(bytes.GetSize(), 3);
    EXPECT_EQ(bytes[1], 0x5C);
    COleVariant fromBytes(bytes);
    EXPECT_TRUE(fromBytes == var);
}

TEST(COleSafeArrayTest, ErrorsThrowOleOrArgumentExceptions)
{
    COleSafeArray sa;
    bool bThrown = false;
    try {
        void* p;
        sa.AccessData(&p);
    } catch (CException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);

    sa.CreateOneDim(VT_UI1, 2);
    bThrown = false;
    try {
        long index = 5;
        BYTE b;
        sa.GetElement(&index, &b);
    } catch (COleException* e) {
        bThrown = true;
        EXPECT_EQ(e->m_sc, DISP_E_BADINDEX);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}
