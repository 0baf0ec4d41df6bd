// Half-typed bytes and whole characters: a first hex digit ends with any selection change,
// paste, cut or delete, so the next digit starts a byte of its own; an input-method
// character in overwrite mode is stored whole. Random key sequences run against a reference
// byte vector.
#include <gtest/gtest.h>

#include <random>

#include "hex_test_support.h"

namespace {

void Paste(HexEditModel& model, const Bytes& bytes)
{
    model.InsertData(bytes.data(), static_cast<UINT>(bytes.size()));
}

// What the keys do to the bytes, the caret and the half-typed digit, written plainly.
struct ReferenceHex {
    Bytes data;
    int caret = 0;
    int nibble = 0;
    int selStart = -1;
    int selEnd = -1;
    bool insert = true;

    int Size() const { return static_cast<int>(data.size()); }
    bool HasSelection() const { return selStart >= 0; }
    void EndSelection(int newCaret)
    {
        caret = newCaret;
        selStart = selEnd = -1;
        nibble = 0;
    }
    void EraseSelection()
    {
        data.erase(data.begin() + selStart, data.begin() + selEnd + 1);
        EndSelection(selStart);
    }
    void ZeroSelection()
    {
        std::fill(data.begin() + selStart, data.begin() + selEnd + 1, 0);
        EndSelection(selStart);
    }

    void Digit(int digit)
    {
        if (HasSelection()) {
            if (insert) {
                EraseSelection();
                data.insert(data.begin() + caret, 0);
            } else {
                ZeroSelection();
            }
        } else if (caret == Size()) {
            if (!insert)
                return;
            data.insert(data.begin() + caret, 0);
        } else if (insert && nibble == 0) {
            data.insert(data.begin() + caret, 0);
        }
        BYTE& b = data[caret];
        b = nibble == 0 ? static_cast<BYTE>((digit << 4) | (b & 0x0F)) : static_cast<BYTE>((b & 0xF0) | digit);
        if (++nibble == 2) {
            nibble = 0;
            ++caret;
        }
    }
    void SelectAll()
    {
        if (data.empty())
            return;
        selStart = 0;
        selEnd = Size() - 1;
        caret = 0;
        nibble = 0;
    }
    void Move(int delta)
    {
        EndSelection(std::max(0, std::min(Size(), caret + delta)));
    }
    void Paste(const Bytes& bytes)
    {
        nibble = 0;
        int n = static_cast<int>(bytes.size());
        if (insert) {
            if (HasSelection())
                EraseSelection();
            data.insert(data.begin() + caret, bytes.begin(), bytes.end());
            return;
        }
        if (HasSelection()) {
            n = std::min(n, selEnd - selStart + 1);
            EndSelection(selStart);
        }
        n = std::min(n, Size() - caret);
        std::copy(bytes.begin(), bytes.begin() + n, data.begin() + caret);
    }
    void Cut()
    {
        if (!HasSelection())
            return;
        if (insert)
            EraseSelection();
        else
            ZeroSelection();
    }
    void Delete()
    {
        if (HasSelection()) {
            if (insert)
                EraseSelection();
            else
                ZeroSelection();
        } else {
            if (insert && caret < Size())
                data.erase(data.begin() + caret);
            nibble = 0;
        }
    }
    void InsertKey()
    {
        insert = !insert;
        if (HasSelection())
            EndSelection(caret);
    }
};

}  // namespace

TEST(HexHalfTyped, SelectAllAfterOneDigitStartsAFreshByte)
{
    HexEditModel model;
    SetUpModel(model, B({0x8B, 0x11, 0x22, 0x33}));
    model.KeyDown(VK_INSERT, false, false);  // overwrite mode
    Type(model, "E");
    EXPECT_EQ(B({0xEB, 0x11, 0x22, 0x33}), ModelBytes(model));
    model.KeyDown('A', false, true);
    Type(model, "1234");
    EXPECT_EQ(B({0x12, 0x34, 0x00, 0x00}), ModelBytes(model));
    EXPECT_EQ(2, model.GetCaret());
}

