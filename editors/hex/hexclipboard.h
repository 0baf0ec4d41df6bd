// The hex editor's clipboard: the selection travels as the registered format "BinaryData"
// (a 4-byte little-endian count and the bytes) with CF_TEXT beside it (the raw bytes and a
// 0x00, zero bytes included). The payload builders and readers are plain functions; the
// clipboard calls take the owner window and the editor model.
//
// A clipboard's contents come from any program, so a paste trusts nothing: a "BinaryData"
// block under 4 bytes gives nothing and its count is cut to what the block holds, an empty
// CF_TEXT block gives nothing, and a block that cannot be locked gives nothing.
#pragma once

#include <windows.h>

#include <vector>

class HexEditModel;

extern const char kHexClipboardFormatName[];  // "BinaryData"
UINT HexBinaryDataFormat();

std::vector<BYTE> MakeBinaryDataBlock(const BYTE* bytes, UINT n);
std::vector<BYTE> MakeTextBlock(const BYTE* bytes, UINT n);
// The bytes a clipboard block stands for; false when it gives none.
bool ParseBinaryDataBlock(const BYTE* block, SIZE_T blockSize, std::vector<BYTE>& bytes);
bool ParseTextBlock(const BYTE* block, SIZE_T blockSize, std::vector<BYTE>& bytes);

// Puts the bytes on the clipboard in both formats; FALSE when the clipboard cannot be opened
// or the blocks cannot be made.
BOOL HexClipboardPut(HWND owner, const BYTE* bytes, UINT n);
// Reads "BinaryData" when offered, else CF_TEXT; FALSE when neither gives bytes.
BOOL HexClipboardGet(HWND owner, std::vector<BYTE>& bytes);
// Whether the clipboard offers a format the editor pastes.
BOOL HexClipboardCanPaste();

// The editor's clipboard commands.
BOOL HexCopyToClipboard(const HexEditModel& model, HWND owner);
void HexCutToClipboard(HexEditModel& model, HWND owner);
void HexPasteFromClipboard(HexEditModel& model, HWND owner);
