#include "hexclipboard.h"

#include <string.h>

#include "hexeditmodel.h"

const char kHexClipboardFormatName[] = "BinaryData";

namespace {

HGLOBAL MakeGlobalBlock(const std::vector<BYTE>& content)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, content.size());
    if (!block)
        return NULL;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return NULL;
    }
    memcpy(p, content.data(), content.size());
    GlobalUnlock(block);
    return block;
}

bool ReadClipboardBlock(UINT format, bool binary, std::vector<BYTE>& bytes)
{
    HANDLE handle = GetClipboardData(format);
    if (!handle)
        return false;
    const BYTE* block = static_cast<const BYTE*>(GlobalLock(handle));
    if (!block)
        return false;
    const SIZE_T size = GlobalSize(handle);
    const bool ok = binary ? ParseBinaryDataBlock(block, size, bytes) : ParseTextBlock(block, size, bytes);
    GlobalUnlock(handle);
    return ok;
}

}  // namespace

UINT HexBinaryDataFormat()
{
    static const UINT format = RegisterClipboardFormatA(kHexClipboardFormatName);
    return format;
}

std::vector<BYTE> MakeBinaryDataBlock(const BYTE* bytes, UINT n)
{
    std::vector<BYTE> block(4 + static_cast<size_t>(n));
    for (int i = 0; i < 4; ++i)
        block[i] = static_cast<BYTE>(n >> (8 * i));
    if (n)
        memcpy(block.data() + 4, bytes, n);
    return block;
}

std::vector<BYTE> MakeTextBlock(const BYTE* bytes, UINT n)
{
    std::vector<BYTE> block(static_cast<size_t>(n) + 1);
    if (n)
        memcpy(block.data(), bytes, n);
    block[n] = 0;
    return block;
}

bool ParseBinaryDataBlock(const BYTE* block, SIZE_T blockSize, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (!block || blockSize < 4)
        return false;
    SIZE_T count = block[0] | (block[1] << 8) | (block[2] << 16) | (static_cast<DWORD>(block[3]) << 24);
    if (count > blockSize - 4)
        count = blockSize - 4;
    bytes.assign(block + 4, block + 4 + count);
    return count > 0;
}

bool ParseTextBlock(const BYTE* block, SIZE_T blockSize, std::vector<BYTE>& bytes)
{
    // The whole block less its terminating byte, not the string length: zero bytes copied
    // from the editor come back.
    bytes.clear();
    if (!block || blockSize == 0)
        return false;
    bytes.assign(block, block + blockSize - 1);
    return !bytes.empty();
}

BOOL HexClipboardPut(HWND owner, const BYTE* bytes, UINT n)
{
    if (!OpenClipboard(owner))
        return FALSE;
    EmptyClipboard();
    HGLOBAL binary = MakeGlobalBlock(MakeBinaryDataBlock(bytes, n));
    HGLOBAL text = MakeGlobalBlock(MakeTextBlock(bytes, n));
    BOOL ok = binary && text;
    if (ok) {
        if (!SetClipboardData(HexBinaryDataFormat(), binary)) {
            GlobalFree(binary);
            ok = FALSE;
        }
        if (!SetClipboardData(CF_TEXT, text)) {
            GlobalFree(text);
            ok = FALSE;
        }
    } else {
        if (binary)
            GlobalFree(binary);
        if (text)
            GlobalFree(text);
    }
    CloseClipboard();
    return ok;
}

BOOL HexClipboardGet(HWND owner, std::vector<BYTE>& bytes)
{
    bytes.clear();
    const UINT binaryFormat = HexBinaryDataFormat();
    const bool haveBinary = IsClipboardFormatAvailable(binaryFormat) != FALSE;
    if (!haveBinary && !IsClipboardFormatAvailable(CF_TEXT))
        return FALSE;
    if (!OpenClipboard(owner))
        return FALSE;
    const bool ok = haveBinary ? ReadClipboardBlock(binaryFormat, true, bytes)
                               : ReadClipboardBlock(CF_TEXT, false, bytes);
    CloseClipboard();
    return ok ? TRUE : FALSE;
}

BOOL HexClipboardCanPaste()
{
    return IsClipboardFormatAvailable(HexBinaryDataFormat()) || IsClipboardFormatAvailable(CF_TEXT);
}

BOOL HexCopyToClipboard(const HexEditModel& model, HWND owner)
{
    std::vector<BYTE> bytes;
    if (!model.GetSelectedBytes(bytes))
        return FALSE;
    return HexClipboardPut(owner, bytes.data(), static_cast<UINT>(bytes.size()));
}

void HexCutToClipboard(HexEditModel& model, HWND owner)
{
    // The selection goes only once it is on the clipboard; a failed copy keeps it.
    if (!model.IsEditable() || model.HasNoSelection())
        return;
    if (HexCopyToClipboard(model, owner))
        model.CutSelection();
}

void HexPasteFromClipboard(HexEditModel& model, HWND owner)
{
    if (!model.IsEditable())
        return;
    std::vector<BYTE> bytes;
    if (HexClipboardGet(owner, bytes))
        model.InsertData(bytes.data(), static_cast<UINT>(bytes.size()));
}