TEST(HexHalfTyped, PasteCutAndDeleteEndTheHalfTypedByte)
{
    HexEditModel model;
    SetUpModel(model, Bytes());
    Type(model, "4");
    Paste(model, B({0x6E}));
    Type(model, "1");
    EXPECT_EQ(B({0x10, 0x6E, 0x40}), ModelBytes(model));

    // Delete in insert mode removes the half-typed byte; the next digit is a new byte.
    SetUpModel(model, B({0xAA, 0xBB}));
    Type(model, "5");
    model.KeyDown(VK_DELETE, false, false);
    Type(model, "7");
    EXPECT_EQ(B({0x70, 0xAA, 0xBB}), ModelBytes(model));

    // Cut of a selection made after one digit.
    SetUpModel(model, B({0xAA, 0xBB, 0xCC}));
    Type(model, "5");
    model.KeyDown('A', false, true);
    model.CutSelection();
    Type(model, "9");
    EXPECT_EQ(B({0x90}), ModelBytes(model));
    EXPECT_EQ(1, model.GetNibble());
}

TEST(HexHalfTyped, RandomKeySequencesWriteEveryDigitIntoItsOwnHalf)
{
    std::mt19937 random(38);
    for (int run = 0; run < 300; ++run) {
        HexEditModel model;
        ReferenceHex reference;
        const int start = random() % 6;
        for (int i = 0; i < start; ++i)
            reference.data.push_back(static_cast<BYTE>(random()));
        SetUpModel(model, reference.data);
        std::string trace;
        for (int step = 0; step < 40; ++step) {
            const int op = random() % 12;
            if (op < 5) {
                const int digit = random() % 16;
                trace += "0123456789ABCDEF"[digit];
                model.Char("0123456789ABCDEF"[digit]);
                reference.Digit(digit);
            } else if (op == 5) {
                trace += " ^A ";
                model.KeyDown('A', false, true);
                reference.SelectAll();
            } else if (op == 6) {
                Bytes bytes(1 + random() % 3);
                for (BYTE& b : bytes)
                    b = static_cast<BYTE>(random());
                trace += " paste" + std::to_string(bytes.size()) + " ";
                Paste(model, bytes);
                reference.Paste(bytes);
            } else if (op == 7) {
                trace += " cut ";
                model.CutSelection();
                reference.Cut();
            } else if (op == 8) {
                trace += " del ";
                model.KeyDown(VK_DELETE, false, false);
                reference.Delete();
            } else if (op == 9) {
                trace += " ins ";
                model.KeyDown(VK_INSERT, false, false);
                reference.InsertKey();
            } else {
                const bool left = op == 10;
                trace += left ? " < " : " > ";
                model.KeyDown(left ? VK_LEFT : VK_RIGHT, false, false);
                reference.Move(left ? -1 : 1);
            }
            ASSERT_EQ(reference.data, ModelBytes(model)) << "run " << run << ": " << trace;
            ASSERT_EQ(reference.caret, model.GetCaret()) << "run " << run << ": " << trace;
        }
    }
}

TEST(HexHalfTyped, InputMethodCharacterInOverwriteModeIsStoredWhole)
{
    HexEditModel model;
    model.m_nCharCode = CHARCODE_SJIS;
    SetUpModel(model, B("abc"));
    model.KeyDown(VK_INSERT, false, false);
    model.MoveCaret(2, 0, false);
    model.ImeChar(0x82A0);
    EXPECT_EQ(B({'a', 'b', 0x82, 0xA0}), ModelBytes(model));
    EXPECT_EQ(4, model.GetCaret());
    model.Undo();
    EXPECT_EQ(B("abc"), ModelBytes(model));
    EXPECT_FALSE(model.CanUndo());
    model.Redo();
    EXPECT_EQ(B({'a', 'b', 0x82, 0xA0}), ModelBytes(model));
    model.Undo();
    EXPECT_EQ(B("abc"), ModelBytes(model));

    // Over a one-byte selection: the selected byte is overwritten, the rest inserted.
    model.m_nCharCode = CHARCODE_UTF8;
    model.MoveCaret(1 - model.GetCaret(), 0, false);
    model.KeyDown(VK_RIGHT, true, false);
    ASSERT_EQ(1, model.GetSelStart());
    model.ImeChar(0x82A0);
    EXPECT_EQ(B({'a', 0xE3, 0x81, 0x82, 'c'}), ModelBytes(model));
    EXPECT_EQ(4, model.GetCaret());
    model.Undo();
    EXPECT_EQ(B("abc"), ModelBytes(model));

    // At the append position the character is appended.
    model.KeyDown(VK_END, false, true);
    model.ImeChar(0x82A0);
    EXPECT_EQ(B({'a', 'b', 'c', 0xE3, 0x81, 0x82}), ModelBytes(model));
    // Where it fits it only overwrites, as before.
    model.MoveCaret(-model.GetCaret(), 0, false);
    model.ImeChar(0x82A0);
    EXPECT_EQ(B({0xE3, 0x81, 0x82, 0xE3, 0x81, 0x82}), ModelBytes(model));
}
