// Bitmap files and resources: what is stored comes back pixel for pixel, and bytes that
// do not hold a whole bitmap make no bitmap.
#include <gtest/gtest.h>

#include "bitmap_test_support.h"
#include "bitmaputil.h"
#include "uifw_core_ids.h"

#include <cstring>
#include <set>
#include <vector>

using namespace bitmaptest;

namespace {

std::vector<BYTE> Store(HBITMAP hBitmap)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(SerializeBitmap(ar, hBitmap));
        ar.Close();
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

DWORD Dword(const std::vector<BYTE>& bytes, size_t at)
{
    DWORD v = 0;
    std::memcpy(&v, bytes.data() + at, sizeof(v));
    return v;
}

void SetDword(std::vector<BYTE>& bytes, size_t at, DWORD v)
{
    std::memcpy(bytes.data() + at, &v, sizeof(v));
}

class Bitmap
{
public:
    explicit Bitmap(HBITMAP h) : handle(h) {}
    ~Bitmap()
    {
        if (handle != NULL)
            ::DeleteObject(handle);
    }
    HBITMAP handle;
};

TEST(BitmapFileTest, StoredBitmapsComeBackPixelForPixel)
{
    Bitmap colors(MakeColors24()), palette(MakePalette8());
    for (HBITMAP hSource : {colors.handle, palette.handle}) {
        const std::vector<BYTE> bytes = Store(hSource);
        ASSERT_GT(bytes.size(), 54u);
        EXPECT_EQ('B', bytes[0]);
        EXPECT_EQ('M', bytes[1]);
        EXPECT_EQ(bytes.size(), Dword(bytes, 2));
        HGLOBAL hDib = BitmapToPackedDib(hSource);
        ASSERT_NE((HGLOBAL)NULL, hDib);
        const BITMAPINFOHEADER* pbih = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(hDib));
        const DWORD dwTable = pbih->biBitCount <= 8 ? (1u << pbih->biBitCount) * 4 : 0;
        EXPECT_EQ(pbih->biSize + dwTable + pbih->biSizeImage + 14, Dword(bytes, 2));
        EXPECT_EQ(14 + 40 + dwTable, Dword(bytes, 10));
        ::GlobalUnlock(hDib);
        ::GlobalFree(hDib);

        Bitmap loaded(LoadBitmapFromMemory(bytes.data(), (DWORD)bytes.size()));
        ASSERT_NE((HBITMAP)NULL, loaded.handle);
        EXPECT_EQ(Pixels(hSource), Pixels(loaded.handle));
        EXPECT_EQ(BitsPerPixel(hSource), BitsPerPixel(loaded.handle));
    }
    EXPECT_EQ(ExpectedColors(), Pixels(colors.handle));
    EXPECT_EQ(ExpectedPalette(), Pixels(palette.handle));
}

TEST(BitmapFileTest, BytesThatHoldNoWholeBitmapMakeNoBitmap)
{
    Bitmap palette(MakePalette8());
    const std::vector<BYTE> good = Store(palette.handle);

    std::vector<BYTE> bad = good;
    SetDword(bad, 14, 12);   // a header size below 40
    {
        CMemFile file(bad.data(), (UINT)bad.size());
        CArchive ar(&file, CArchive::load);
        HBITMAP hBitmap = NULL;
        EXPECT_FALSE(SerializeBitmap(ar, hBitmap));
        EXPECT_EQ((HBITMAP)NULL, hBitmap);
    }

    // Cut short by one byte.
    EXPECT_EQ((HBITMAP)NULL, LoadBitmapFromMemory(good.data(), (DWORD)good.size() - 1));
    // Shorter than a file header, and a file size below it.
    EXPECT_EQ((HBITMAP)NULL, LoadBitmapFromMemory(good.data(), 10));
    bad = good;
    SetDword(bad, 2, 10);
    EXPECT_EQ((HBITMAP)NULL, LoadBitmapFromMemory(bad.data(), (DWORD)bad.size()));
    // Pixels said to start past the end.
    bad = good;
    SetDword(bad, 10, (DWORD)good.size() - 4);
    EXPECT_EQ((HBITMAP)NULL, LoadBitmapFromMemory(bad.data(), (DWORD)bad.size()));
    // A colour table larger than the bytes.
    bad = good;
    SetDword(bad, 14 + 32, 0x01000000);
    EXPECT_EQ((HBITMAP)NULL, LoadBitmapFromMemory(bad.data(), (DWORD)bad.size()));
    // More pixel bytes claimed than there are.
    bad = good;
    SetDword(bad, 14 + 20, Dword(good, 14 + 20) + 1);
    EXPECT_EQ((HBITMAP)NULL, LoadBitmapFromMemory(bad.data(), (DWORD)bad.size()));
    // A picture far larger than the pixel bytes given.
    bad = good;
    SetDword(bad, 14 + 4, 100000);
    SetDword(bad, 14 + 20, 0);
    EXPECT_EQ((HBITMAP)NULL, LoadBitmapFromMemory(bad.data(), (DWORD)bad.size()));

    Bitmap loaded(LoadBitmapFromMemory(good.data(), (DWORD)good.size()));
    EXPECT_EQ(ExpectedPalette(), Pixels(loaded.handle));
}

// A packed 16-bit DIB of 3 x 2 pixels with its three colour masks after the header.
std::vector<BYTE> BitfieldsDib()
{
    std::vector<BYTE> dib(40 + 12 + 16, 0);
    const DWORD header[] = {40, 3, 2, 0x00100001, BI_BITFIELDS, 16, 0, 0, 0, 0};
    std::memcpy(dib.data(), header, sizeof(header));
    const DWORD masks[] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(dib.data() + 40, masks, sizeof(masks));
    const WORD bottom[] = {0xF800, 0x07E0, 0x001F}, top[] = {0xFFFF, 0x0000, 0xF800};
    std::memcpy(dib.data() + 52, bottom, sizeof(bottom));
    std::memcpy(dib.data() + 60, top, sizeof(top));
    return dib;
}

