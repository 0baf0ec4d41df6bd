// Markers: records, blobs, ".mrk" files, ranges, cell colours and the tooltip lookup.
#include <gtest/gtest.h>

#include <stdio.h>

#include "hex_test_support.h"
#include "hexmarker.h"
#include "temp_folder_support.h"

namespace {

Bytes ArrayBytes(const COleSafeArray& array)
{
    COleSafeArray copy(array);
    const DWORD size = copy.GetOneDimSize();
    Bytes bytes(size);
    if (size) {
        void* p = NULL;
        copy.AccessData(&p);
        memcpy(bytes.data(), p, size);
        copy.UnaccessData();
    }
    return bytes;
}

HexMarker Marker(int start, int length, COLORREF text, COLORREF back, const char* comment)
{
    HexMarker m;
    m.nStart = start;
    m.nLength = length;
    m.crText = text;
    m.crBack = back;
    m.strComment = comment;
    return m;
}

void PutUint32(Bytes& out, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(v >> (8 * i)));
}

// A raw record with a given length field and comment bytes (no terminator added).
Bytes RawRecord(DWORD length, const Bytes& comment)
{
    Bytes r;
    PutUint32(r, length);
    PutUint32(r, 7);
    PutUint32(r, 3);
    PutUint32(r, 0x111111);
    PutUint32(r, 0x222222);
    r.insert(r.end(), comment.begin(), comment.end());
    return r;
}

std::vector<HexMarker> Read(const Bytes& blob)
{
    std::vector<HexMarker> markers;
    DeserializeMarkers(blob.data(), static_cast<UINT>(blob.size()), markers);
    return markers;
}


Bytes FileBytes(const std::string& path)
{
    Bytes bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    int c;
    while ((c = fgetc(f)) != EOF)
        bytes.push_back(static_cast<BYTE>(c));
    fclose(f);
    return bytes;
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f != NULL);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

}  // namespace

TEST(HexMarkerBlob, OneMarkerIsA24ByteRecord)
{
    const HexMarker m = Marker(1, 2, 0x0000FF, 0xCCCCEE, "abc");
    EXPECT_EQ(B({0x18, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0xFF, 0, 0, 0, 0xEE, 0xCC, 0xCC, 0, 0x61, 0x62, 0x63, 0}),
              ArrayBytes(m.ToBytes()));
}

TEST(HexMarkerBlob, ListsRoundTripThroughBlobs)
{
    std::vector<HexMarker> markers = {Marker(0, 4, 0x0000FF, 0xCCCCEE, "first"),
                                      Marker(10, 1, 0x123456, 0x654321, ""),
                                      Marker(20, 300, 0, 0xFFFFFF, "\x95\x5C\x8E\xA6\x83\x5C")};
    const COleSafeArray blob = SerializeMarkers(markers);
    EXPECT_EQ(26u + 21u + 27u, ArrayBytes(blob).size());
    std::vector<HexMarker> back;
    DeserializeMarkers(blob, back);
    ASSERT_EQ(3u, back.size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(markers[i].nStart, back[i].nStart);
        EXPECT_EQ(markers[i].nLength, back[i].nLength);
        EXPECT_EQ(markers[i].crText, back[i].crText);
        EXPECT_EQ(markers[i].crBack, back[i].crBack);
        EXPECT_STREQ(markers[i].strComment, back[i].strComment);
    }
    EXPECT_TRUE(ArrayBytes(SerializeMarkers(std::vector<HexMarker>())).empty());
}

TEST(HexMarkerBlob, DamagedBlobsStopWithoutHanging)
{
    const Bytes good = RawRecord(24, B({'a', 'b', 'c', 0}));

    // A length of 0 would never advance; 20 cannot hold the fields and the terminator.
    EXPECT_TRUE(Read(RawRecord(0, B({'x', 0}))).empty());
    Bytes blob = good;
    Bytes bad = RawRecord(20, Bytes());
    blob.insert(blob.end(), bad.begin(), bad.end());
    blob.insert(blob.end(), good.begin(), good.end());
    EXPECT_EQ(1u, Read(blob).size());

    // A length that runs past the blob ends it.
    blob = good;
    bad = RawRecord(1000, B({'z', 0}));
    blob.insert(blob.end(), bad.begin(), bad.end());
    EXPECT_EQ(1u, Read(blob).size());

    // Leftover bytes too short for a record are ignored.
    blob = good;
    blob.insert(blob.end(), 10, 0x41);
    std::vector<HexMarker> markers = Read(blob);
    ASSERT_EQ(1u, markers.size());
    EXPECT_STREQ("abc", markers[0].strComment);

    // A comment without its terminator ends with its record, not in the next one.
    blob = RawRecord(24, B({'w', 'x', 'y', 'z'}));
    blob.insert(blob.end(), good.begin(), good.end());
    markers = Read(blob);
    ASSERT_EQ(2u, markers.size());
    EXPECT_STREQ("wxyz", markers[0].strComment);
    EXPECT_EQ(7, markers[1].nStart);
    EXPECT_STREQ("abc", markers[1].strComment);

    // Bytes after the terminator inside a longer record are skipped with it.
    blob = RawRecord(29, B({'h', 'i', 0, 'j', 'u', 'n', 'k', 0, 0}));
    blob.insert(blob.end(), good.begin(), good.end());
    markers = Read(blob);
    ASSERT_EQ(2u, markers.size());
    EXPECT_STREQ("hi", markers[0].strComment);
}

