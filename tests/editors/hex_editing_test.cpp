// Editing through keys, typed characters, the mouse and the primitives, in insert and
// overwrite mode.
#include <gtest/gtest.h>

#include "hex_test_support.h"

namespace {

void SetOverwrite(HexEditModel& model)
{
    model.KeyDown(VK_INSERT, false, false);
    ASSERT_FALSE(model.IsInsertMode());
}

void ShiftRight(HexEditModel& model, int times)
{
    for (int i = 0; i < times; ++i)
        model.KeyDown(VK_RIGHT, true, false);
}

}  // namespace

TEST(HexEditing, TwoDigitsInInsertModeAppendOneByte)
{
    HexEditModel model;
    SetUpModel(model, B({0x00, 0x11, 0x22}));
    model.MoveCaret(3, 0, false);
    Type(model, "4");
    EXPECT_EQ(B({0x00, 0x11, 0x22, 0x40}), ModelBytes(model));
    Type(model, "1");
    EXPECT_EQ(B({0x00, 0x11, 0x22, 0x41}), ModelBytes(model));
    EXPECT_EQ(4, model.GetCaret());
    EXPECT_EQ(0, model.GetNibble());
    const HexUndoList& undo = model.GetUndoList();
    ASSERT_EQ(2u, undo.GetCount());
    EXPECT_EQ(HEXUNDO_INSERTED, undo.GetAt(0).nKind);
    EXPECT_EQ(3, undo.GetAt(0).nPosition);
    EXPECT_EQ(HEXUNDO_OVERWRITTEN, undo.GetAt(1).nKind);
    COleSafeArray previous(undo.GetAt(1).bytes);
    BYTE kept = 0;
    long index = 0;
    previous.GetElement(&index, &kept);
    EXPECT_EQ(0x40, kept);
    // Non-hex characters are not typed in the hex column.
    Type(model, "g- ");
    EXPECT_EQ(4u, model.GetDataSize());
}

TEST(HexEditing, OverwriteModeTypesIntoAZeroedSelection)
{
    HexEditModel model;
    SetUpModel(model, B({1, 2, 3, 4, 5, 6, 7, 8}));
    SetOverwrite(model);
    model.MoveCaret(2, 0, false);
    ShiftRight(model, 4);
    ASSERT_EQ(2, model.GetSelStart());
    ASSERT_EQ(5, model.GetSelEnd());
    Type(model, "A");
    EXPECT_EQ(B({1, 2, 0xA0, 0, 0, 0, 7, 8}), ModelBytes(model));
    EXPECT_TRUE(model.HasNoSelection());
    EXPECT_EQ(2, model.GetCaret());
    Type(model, "b");
    EXPECT_EQ(B({1, 2, 0xAB, 0, 0, 0, 7, 8}), ModelBytes(model));
    EXPECT_EQ(3, model.GetCaret());
}

TEST(HexEditing, OverwriteModeAtTheAppendPositionChangesNothing)
{
    HexEditModel model;
    SetUpModel(model, B({1, 2, 3}));
    SetOverwrite(model);
    model.KeyDown(VK_END, true, true);  // Ctrl+Shift: nothing
    model.KeyDown(VK_END, false, true);
    ASSERT_EQ(3, model.GetCaret());
    model.TakeViewChanges();
    Type(model, "7");
    model.KeyDown(VK_DELETE, false, false);
    model.KeyDown(VK_BACK, false, false);
    const BYTE two[2] = {9, 9};
    model.InsertData(two, 2);
    Click(model, PointOfByte(model, 3, true));
    Type(model, "x");
    EXPECT_EQ(B({1, 2, 3}), ModelBytes(model));
    EXPECT_FALSE(model.CanUndo());
}

TEST(HexEditing, CharactersInTheCharacterColumn)
{
    HexEditModel model;
    SetUpModel(model, B({'a', 'b'}));
    Click(model, PointOfByte(model, 1, true));
    Type(model, "XY\x01");
    EXPECT_EQ(B("aXYb"), ModelBytes(model));
    EXPECT_EQ(3, model.GetCaret());
    SetOverwrite(model);
    Type(model, "Z");
    EXPECT_EQ(B("aXYZ"), ModelBytes(model));
}

