// Random data blocks for the text view tests: pieces of text in a mode's encoding, line ends
// of one kind, and now and then any byte at all.
#pragma once

#include <windows.h>

#include <random>
#include <string.h>
#include <vector>

#include "hexcodec.h"

namespace textview_test {

typedef std::vector<BYTE> Bytes;

// Characters that a mode's blocks are built from, besides random bytes: the mode's forms of a
// few texts, so that many random blocks are text and the rest fail somewhere inside.
inline std::vector<Bytes> Pieces(int mode)
{
    const char* const texts[] = {"a", "Z", " ", "\t", "\x82\xA0", "\x8C\x8E", "\x88\x9F", "\xB1",
                                 "\xFB\xFC", "\xFA\xB1", "\xFA\x40", "\x87\x40", "\x81\x5C", "\x98\x9F", "\xEA\xA4"};
    std::vector<Bytes> pieces;
    for (const char* text : texts) {
        const Bytes piece = HexTextToData(text, mode, "\r\n");
        if (!piece.empty() && (mode != CHARCODE_ASCII || piece[0] < 0x80))
            pieces.push_back(piece);
    }
    if (mode == CHARCODE_JIS) {
        pieces.push_back(Bytes{0x1B, '$', 'B'});
        pieces.push_back(Bytes{0x1B, '(', 'B'});
    }
    return pieces;
}

// Up to 64 bytes of pieces, line ends of one kind, and now and then any byte at all.
inline Bytes RandomBlock(std::mt19937& random, const std::vector<Bytes>& pieces, LPCSTR newline)
{
    const size_t length = random() % 65;
    Bytes block;
    while (block.size() < length) {
        const int pick = random() % 10;
        if (pick == 0) {
            block.push_back(static_cast<BYTE>(random()));
        } else if (pick == 1) {
            block.insert(block.end(), newline, newline + strlen(newline));
        } else {
            const Bytes& piece = pieces[random() % pieces.size()];
            block.insert(block.end(), piece.begin(), piece.end());
        }
    }
    block.resize(length);
    return block;
}

}  // namespace textview_test