TEST(HexMarkerFile, EmptyListWritesTheTagAlone)
{
    TempFolder folder;
    const std::string path = folder.File("empty.mrk");
    ASSERT_TRUE(WriteMarkerFile(path.c_str(), std::vector<HexMarker>()));
    EXPECT_EQ(B("KRAM"), FileBytes(path));
    std::vector<HexMarker> markers(1);
    EXPECT_TRUE(ReadMarkerFile(path.c_str(), markers));
    EXPECT_EQ(1u, markers.size());
}

TEST(HexMarkerFile, FilesRoundTripAndForeignFilesAreRejected)
{
    TempFolder folder;
    const std::string path = folder.File("m.mrk");
    WriteBytes(path, Bytes(100, 0x33));  // an older, longer file is replaced
    const std::vector<HexMarker> markers = {Marker(1, 2, 0x0000FF, 0xCCCCEE, "abc"), Marker(8, 8, 1, 2, "")};
    ASSERT_TRUE(WriteMarkerFile(path.c_str(), markers));
    EXPECT_EQ(4u + 24u + 21u, FileBytes(path).size());
    std::vector<HexMarker> back;
    ASSERT_TRUE(ReadMarkerFile(path.c_str(), back));
    ASSERT_EQ(2u, back.size());
    EXPECT_STREQ("abc", back[0].strComment);
    EXPECT_EQ(8, back[1].nStart);

    const std::vector<HexMarker> before = back;
    const std::string foreign = folder.File("foreign.mrk");
    WriteBytes(foreign, B("MARK-not-a-marker-file"));
    EXPECT_FALSE(ReadMarkerFile(foreign.c_str(), back));
    WriteBytes(foreign, B("KRA"));
    EXPECT_FALSE(ReadMarkerFile(foreign.c_str(), back));
    EXPECT_FALSE(ReadMarkerFile(folder.File("missing.mrk").c_str(), back));
    EXPECT_EQ(before.size(), back.size());

    EXPECT_FALSE(WriteMarkerFile(folder.File("no\\such\\folder.mrk").c_str(), markers));
}

TEST(HexMarkerRange, OverlapRules)
{
    const HexMarker m = Marker(10, 10, 0, 0, "");  // bytes 10..19
    EXPECT_TRUE(m.Overlaps(15, 16));
    EXPECT_TRUE(m.Overlaps(0, 11));
    EXPECT_FALSE(m.Overlaps(20, 6));
    EXPECT_FALSE(m.Overlaps(0, 10));
    EXPECT_TRUE(m.Overlaps(0, 40));   // wholly inside the range
    EXPECT_TRUE(m.Overlaps(12, 3));   // the range wholly inside the marker
    EXPECT_TRUE(m.Covers(19));
    EXPECT_FALSE(m.Covers(20));
    EXPECT_FALSE(Marker(-1, -1, 0, 0, "").Covers(0));
}