TEST(HexEditing, ShiftArrowsExtendAndShrinkTheSelection)
{
    HexEditModel model;
    SetUpModel(model, Bytes(32, 0));
    model.MoveCaret(5, 0, false);
    ShiftRight(model, 3);
    EXPECT_EQ(5, model.GetSelStart());
    EXPECT_EQ(7, model.GetSelEnd());
    model.KeyDown(VK_LEFT, true, false);
    EXPECT_EQ(5, model.GetSelStart());
    EXPECT_EQ(6, model.GetSelEnd());
    model.KeyDown(VK_LEFT, true, false);
    model.KeyDown(VK_LEFT, true, false);
    EXPECT_TRUE(model.HasNoSelection());
    EXPECT_TRUE(model.IsCaretShown());
    // Backwards from 5, then Shift+End jumps to the next line's start.
    model.KeyDown(VK_LEFT, true, false);
    EXPECT_EQ(4, model.GetSelStart());
    EXPECT_EQ(4, model.GetSelEnd());
    model.KeyDown(VK_END, true, false);
    EXPECT_EQ(5, model.GetSelStart());
    EXPECT_EQ(15, model.GetSelEnd());
    EXPECT_EQ(16, model.GetCaret());
    // A plain key clears the selection.
    model.KeyDown(VK_RIGHT, false, false);
    EXPECT_TRUE(model.HasNoSelection());
    EXPECT_EQ(17, model.GetCaret());
}

TEST(HexEditing, DeleteAndBackspaceInBothModes)
{
    HexEditModel model;
    SetUpModel(model, B({0, 1, 2, 3, 4, 5}));
    model.MoveCaret(2, 0, false);
    model.KeyDown(VK_DELETE, false, false);
    EXPECT_EQ(B({0, 1, 3, 4, 5}), ModelBytes(model));
    model.KeyDown(VK_BACK, false, false);
    EXPECT_EQ(B({0, 3, 4, 5}), ModelBytes(model));
    EXPECT_EQ(1, model.GetCaret());
    ShiftRight(model, 2);
    model.KeyDown(VK_BACK, false, false);
    EXPECT_EQ(B({0, 5}), ModelBytes(model));

    model.SetData(B({0, 1, 2, 3}).data(), 4);
    SetOverwrite(model);
    model.MoveCaret(1, 0, false);
    model.KeyDown(VK_DELETE, false, false);
    EXPECT_EQ(B({0, 1, 2, 3}), ModelBytes(model));
    ShiftRight(model, 2);
    model.KeyDown(VK_DELETE, false, false);
    EXPECT_EQ(B({0, 0, 0, 3}), ModelBytes(model));
    ShiftRight(model, 1);
    model.KeyDown(VK_BACK, false, false);
    EXPECT_EQ(4u, model.GetDataSize());
    EXPECT_TRUE(model.HasNoSelection());
}

TEST(HexEditing, ReadOnlyEditorNavigatesButDoesNotEdit)
{
    HexEditModel model;
    model.SetEditable(FALSE);
    SetUpModel(model, B({1, 2, 3}));
    Type(model, "55");
    model.KeyDown(VK_DELETE, false, false);
    model.KeyDown(VK_INSERT, false, false);
    model.ImeChar(0x82A0);
    const BYTE b = 9;
    model.InsertData(&b, 1);
    EXPECT_EQ(B({1, 2, 3}), ModelBytes(model));
    EXPECT_TRUE(model.IsInsertMode());
    EXPECT_EQ(HEXKEY_COPY, model.KeyDown('C', false, true));
    EXPECT_EQ(HEXKEY_NONE, model.KeyDown('V', false, true));
    EXPECT_EQ(HEXKEY_NONE, model.KeyDown(VK_INSERT, false, true));
    model.KeyDown(VK_RIGHT, false, false);
    EXPECT_EQ(1, model.GetCaret());
}

TEST(HexEditing, KeysThatNeedTheWindowComeBackAsActions)
{
    HexEditModel model;
    SetUpModel(model, B({1, 2, 3}));
    EXPECT_EQ(HEXKEY_NEXT_CONTROL, model.KeyDown(VK_TAB, false, false));
    EXPECT_EQ(HEXKEY_PREVIOUS_CONTROL, model.KeyDown(VK_TAB, true, false));
    EXPECT_EQ(HEXKEY_NONE, model.KeyDown(VK_TAB, false, true));
    EXPECT_EQ(HEXKEY_PASTE, model.KeyDown(VK_INSERT, true, false));
    EXPECT_EQ(HEXKEY_CUT, model.KeyDown(VK_DELETE, true, false));
    EXPECT_EQ(HEXKEY_NONE, model.KeyDown('C', true, true));
    model.TakeViewChanges();
    model.KeyDown(VK_INSERT, false, false);
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_CARET_CREATE);
    EXPECT_EQ(8, model.GetCaretSize().cx);  // a cell wide in overwrite mode
}

