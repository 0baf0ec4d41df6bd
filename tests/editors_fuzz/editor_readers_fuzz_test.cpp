// The editors' readers of outside bytes fed mutated inputs: the marker blob and the ".mrk"
// file, the clipboard's "BinaryData" and CF_TEXT blocks pasted into an editor, and the script
// editor's keyword file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "bytes_test_support.h"
#include "fuzzharness.h"
#include "hexclipboard.h"
#include "hexeditmodel.h"
#include "hexmarker.h"
#include "luakeywordset.h"

using fuzz::Bytes;
using fuzz::Seed;

namespace {

std::vector<HexMarker> SomeMarkers()
{
    std::vector<HexMarker> markers;
    const char* comments[] = {"", "abc", "\x95\x5C\x8E\xA6", "a longer comment of the marker"};
    for (int i = 0; i < 4; ++i) {
        HexMarker marker;
        marker.nStart = 3 * i;
        marker.nLength = i + 1;
        marker.crText = 0x0000FF;
        marker.crBack = 0xCCCCEE;
        marker.strComment = comments[i];
        markers.push_back(marker);
    }
    return markers;
}

// The record lengths and boundaries of a blob that starts at `offset` in the bytes.
void MarkRecords(Seed& seed, size_t offset)
{
    size_t at = offset;
    seed.boundaries.push_back(at);
    while (at + 4 <= seed.bytes.size()) {
        seed.lengthFields.push_back(at);
        seed.boundaries.push_back(at + 4);
        seed.boundaries.push_back(at + 20);
        at += fuzz::Get32(seed.bytes, at);
        seed.boundaries.push_back(at);
    }
}

Seed MarkerBlobSeed()
{
    Seed seed;
    seed.bytes = testbytes::BytesOf(SerializeMarkers(SomeMarkers()));
    MarkRecords(seed, 0);
    return seed;
}

Seed MarkerFileSeed()
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "korvane_fuzz_" + std::to_string(GetCurrentProcessId()) + ".mrk";
    EXPECT_TRUE(WriteMarkerFile(path.c_str(), SomeMarkers()));
    Seed seed;
    CFile file;
    if (file.Open(path.c_str(), CFile::modeRead)) {
        seed.bytes.resize(static_cast<size_t>(file.GetLength()));
        file.Read(seed.bytes.data(), static_cast<UINT>(seed.bytes.size()));
        file.Close();
    }
    DeleteFileA(path.c_str());
    MarkRecords(seed, 4);
    return seed;
}

// The markers as the editor takes them: into its model, then the colours and tips a
// painted editor asks for.
void UseMarkers(const std::vector<HexMarker>& markers)
{
    HexEditModel model;
    const Bytes data(64, 0x30);
    model.SetData(data.data(), static_cast<UINT>(data.size()));
    model.SetMarkerData(SerializeMarkers(markers));
    for (LONGLONG b = 0; b < 64; b += 7) {
        COLORREF text, back;
        model.GetCellColors(b, text, back);
        model.FindMarkerAt(b);
    }
    model.CountMarkersInRange(0, 64);
}

} // namespace

TEST(FuzzEditors, MarkerBlobs)
{
    fuzz::RunResult result = fuzz::Run("marker blob", {MarkerBlobSeed()}, fuzz::InputCount(3000),
                                       [](const BYTE* p, size_t n) {
                                           std::vector<HexMarker> markers;
                                           DeserializeMarkers(p, static_cast<UINT>(n), markers);
                                           UseMarkers(markers);
                                           return !markers.empty();
                                       });
    EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);
    EXPECT_GT(result.accepted, 0);
}

TEST(FuzzEditors, MarkerFiles)
{
    fuzz::RunResult result = fuzz::Run("marker file", {MarkerFileSeed()}, fuzz::InputCount(3000),
                                       [](const BYTE* p, size_t n) {
                                           std::vector<HexMarker> markers;
                                           const BOOL read = ReadMarkerFileBytes(p, static_cast<UINT>(n), markers);
                                           UseMarkers(markers);
                                           return read != FALSE;
                                       });
    EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);
    EXPECT_GT(result.accepted, 0);
    EXPECT_GT(result.refused, 0);
}

namespace {

bool Paste(const std::vector<BYTE>& bytes, bool parsed)
{
    HexEditModel model;
    const Bytes data(16, 0x30);
    model.SetData(data.data(), static_cast<UINT>(data.size()));
    if (parsed)
        model.InsertData(bytes.data(), static_cast<UINT>(bytes.size()));
    return parsed;
}

} // namespace

TEST(FuzzEditors, ClipboardBlocks)
{
    const Bytes payload = {0x00, 0x41, 0xFF, 0x00, 0x0D, 0x0A, 0x82, 0xA0};
    Seed binary;
    binary.bytes = MakeBinaryDataBlock(payload.data(), static_cast<UINT>(payload.size()));
    binary.lengthFields = {0};
    binary.boundaries = {0, 4, binary.bytes.size()};
    fuzz::RunResult result = fuzz::Run("clipboard BinaryData", {binary}, fuzz::InputCount(3000),
                                       [](const BYTE* p, size_t n) {
                                           std::vector<BYTE> bytes;
                                           return Paste(bytes, ParseBinaryDataBlock(p, n, bytes));
                                       });
    EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);

    Seed text;
    text.bytes = MakeTextBlock(payload.data(), static_cast<UINT>(payload.size()));
    text.boundaries = {0, 1, text.bytes.size()};
    result = fuzz::Run("clipboard CF_TEXT", {text}, fuzz::InputCount(3000), [](const BYTE* p, size_t n) {
        std::vector<BYTE> bytes;
        return Paste(bytes, ParseTextBlock(p, n, bytes));
    });
    EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);
}

TEST(FuzzEditors, KeywordFiles)
{
    Seed seed;
    const std::string words = "and break do else elseif end\r\nfunction\tlocal SendData Logput\n" +
                              std::string(300, 'x') + " \x82\xA0\x82\xA2 nil\n-- 'it''s' \"q\\\"\" \x83\\ --";
    seed.bytes.assign(words.begin(), words.end());
    for (size_t i = 0; i < seed.bytes.size(); ++i) {
        if (seed.bytes[i] == ' ' || seed.bytes[i] == '\n' || seed.bytes[i] == '\'')
            seed.boundaries.push_back(i);
    }
    fuzz::RunResult result = fuzz::Run("keyword file", {seed}, fuzz::InputCount(3000), [](const BYTE* p, size_t n) {
        CLuaKeywordSet set;
        set.m_bCaseFolding = n % 2 != 0;
        set.LoadKeywordBytes(reinterpret_cast<const char*>(p), n);
        // Each keyword coloured in a line of its own, and the bytes themselves as script lines.
        LineColorVector colors;
        for (const CString& keyword : set.m_keywords1)
            set.ColorizeLine(keyword + " --x", colors);
        const char* text = reinterpret_cast<const char*>(p);
        for (size_t start = 0; start < n;) {
            const void* newline = std::memchr(text + start, '\n', n - start);
            const size_t end = newline ? static_cast<size_t>(static_cast<const char*>(newline) - text) : n;
            const CString line(text + start, static_cast<int>(end - start));
            set.ColorizeLine(line, colors);
            EXPECT_EQ(static_cast<size_t>(line.GetLength()), colors.size());
            start = end + 1;
        }
        return !set.m_keywords1.empty();
    });
    EXPECT_TRUE(result.Passed()) << testing::PrintToString(result.failures);
    EXPECT_GT(result.accepted, 0);
}
