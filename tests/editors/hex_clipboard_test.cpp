// Clipboard payloads of the hex editor, through the real clipboard of the (Wine) desktop.
#include <gtest/gtest.h>

#include <string.h>

#include <thread>

#include "hex_test_support.h"
#include "hexclipboard.h"

namespace {

HWND MakeOwnerWindow()
{
    return CreateWindowExA(0, "STATIC", "hex clipboard test", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
}

// Reads one clipboard format's raw block, its size included.
bool ClipboardBlock(HWND owner, UINT format, Bytes& block)
{
    block.clear();
    if (!OpenClipboard(owner))
        return false;
    HANDLE handle = GetClipboardData(format);
    bool ok = false;
    if (handle) {
        const BYTE* p = static_cast<const BYTE*>(GlobalLock(handle));
        if (p) {
            block.assign(p, p + GlobalSize(handle));
            GlobalUnlock(handle);
            ok = true;
        }
    }
    CloseClipboard();
    return ok;
}

// Replaces the clipboard with raw blocks of the given formats.
void PutBlocks(HWND owner, std::initializer_list<std::pair<UINT, Bytes>> blocks)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    for (const auto& b : blocks) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, b.second.size());
        void* p = GlobalLock(h);
        memcpy(p, b.second.data(), b.second.size());
        GlobalUnlock(h);
        SetClipboardData(b.first, h);
    }
    CloseClipboard();
}

class HexClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_owner = MakeOwnerWindow();
        ASSERT_TRUE(m_owner != NULL);
    }
    void TearDown() override
    {
        if (OpenClipboard(m_owner)) {
            EmptyClipboard();
            CloseClipboard();
        }
        DestroyWindow(m_owner);
    }
    HWND m_owner = NULL;
};

}  // namespace

TEST(HexClipboardPayload, BlocksAreBuiltAndReadDefensively)
{
    const Bytes data = B({0x00, 0x41, 0x00});
    EXPECT_EQ(B({3, 0, 0, 0, 0x00, 0x41, 0x00}), MakeBinaryDataBlock(data.data(), 3));
    EXPECT_EQ(B({0x00, 0x41, 0x00, 0x00}), MakeTextBlock(data.data(), 3));

    Bytes out;
    Bytes block = B({3, 0, 0, 0, 0x00, 0x41, 0x00});
    EXPECT_TRUE(ParseBinaryDataBlock(block.data(), block.size(), out));
    EXPECT_EQ(data, out);
    block = B({100, 0, 0, 0, 7, 8, 9});  // the count claims more than the block holds
    EXPECT_TRUE(ParseBinaryDataBlock(block.data(), block.size(), out));
    EXPECT_EQ(B({7, 8, 9}), out);
    block = B({0xFF, 0xFF, 0xFF, 0xFF, 1});
    EXPECT_TRUE(ParseBinaryDataBlock(block.data(), block.size(), out));
    EXPECT_EQ(B({1}), out);
    block = B({2, 0, 0});  // too short for a count
    EXPECT_FALSE(ParseBinaryDataBlock(block.data(), block.size(), out));
    block = B({0, 0, 0, 0});
    EXPECT_FALSE(ParseBinaryDataBlock(block.data(), block.size(), out));

    block = B({'A', 'B', 0, 'C', 0});  // the whole block less one byte, zero bytes included
    EXPECT_TRUE(ParseTextBlock(block.data(), block.size(), out));
    EXPECT_EQ(B({'A', 'B', 0, 'C'}), out);
    EXPECT_FALSE(ParseTextBlock(block.data(), 0, out));
    EXPECT_FALSE(ParseTextBlock(block.data(), 1, out));
}

TEST_F(HexClipboardTest, CopyPutsBinaryDataAndTextAndPasteTakesBinaryData)
{
    HexEditModel source;
    SetUpModel(source, B({0x10, 0x00, 0x41, 0x00, 0x20}));
    source.MoveCaret(1, 0, false);
    for (int i = 0; i < 3; ++i)
        source.KeyDown(VK_RIGHT, true, false);
    ASSERT_TRUE(HexCopyToClipboard(source, m_owner));

    Bytes block;
    ASSERT_TRUE(ClipboardBlock(m_owner, HexBinaryDataFormat(), block));
    EXPECT_EQ(B({0x03, 0x00, 0x00, 0x00, 0x00, 0x41, 0x00}), block);
    ASSERT_TRUE(ClipboardBlock(m_owner, CF_TEXT, block));
    EXPECT_EQ(4u, block.size());
    EXPECT_EQ(0x41, block[1]);
    EXPECT_TRUE(HexClipboardCanPaste());

    HexEditModel target;
    SetUpModel(target, B({0xFF}));
    HexPasteFromClipboard(target, m_owner);
    EXPECT_EQ(B({0x00, 0x41, 0x00, 0xFF}), ModelBytes(target));
    EXPECT_EQ(0, target.GetCaret());  // the caret stays on the first pasted byte
    target.Undo();
    EXPECT_EQ(B({0xFF}), ModelBytes(target));
}