HBITMAP LoadPacked(std::vector<BYTE> dib, DWORD dwCount)
{
    CMemFile file(dib.data(), (UINT)dib.size());
    CArchive ar(&file, CArchive::load);
    HBITMAP hBitmap = NULL;
    SerializeBitmap(ar, hBitmap, dwCount);
    return hBitmap;
}

TEST(BitmapFileTest, ColourMasksAndSpareImageBytesAreAccountedFor)
{
    const std::vector<BYTE> dib = BitfieldsDib();
    Bitmap masked(LoadPacked(dib, (DWORD)dib.size()));
    ASSERT_NE((HBITMAP)NULL, masked.handle);
    EXPECT_EQ((std::vector<COLORREF>{RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0),
                                     RGB(0, 255, 0), RGB(0, 0, 255)}),
              Pixels(masked.handle));
    // Without room for the masks the pixels do not fit.
    std::vector<BYTE> noMasks = dib;
    noMasks.erase(noMasks.begin() + 40, noMasks.begin() + 52);
    EXPECT_EQ((HBITMAP)NULL, LoadPacked(noMasks, (DWORD)noMasks.size()));
    EXPECT_EQ((HBITMAP)NULL, LoadPacked(dib, (DWORD)dib.size() - 1));

    // An image size beyond what the picture needs: the spare bytes are not copied.
    Bitmap palette(MakePalette8());
    std::vector<BYTE> roomy = Store(palette.handle);
    SetDword(roomy, 2, Dword(roomy, 2) + 64);
    SetDword(roomy, 14 + 20, Dword(roomy, 14 + 20) + 64);
    roomy.insert(roomy.end(), 64, 0xEE);
    Bitmap loaded(LoadBitmapFromMemory(roomy.data(), (DWORD)roomy.size()));
    EXPECT_EQ(ExpectedPalette(), Pixels(loaded.handle));
}

TEST(BitmapFileTest, ResourcesLoadWithTheirOwnColourTables)
{
    HINSTANCE hInstance = ::GetModuleHandleA(NULL);
    HRSRC hPalette = ::FindResourceA(hInstance, MAKEINTRESOURCEA(IDB_TEST_PALETTE8), (LPCSTR)RT_BITMAP);
    ASSERT_NE((HRSRC)NULL, hPalette);
    Bitmap palette(LoadBitmapFromResource(hInstance, hPalette));
    EXPECT_EQ(ExpectedPalette(), Pixels(palette.handle));
    EXPECT_EQ(8, BitsPerPixel(palette.handle));

    HRSRC hColors = ::FindResourceA(hInstance, MAKEINTRESOURCEA(IDB_TEST_COLORS24), (LPCSTR)RT_BITMAP);
    Bitmap colors(LoadBitmapFromResource(hInstance, hColors));
    EXPECT_EQ(ExpectedColors(), Pixels(colors.handle));
    EXPECT_EQ((HBITMAP)NULL, LoadBitmapFromResource(hInstance, NULL));
}

TEST(BitmapCopyTest, ClonesCountsAndColourLists)
{
    Bitmap colors(MakeColors24()), palette(MakePalette8());

    COLORREF* pBits = nullptr;
    const RECT part = {1, 1, 4, 3};
    Bitmap clone(CloneBitmap(colors.handle, &part, &pBits));
    ASSERT_NE((HBITMAP)NULL, clone.handle);
    ASSERT_NE(nullptr, pBits);
    int cx = 0, cy = 0;
    const std::vector<COLORREF> pixels = Pixels(clone.handle, &cx, &cy);
    EXPECT_EQ(3, cx);
    EXPECT_EQ(2, cy);
    EXPECT_EQ(ColorsPixel(1, 1), pixels[0]);
    EXPECT_EQ(ColorsPixel(3, 2), pixels[5]);
    // The bits are bottom-up: the first one is the bottom-left pixel.
    EXPECT_EQ(ColorsPixel(1, 2), RGB((pBits[0] >> 16) & 0xFF, (pBits[0] >> 8) & 0xFF, pBits[0] & 0xFF));
    Bitmap whole(CloneBitmap(palette.handle));
    EXPECT_EQ(ExpectedPalette(), Pixels(whole.handle));

    CBitmapColorCounts counts;
    EXPECT_EQ(24u, CountBitmapColors(colors.handle, counts));
    std::set<COLORREF> distinct;
    for (COLORREF c : ExpectedColors())
        distinct.insert(c);
    EXPECT_EQ((INT_PTR)distinct.size(), counts.GetCount());
    DWORD dwCount = 0;
    EXPECT_TRUE(counts.Lookup(ColorsPixel(0, 0), dwCount));
    EXPECT_EQ(1u, dwCount);

    CBitmapColorList list;
    EXPECT_EQ(24u, GetBitmapColorList(colors.handle, list, false));
    EXPECT_EQ((INT_PTR)distinct.size(), list.GetSize());
    EXPECT_EQ(8u, GetBitmapColorList(palette.handle, list, false));
    ASSERT_EQ(256, list.GetSize());
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(PaletteEntry(i), list[i]);
    EXPECT_EQ(8u, GetBitmapColorList(palette.handle, list, true));
    EXPECT_LT(list.GetSize(), 256);
    std::set<COLORREF> unique(list.GetData(), list.GetData() + list.GetSize());
    EXPECT_EQ((size_t)list.GetSize(), unique.size());
    EXPECT_EQ(0u, GetBitmapColorList(NULL, list, true));
}

} // namespace
