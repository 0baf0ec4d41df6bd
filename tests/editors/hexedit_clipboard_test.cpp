// Two real CHexEdit windows exchanging bytes through the real clipboard, driven by keys.
#include "hexclipboard.h"
#include "hexedit_test_support.h"

using namespace winharness;

namespace {

class HexEditClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { EmptyTheClipboard(parent); }
    void TearDown() override { EmptyTheClipboard(parent); }

    Bytes Block(UINT format)
    {
        Bytes block;
        if (!OpenClipboard(parent))
            return block;
        HANDLE handle = GetClipboardData(format);
        if (handle) {
            const BYTE* p = static_cast<const BYTE*>(GlobalLock(handle));
            if (p) {
                block.assign(p, p + GlobalSize(handle));
                GlobalUnlock(handle);
            }
        }
        CloseClipboard();
        return block;
    }

    HiddenParent parent;
};

}  // namespace

TEST_F(HexEditClipboardTest, CopyInOneEditorPastesExactlyTheBytesIntoAnother)
{
    CHexEdit source, target;
    ASSERT_TRUE(MakeEditor(source, parent, B({0x00, 0x41, 0x00}), 100));
    ASSERT_TRUE(MakeEditor(target, parent, B({0xEE, 0xFF}), 101));

    source.SetFocus();
    SendKey(source, 'A', kCtrl);
    SendKey(source, 'C', kCtrl);
    EXPECT_EQ(B({0x03, 0x00, 0x00, 0x00, 0x00, 0x41, 0x00}), Block(HexBinaryDataFormat()));
    EXPECT_EQ(4u, Block(CF_TEXT).size());
    EXPECT_TRUE(CHexEdit::CanPaste());

    target.SetFocus();
    SendKey(target, VK_RIGHT);
    SendKey(target, 'V', kCtrl);
    EXPECT_EQ(B({0xEE, 0x00, 0x41, 0x00, 0xFF}), EditorBytes(target));
    EXPECT_EQ(1, target.GetModel().GetCaret());
    // Shift+Insert pastes as well; in overwrite mode it writes over the bytes at the caret.
    SendKey(target, VK_INSERT);
    SendKey(target, VK_INSERT, kShift);
    EXPECT_EQ(B({0xEE, 0x00, 0x41, 0x00, 0xFF}), EditorBytes(target));
    SendKey(target, VK_HOME, kCtrl);
    SendKey(target, VK_INSERT, kShift);
    EXPECT_EQ(B({0x00, 0x41, 0x00, 0x00, 0xFF}), EditorBytes(target));
}

TEST_F(HexEditClipboardTest, TextAlonePastesItsBytes)
{
    CHexEdit hex;
    ASSERT_TRUE(MakeEditor(hex, parent, Bytes()));
    ASSERT_TRUE(PutTextBlock(parent, "ABC", 4));
    hex.SetFocus();
    SendKey(hex, 'V', kCtrl);
    EXPECT_EQ(B("ABC"), EditorBytes(hex));
}

TEST_F(HexEditClipboardTest, CutRemovesTheSelectionInInsertModeAndZeroesItInOverwriteMode)
{
    CHexEdit hex;
    ASSERT_TRUE(MakeEditor(hex, parent, B({1, 2, 3, 4, 5})));
    hex.SetFocus();
    SendKey(hex, VK_RIGHT);
    SendKey(hex, VK_RIGHT, kShift);
    SendKey(hex, VK_RIGHT, kShift);
    SendKey(hex, 'X', kCtrl);
    EXPECT_EQ(B({1, 4, 5}), EditorBytes(hex));
    EXPECT_EQ(B({2, 0, 0, 0, 2, 3}), Block(HexBinaryDataFormat()));

    SendKey(hex, VK_INSERT);
    SendKey(hex, VK_RIGHT, kShift);
    SendKey(hex, VK_DELETE, kShift);
    EXPECT_EQ(B({1, 0, 5}), EditorBytes(hex));
    EXPECT_EQ(B({1, 0, 0, 0, 4}), Block(HexBinaryDataFormat()));
}

TEST_F(HexEditClipboardTest, ReadOnlyEditorCopiesButDoesNotPasteOrCut)
{
    CHexEdit readOnly;
    ASSERT_TRUE(MakeEditor(readOnly, parent, B({7, 8, 9})));
    readOnly.SetEditable(FALSE);
    readOnly.SetFocus();
    SendKey(readOnly, 'A', kCtrl);
    SendKey(readOnly, 'C', kCtrl);
    EXPECT_EQ(B({3, 0, 0, 0, 7, 8, 9}), Block(HexBinaryDataFormat()));

    SendKey(readOnly, 'V', kCtrl);
    SendKey(readOnly, VK_INSERT, kShift);
    SendKey(readOnly, 'X', kCtrl);
    SendKey(readOnly, VK_DELETE, kShift);
    readOnly.Paste();
    readOnly.Cut();
    EXPECT_EQ(B({7, 8, 9}), EditorBytes(readOnly));
    EXPECT_FALSE(readOnly.HasNoSelection());

    // Ctrl+Insert copies only in an editable editor.
    EmptyTheClipboard(parent);
    SendKey(readOnly, VK_INSERT, kCtrl);
    EXPECT_FALSE(CHexEdit::CanPaste());
    readOnly.Copy();
    EXPECT_TRUE(CHexEdit::CanPaste());
}