TEST_F(HexClipboardTest, TextAlonePastesItsWholeBlockLessOneByte)
{
    PutBlocks(m_owner, {{CF_TEXT, B({'A', 'B', 'C', 0})}});
    HexEditModel model;
    SetUpModel(model, Bytes());
    HexPasteFromClipboard(model, m_owner);
    EXPECT_EQ(B("ABC"), ModelBytes(model));
}

TEST_F(HexClipboardTest, ReadOnlyEditorCopiesButDoesNotPaste)
{
    HexEditModel model;
    model.SetEditable(FALSE);
    SetUpModel(model, B({1, 2, 3}));
    model.SelectAll();
    ASSERT_TRUE(HexCopyToClipboard(model, m_owner));
    HexPasteFromClipboard(model, m_owner);
    HexCutToClipboard(model, m_owner);
    EXPECT_EQ(B({1, 2, 3}), ModelBytes(model));
    Bytes block;
    ASSERT_TRUE(ClipboardBlock(m_owner, HexBinaryDataFormat(), block));
    EXPECT_EQ(B({3, 0, 0, 0, 1, 2, 3}), block);
}

TEST_F(HexClipboardTest, ForeignBinaryDataIsNotTrusted)
{
    HexEditModel model;
    SetUpModel(model, B({0xEE}));
    // Under four bytes: nothing, even with text beside it.
    PutBlocks(m_owner, {{HexBinaryDataFormat(), B({5, 0})}, {CF_TEXT, B({'X', 0})}});
    HexPasteFromClipboard(model, m_owner);
    EXPECT_EQ(B({0xEE}), ModelBytes(model));
    // A count beyond the block is cut to what the block holds.
    PutBlocks(m_owner, {{HexBinaryDataFormat(), B({0x00, 0x10, 0, 0, 7, 8, 9})}});
    HexPasteFromClipboard(model, m_owner);
    EXPECT_EQ(B({7, 8, 9, 0xEE}), ModelBytes(model));

    // An empty clipboard offers nothing.
    ASSERT_TRUE(OpenClipboard(m_owner));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(HexClipboardCanPaste());
    HexPasteFromClipboard(model, m_owner);
    EXPECT_EQ(4u, model.GetDataSize());
}

TEST_F(HexClipboardTest, CutRemovesOnlyWhatReachedTheClipboard)
{
    HexEditModel model;
    SetUpModel(model, B({1, 2, 3, 4}));
    model.MoveCaret(1, 0, false);
    model.KeyDown(VK_RIGHT, true, false);
    model.KeyDown(VK_RIGHT, true, false);

    // While another thread holds the clipboard open the copy fails, and the bytes stay.
    HANDLE opened = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE release = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread holder([&]() {
        HWND w = MakeOwnerWindow();
        const BOOL ok = OpenClipboard(w);
        SetEvent(opened);
        WaitForSingleObject(release, 5000);
        if (ok)
            CloseClipboard();
        DestroyWindow(w);
    });
    WaitForSingleObject(opened, 5000);
    HexCutToClipboard(model, m_owner);
    EXPECT_EQ(B({1, 2, 3, 4}), ModelBytes(model));
    EXPECT_FALSE(model.HasNoSelection());
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);

    HexCutToClipboard(model, m_owner);
    EXPECT_EQ(B({1, 4}), ModelBytes(model));
    Bytes block;
    ASSERT_TRUE(ClipboardBlock(m_owner, HexBinaryDataFormat(), block));
    EXPECT_EQ(B({2, 0, 0, 0, 2, 3}), block);

    // In overwrite mode the cut bytes become zeros.
    model.KeyDown(VK_INSERT, false, false);
    model.KeyDown(VK_RIGHT, true, false);
    HexCutToClipboard(model, m_owner);
    EXPECT_EQ(B({1, 0}), ModelBytes(model));
}
