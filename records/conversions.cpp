#include "conversions.h"

#include <string>

uint32_t ParseHexText(LPCTSTR text)
{
    uint32_t value = 0;
    if (text == nullptr)
        return 0;
    for (const char* p = text;; ++p) {
        const char c = *p;
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else
            break;
        value = (value << 4) | digit;
    }
    return value;
}

CString LfToCrLf(LPCTSTR text)
{
    if (text == nullptr)
        return CString();
    // A byte-wise pass is safe in code page 932: LF (0x0A) is never the trail byte of a
    // double-byte character.
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n')
            out += '\r';
        out += *p;
    }
    return CString(out.c_str(), static_cast<int>(out.size()));
}

int FontPointSizeFromIndex(int index)
{
    switch (index) {
    case 1: return 14;
    case 2: return 16;
    case 3: return 18;
    default: return 12;
    }
}

DWORD GetCurrentDirNoSlash(DWORD bufferSize, LPTSTR buffer)
{
    if (buffer == nullptr || bufferSize == 0)
        return 0;
    DWORD length = GetCurrentDirectoryA(bufferSize, buffer);
    if (length == 0 || length >= bufferSize) {
        // Failure, or the folder does not fit (the call then returns the size it needs and
        // leaves the buffer as it was).
        buffer[0] = '\0';
        return 0;
    }
    // Only a real backslash is removed: in code page 932 the last byte may be 0x5C as the
    // trail byte of a double-byte character (a folder named "...表"), which belongs to the name.
    LPSTR last = CharPrevA(buffer, buffer + length);
    if (last == buffer + length - 1 && buffer[length - 1] == '\\') {
        --length;
        buffer[length] = '\0';
    }
    return length;
}

uint16_t SwapBytes16(uint16_t value)
{
    return static_cast<uint16_t>((value >> 8) | (value << 8));
}

uint32_t SwapBytes32(uint32_t value)
{
    return (value >> 24) | ((value >> 8) & 0x0000FF00u) | ((value << 8) & 0x00FF0000u) |
           (value << 24);
}

uint64_t SwapBytes64(uint64_t value)
{
    return (static_cast<uint64_t>(SwapBytes32(static_cast<uint32_t>(value))) << 32) |
           SwapBytes32(static_cast<uint32_t>(value >> 32));
}
