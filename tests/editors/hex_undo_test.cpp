// Undo and redo histories of the hex editor model.
#include <gtest/gtest.h>

#include <algorithm>

#include "hex_test_support.h"

TEST(HexUndo, HistoryKeepsTheNewest999Edits)
{
    HexEditModel model;
    SetUpModel(model, Bytes(1000, 0));
    model.KeyDown(VK_INSERT, false, false);  // overwrite: one record per typed character
    Click(model, PointOfByte(model, 0, true));
    for (int i = 0; i < 1000; ++i)
        model.Char('a' + i % 26);
    EXPECT_EQ(999u, model.GetUndoList().GetCount());
    int undone = 0;
    while (model.CanUndo()) {
        model.Undo();
        ++undone;
    }
    EXPECT_EQ(999, undone);
    Bytes expected(1000, 0);
    expected[0] = 'a';  // the first edit can no longer be undone
    EXPECT_EQ(expected, ModelBytes(model));
    EXPECT_EQ(999u, model.GetRedoList().GetCount());
}

TEST(HexUndo, UndoneInsertionIsRedoneAtTheSamePlace)
{
    HexEditModel model;
    SetUpModel(model, B({0x00, 0x11, 0x22}));
    model.MoveCaret(1, 0, false);
    const Bytes two = B({0xAA, 0xBB});
    model.InsertData(two.data(), 2);
    ASSERT_EQ(B({0x00, 0xAA, 0xBB, 0x11, 0x22}), ModelBytes(model));
    model.KeyDown(VK_END, false, true);

    model.Undo();
    EXPECT_EQ(B({0x00, 0x11, 0x22}), ModelBytes(model));
    EXPECT_EQ(1, model.GetCaret());
    ASSERT_EQ(1u, model.GetRedoList().GetCount());
    const HexUndoRecord& redo = model.GetRedoList().GetAt(0);
    EXPECT_EQ(HEXUNDO_REMOVED, redo.nKind);
    EXPECT_EQ(1, redo.nPosition);
    EXPECT_EQ(2u, redo.nCount);

    model.KeyDown(VK_END, false, true);
    model.Redo();
    EXPECT_EQ(B({0x00, 0xAA, 0xBB, 0x11, 0x22}), ModelBytes(model));
    EXPECT_FALSE(model.CanRedo());
    model.Undo();
    model.Redo();
    EXPECT_EQ(B({0x00, 0xAA, 0xBB, 0x11, 0x22}), ModelBytes(model));
}

TEST(HexUndo, NewEditsEmptyRedoButRedoDoesNot)
{
    HexEditModel model;
    SetUpModel(model, B({1, 2, 3, 4}));
    model.MoveCaret(1, 0, false);
    model.KeyDown(VK_DELETE, false, false);
    model.KeyDown(VK_DELETE, false, false);
    ASSERT_EQ(B({1, 4}), ModelBytes(model));
    model.Undo();
    model.Undo();
    EXPECT_EQ(B({1, 2, 3, 4}), ModelBytes(model));
    EXPECT_EQ(2u, model.GetRedoList().GetCount());
    model.Redo();
    EXPECT_EQ(B({1, 3, 4}), ModelBytes(model));
    EXPECT_EQ(1u, model.GetRedoList().GetCount());
    EXPECT_EQ(1u, model.GetUndoList().GetCount());
    model.Char('7');
    EXPECT_FALSE(model.CanRedo());
    EXPECT_EQ(2u, model.GetUndoList().GetCount());
}

TEST(HexUndo, OverwritesAndZeroFillsUndoToTheOldBytes)
{
    HexEditModel model;
    SetUpModel(model, B({1, 2, 3, 4}));
    model.KeyDown(VK_INSERT, false, false);
    model.MoveCaret(1, 0, false);
    model.KeyDown(VK_RIGHT, true, false);
    model.KeyDown(VK_RIGHT, true, false);
    model.KeyDown(VK_DELETE, false, false);
    ASSERT_EQ(B({1, 0, 0, 4}), ModelBytes(model));
    model.Undo();
    EXPECT_EQ(B({1, 2, 3, 4}), ModelBytes(model));
    model.Redo();
    EXPECT_EQ(B({1, 0, 0, 4}), ModelBytes(model));
}