TEST(HexEditing, MouseSelection)
{
    HexEditModel model;
    SetUpModel(model, Bytes(40, 0));
    // A double click selects the byte under it and puts the caret after it.
    const POINT nine = PointOfByte(model, 9, false);
    model.LButtonDown(nine.x, nine.y, false);
    model.LButtonUp(nine.x, nine.y);
    model.LButtonDblClk(nine.x, nine.y);
    model.LButtonUp(nine.x, nine.y);
    EXPECT_EQ(9, model.GetSelStart());
    EXPECT_EQ(9, model.GetSelEnd());
    EXPECT_EQ(10, model.GetCaret());
    EXPECT_FALSE(model.IsMouseSelecting());

    // A drag from byte 3 to byte 20 selects both ends; the caret lands after the selection.
    const POINT from = PointOfByte(model, 3, false), to = PointOfByte(model, 20, false);
    model.LButtonDown(from.x, from.y, false);
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_CAPTURE);
    model.MouseMove(to.x, to.y);
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_TIP_DEACTIVATE);
    model.LButtonUp(to.x, to.y);
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_RELEASE_CAPTURE);
    EXPECT_EQ(3, model.GetSelStart());
    EXPECT_EQ(20, model.GetSelEnd());
    EXPECT_EQ(21, model.GetCaret());

    // Shift+click extends from the caret; backwards the range ends at the anchor.
    model.KeyDown(VK_RIGHT, false, false);
    Click(model, PointOfByte(model, 2, false), true);
    EXPECT_EQ(2, model.GetSelStart());
    EXPECT_EQ(22, model.GetSelEnd());

    // A click on the header row is ignored.
    model.KeyDown(VK_LEFT, false, false);
    const int caret = model.GetCaret();
    Click(model, POINT{from.x, 3});
    EXPECT_EQ(caret, model.GetCaret());
}

TEST(HexEditing, NoInputChangesTheBytesWhileTheButtonIsHeld)
{
    HexEditModel model;
    SetUpModel(model, Bytes(40, 0x11));
    const POINT from = PointOfByte(model, 3, false), to = PointOfByte(model, 20, false);
    model.LButtonDown(from.x, from.y, false);
    model.MouseMove(to.x, to.y);
    // An input-method character would replace the bytes under a drag that goes on over them.
    model.ImeChar(0x82A0);
    model.Char('7');
    model.KeyDown(VK_DELETE, false, false);
    EXPECT_EQ(Bytes(40, 0x11), ModelBytes(model));
    EXPECT_FALSE(model.CanUndo());
    model.LButtonUp(to.x, to.y);
    EXPECT_EQ(3, model.GetSelStart());
    EXPECT_EQ(20, model.GetSelEnd());
    EXPECT_EQ(21, model.GetCaret());
}

TEST(HexEditing, DragBelowTheRowsScrollsOnTheTimer)
{
    HexEditModel model;
    SetUpModel(model, Bytes(4096, 0), 100, 10);
    const POINT start = PointOfByte(model, 16, false);
    model.LButtonDown(start.x, start.y, false);
    const int below = model.GetLayout().rcClient.bottom + 20;
    model.MouseMove(start.x, below);
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_TIMER_START);
    const int top = model.GetTop();
    model.DragTimer();
    model.DragTimer();
    EXPECT_GT(model.GetTop(), top);
    EXPECT_EQ(16, model.GetSelStart());
    EXPECT_GT(model.GetSelEnd(), 16 * 11);
    model.MouseMove(start.x, start.y + 16);
    EXPECT_TRUE(model.TakeViewChanges() & HEXVIEW_TIMER_STOP);
    model.LButtonUp(start.x, start.y + 16);
    EXPECT_FALSE(model.IsMouseSelecting());
}