TEST(HexMarkerModel, AddCountRemoveAndDefaults)
{
    HexEditModel model;
    SetUpModel(model, Bytes(64, 0));
    EXPECT_EQ(0x0000FFu, model.m_crMarkerText);
    EXPECT_EQ(0xCCCCEEu, model.m_crMarkerBack);
    model.AddMarker(10, 10, 0x010101, 0x020202, "a");
    model.AddMarker(25, 5, 0x030303, 0x040404, "b");
    model.AddMarker(40, 2, 0x050505, 0x060606, "c");
    EXPECT_EQ(0x050505u, model.m_crMarkerText);
    EXPECT_EQ(0x060606u, model.m_crMarkerBack);
    EXPECT_EQ(2, model.CountMarkersInRange(15, 12));
    model.TakeViewChanges();
    model.RemoveMarkersInRange(15, 12);
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_REDRAW);
    ASSERT_EQ(1u, model.GetMarkers().size());
    EXPECT_STREQ("c", model.GetMarkers()[0].strComment);

    const std::vector<HexMarker> list = {Marker(1, 2, 0x0000FF, 0xCCCCEE, "abc"), Marker(0, 8, 1, 2, "wide")};
    model.SetMarkerData(SerializeMarkers(list));
    ASSERT_EQ(2u, model.GetMarkers().size());
    EXPECT_EQ(0, model.FindMarkerAt(1));
    EXPECT_EQ(1, model.FindMarkerAt(3));
    EXPECT_EQ(-1, model.FindMarkerAt(9));
    model.ClearMarkers();
    EXPECT_TRUE(model.GetMarkers().empty());
}

TEST(HexMarkerModel, CellColoursOfMarkersSelectionAndAnalysis)
{
    HexEditModel model;
    SetUpModel(model, Bytes(32, 0));
    model.AddMarker(1, 2, 0x0000FF, 0xCCCCEE, "abc");
    model.AddMarker(2, 4, 0x00FF00, 0x111111, "under");  // the first marker decides byte 2
    COLORREF text, back;
    model.GetCellColors(0, text, back);
    EXPECT_EQ(0x000000u, text);
    EXPECT_EQ(0xFFFFFFu, back);
    model.GetCellColors(2, text, back);
    EXPECT_EQ(0x0000FFu, text);
    EXPECT_EQ(0xCCCCEEu, back);
    model.GetCellColors(4, text, back);
    EXPECT_EQ(0x111111u, back);

    model.MoveCaret(1, 0, false);
    model.KeyDown(VK_RIGHT, true, false);  // select byte 1
    model.GetCellColors(1, text, back);
    EXPECT_EQ(0xCCCCEEu, text);
    EXPECT_EQ(0x0000FFu, back);
    model.GetCellColors(2, text, back);
    EXPECT_EQ(0xCCCCEEu, back);

    model.m_analysis.nStart = 0;
    model.m_analysis.nLength = 8;
    model.GetCellColors(1, text, back);
    EXPECT_EQ(model.m_crText, text);
    EXPECT_EQ(0x8888FFu, back);
}

TEST(HexMarkerModel, TooltipShowsTheCommentOfTheMarkedByte)
{
    HexEditModel model;
    SetUpModel(model, Bytes(32, 0));
    model.AddMarker(1, 2, 0x0000FF, 0xCCCCEE, "abc");
    const POINT marked = PointOfByte(model, 2, false), markedChar = PointOfByte(model, 1, true);
    const POINT plain = PointOfByte(model, 5, false);
    EXPECT_STREQ("abc", model.GetMarkerTipAt(marked.x, marked.y));
    EXPECT_STREQ("abc", model.GetMarkerTipAt(markedChar.x, markedChar.y));
    EXPECT_STREQ("", model.GetMarkerTipAt(plain.x, plain.y));

    model.TakeViewChanges();
    model.MouseMove(marked.x, marked.y);
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_TIP_UPDATE);
    EXPECT_STREQ("abc", model.GetTipText());
    model.MouseMove(marked.x + 1, marked.y);
    EXPECT_FALSE(model.TakeViewChanges() & HEXVIEW_TIP_UPDATE);  // same text: nothing sent
    model.MouseMove(plain.x, plain.y);
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_TIP_UPDATE);
    EXPECT_STREQ("", model.GetTipText());
}

TEST(HexMarkerModel, LongCommentsAreCutForTheTooltip)
{
    HexEditModel model;
    SetUpModel(model, Bytes(32, 0));
    model.AddMarker(0, 1, 0, 0xFFFFFF, CString('x', 2000));
    const POINT pt = PointOfByte(model, 0, false);
    EXPECT_EQ(1023, model.GetMarkerTipAt(pt.x, pt.y).GetLength());
    // A double-byte character is not cut in half.
    model.ClearMarkers();
    model.AddMarker(0, 1, 0, 0xFFFFFF, CString('y', 1022) + "\x82\xA0" + CString('z', 10));
    const CString tip = model.GetMarkerTipAt(pt.x, pt.y);
    EXPECT_EQ(1022, tip.GetLength());
}