TEST(HexUndo, SetDataUndoesInTwoSteps)
{
    HexEditModel model;
    SetUpModel(model, B({9, 8, 7}));
    const Bytes fresh = B({1, 2, 3, 4, 5});
    model.SetData(fresh.data(), 5);
    EXPECT_EQ(0, model.GetCaret());
    model.Undo();
    EXPECT_EQ(0u, model.GetDataSize());
    model.Undo();
    EXPECT_EQ(B({9, 8, 7}), ModelBytes(model));
    model.Redo();
    model.Redo();
    EXPECT_EQ(fresh, ModelBytes(model));

    // Clearing: an empty buffer and no history at all.
    model.SetData(NULL, 0);
    model.ClearUndo();
    EXPECT_FALSE(model.CanUndo());
    EXPECT_FALSE(model.CanRedo());
    model.Undo();
    EXPECT_EQ(0u, model.GetDataSize());
}

// Bytes the records of a history list hold.
size_t HeldBytes(const HexUndoList& list)
{
    size_t n = 0;
    for (size_t i = 0; i < list.GetCount(); ++i)
        n += list.GetAt(i).nKind == HEXUNDO_INSERTED ? 0 : list.GetAt(i).nCount;
    return n;
}

TEST(HexUndo, ReplacingTheWholeDataKeepsUndoMemoryBounded)
{
    // Bytes a device sends for an hour: 1,000 replacements of 64 KiB each.
    const UINT kBlock = 64 * 1024;
    const size_t kBound = 16u << 20;
    HexEditModel editor, viewer;
    SetUpModel(editor, Bytes());
    SetUpModel(viewer, Bytes());
    viewer.SetEditable(FALSE);
    Bytes block(kBlock);
    for (int i = 0; i < 1000; ++i) {
        std::fill(block.begin(), block.end(), static_cast<BYTE>(i));
        editor.SetData(block.data(), kBlock);
        viewer.SetData(block.data(), kBlock);
    }
    // A viewer's user cannot undo: it keeps nothing.
    EXPECT_EQ(0u, viewer.GetUndoList().GetCount());
    EXPECT_FALSE(viewer.CanRedo());
    EXPECT_EQ(Bytes(kBlock, 999 % 256), ModelBytes(viewer));

    // An editor keeps its newest steps within the bound, and they still undo.
    EXPECT_LE(HeldBytes(editor.GetUndoList()), kBound);
    editor.Undo();
    editor.Undo();
    EXPECT_EQ(Bytes(kBlock, 998 % 256), ModelBytes(editor));
    while (editor.CanUndo())
        editor.Undo();
    EXPECT_LE(HeldBytes(editor.GetRedoList()), kBound);
    editor.Redo();
    editor.Redo();
    EXPECT_LE(HeldBytes(editor.GetUndoList()) + HeldBytes(editor.GetRedoList()), 2 * kBound);

    // One step larger than the bound is still kept: the last replacement can be undone.
    Bytes big((kBound / kBlock + 1) * kBlock, 0x77);
    editor.SetData(big.data(), static_cast<UINT>(big.size()));
    editor.SetData(block.data(), kBlock);
    editor.Undo();
    editor.Undo();
    EXPECT_EQ(big, ModelBytes(editor));
}

TEST(HexUndo, SelectionReplacedByTypingUndoesInTwoSteps)
{
    HexEditModel model;
    SetUpModel(model, B({1, 2, 3, 4}));
    model.KeyDown(VK_RIGHT, true, false);
    model.KeyDown(VK_RIGHT, true, false);
    Type(model, "f");
    ASSERT_EQ(B({0xF0, 3, 4}), ModelBytes(model));
    model.Undo();
    EXPECT_EQ(B({3, 4}), ModelBytes(model));
    model.Undo();
    EXPECT_EQ(B({1, 2, 3, 4}), ModelBytes(model));
}