TEST(HexEditing, SelectAllAndZeroByteWritesLeaveTheSelection)
{
    HexEditModel model;
    SetUpModel(model, B({1, 2, 3}));
    model.KeyDown('A', false, true);
    EXPECT_EQ(0, model.GetSelStart());
    EXPECT_EQ(2, model.GetSelEnd());
    EXPECT_EQ(0, model.GetCaret());
    // Writing nothing keeps both the selection and the bytes.
    const BYTE none = 0;
    model.InsertData(&none, 0);
    EXPECT_EQ(B({1, 2, 3}), ModelBytes(model));
    EXPECT_FALSE(model.HasNoSelection());
    EXPECT_FALSE(model.InsertUnits(1, 0));
    EXPECT_EQ(3u, model.GetDataSize());
    // An input-method character JIS mode cannot store (a single byte) is dropped the same way.
    model.m_nCharCode = CHARCODE_JIS;
    model.ImeChar('a');
    EXPECT_EQ(B({1, 2, 3}), ModelBytes(model));
    EXPECT_FALSE(model.HasNoSelection());
    EXPECT_FALSE(model.CanUndo());

    HexEditModel empty;
    SetUpModel(empty, Bytes());
    empty.SelectAll();
    EXPECT_TRUE(empty.HasNoSelection());
}

TEST(HexEditing, InputMethodCharactersAreInsertedByMode)
{
    HexEditModel model;
    model.m_nCharCode = CHARCODE_EUC;
    SetUpModel(model, B({'a'}));
    model.MoveCaret(1, 0, false);
    model.ImeChar(0x82A0);
    EXPECT_EQ(B({'a', 0xA4, 0xA2}), ModelBytes(model));
    EXPECT_EQ(3, model.GetCaret());
    model.m_nCharCode = CHARCODE_UTF8;
    model.ImeChar(0xB1);
    EXPECT_EQ(B({'a', 0xA4, 0xA2, 0xEF, 0xBD, 0xB1}), ModelBytes(model));
    EXPECT_EQ(6, model.GetCaret());
}

TEST(HexEditing, OverwritingPasteStopsAtTheDataEnd)
{
    HexEditModel model;
    SetUpModel(model, Bytes(16, 0xEE));
    SetOverwrite(model);
    model.MoveCaret(10, 0, false);
    const Bytes ten(10, 0x55);
    model.InsertData(ten.data(), 10);
    Bytes expected(10, 0xEE);
    expected.insert(expected.end(), 6, 0x55);
    EXPECT_EQ(expected, ModelBytes(model));
    EXPECT_EQ(10, model.GetCaret());
    model.Undo();
    EXPECT_EQ(Bytes(16, 0xEE), ModelBytes(model));

    // Into a selection only as many bytes as it holds.
    model.MoveCaret(-8, 0, false);
    ShiftRight(model, 3);
    model.InsertData(ten.data(), 10);
    expected = Bytes(16, 0xEE);
    expected[2] = expected[3] = expected[4] = 0x55;
    EXPECT_EQ(expected, ModelBytes(model));
    EXPECT_EQ(2, model.GetCaret());
}

TEST(HexEditing, TextConversionsOfTheWholeBuffer)
{
    HexEditModel model;
    model.m_nCharCode = CHARCODE_ASCII;
    SetUpModel(model, B({'A', 'B', 'C', 'D', 'E', 0x0D, 'F'}));
    CString text;
    UINT at = 0;
    EXPECT_FALSE(model.DataToText(text, &at));
    EXPECT_EQ(5u, at);
    model.TextToData("\x82\xA0\r\nx", CHARCODE_EUC, "\n");
    EXPECT_EQ(B({0xA4, 0xA2, '\n', 'x'}), ModelBytes(model));
    model.Undo();
    model.Undo();
    EXPECT_EQ(B({'A', 'B', 'C', 'D', 'E', 0x0D, 'F'}), ModelBytes(model));
}

TEST(HexEditing, SetDataTakesSafeArraysAndGetDataCopies)
{
    HexEditModel model;
    SetUpModel(model, B({1}));
    COleSafeArray data;
    const Bytes bytes = B({5, 6, 7});
    data.CreateOneDim(VT_UI1, 3, bytes.data());
    model.SetData(data);
    EXPECT_EQ(bytes, ModelBytes(model));
    COleSafeArray copy = model.GetData();
    EXPECT_EQ(3u, copy.GetOneDimSize());
    void* p = NULL;
    copy.AccessData(&p);
    static_cast<BYTE*>(p)[0] = 0x99;
    copy.UnaccessData();
    EXPECT_EQ(bytes, ModelBytes(model));

    // A never-created array is empty data, which still takes input.
    model.SetData(COleSafeArray());
    EXPECT_EQ(0u, model.GetDataSize());
    EXPECT_TRUE(model.HasData());
    CString text("x");
    EXPECT_TRUE(model.DataToText(text, NULL));
    EXPECT_TRUE(text.IsEmpty());
    Type(model, "c3");
    EXPECT_EQ(B({0xC3}), ModelBytes(model));
}
