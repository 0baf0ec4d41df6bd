// The byte buffer under long runs of edits, and undo and redo of many edits: the bytes always
// match a plain reference, however the buffer keeps its room.
#include <gtest/gtest.h>

#include "hex_test_support.h"
#include "hexbuffer.h"

namespace {

unsigned Next(unsigned& seed)
{
    seed = seed * 1103515245 + 12345;
    return seed >> 8;
}

Bytes Content(const HexBuffer& buffer)
{
    Bytes bytes;
    buffer.Read(0, buffer.GetSize(), bytes);
    return bytes;
}

}  // namespace

TEST(HexBuffer, GrowingAndShrinkingKeepTheBytesOfAPlainReference)
{
    HexBuffer buffer;
    Bytes reference(100000, 0x11);
    buffer.Assign(reference.data(), static_cast<UINT>(reference.size()));
    unsigned seed = 3;
    for (int step = 0; step < 400; ++step) {
        const UINT size = static_cast<UINT>(reference.size());
        const UINT at = size ? Next(seed) % (size + 1) : 0;
        // Large insertions early and large removals late, so the room grows and is given back.
        const UINT n = 1 + Next(seed) % (step < 200 ? 40000 : 60000);
        const unsigned previous = buffer.GetVersion();
        switch (Next(seed) % 4) {
        case 0:
            ASSERT_TRUE(buffer.Insert(at, n));
            reference.insert(reference.begin() + at, n, 0);
            break;
        case 1:
            if (step < 200 || at == size)
                continue;
            buffer.Remove(at, n);
            reference.erase(reference.begin() + at, reference.begin() + std::min(size, at + n));
            break;
        case 2: {
            if (at == size)
                continue;
            const Bytes bytes(n, static_cast<BYTE>(step));
            const UINT written = buffer.Write(at, bytes.data(), n);
            ASSERT_EQ(std::min(n, size - at), written);
            std::copy(bytes.begin(), bytes.begin() + written, reference.begin() + at);
            break;
        }
        default:
            if (at == size)
                continue;
            buffer.SetAt(at, static_cast<BYTE>(0xA0 + step));
            reference[at] = static_cast<BYTE>(0xA0 + step);
        }
        EXPECT_NE(previous, buffer.GetVersion()) << "step " << step;
        ASSERT_EQ(reference.size(), buffer.GetSize()) << "step " << step;
    }
    EXPECT_TRUE(reference == Content(buffer));

    // What is handed out is a copy of its own.
    COleSafeArray copy = buffer.ToSafeArray();
    ASSERT_EQ(reference.size(), copy.GetOneDimSize());
    void* p = NULL;
    copy.AccessData(&p);
    static_cast<BYTE*>(p)[0] ^= 0xFF;
    copy.UnaccessData();
    EXPECT_EQ(reference[0], buffer.GetAt(0));
    HexBuffer::Reader reader(buffer);
    ASSERT_EQ(reference.size(), reader.Size());
    EXPECT_EQ(0, memcmp(reference.data(), reader.Data(), reference.size()));
}

TEST(HexBuffer, UndoingAndRedoingHundredsOfEditsGivesEachStateBack)
{
    HexEditModel model;
    const Bytes original(5000, 0x42);
    SetUpModel(model, original);
    unsigned seed = 11;
    for (int i = 0; i < 450; ++i) {
        model.m_dwMode = HEXMODE_HEXCOLUMN | ((Next(seed) & 1) ? HEXMODE_INSERT : 0);
        model.MoveCaret(static_cast<int>(Next(seed) % model.GetDataSize()) - model.GetCaret(), 0, true);
        model.Char("0123456789ABCDEF"[Next(seed) % 16]);
        model.Char("0123456789ABCDEF"[Next(seed) % 16]);
    }
    const Bytes edited = ModelBytes(model);
    // 900 digits, each an edit of its own, all within the 999 the history keeps.
    int undone = 0;
    while (model.CanUndo()) {
        model.Undo();
        ++undone;
    }
    EXPECT_EQ(900, undone);
    EXPECT_TRUE(original == ModelBytes(model));
    while (model.CanRedo())
        model.Redo();
    EXPECT_TRUE(edited == ModelBytes(model));
    while (model.CanUndo())
        model.Undo();
    EXPECT_TRUE(original == ModelBytes(model));
}
