// Markers of the hex editor: coloured, commented byte ranges, their blob (the records back to
// back, as the communication set carries them) and the ".mrk" file ("KRAM" and a blob).
//
// One blob record, little-endian: record length (21 + comment bytes), start, length, text
// colour, background colour, the Shift-JIS comment and a terminating 0x00. Blobs and marker
// files come from outside, so reading stops at a record that cannot be one (a length below
// 21 or one that runs past the blob) and a comment is read only inside its own record.
#pragma once

#include "afxdisp.h"

#include <vector>

struct HexMarker {
    int nStart = -1;
    int nLength = -1;
    COLORREF crText = 0x000000;
    COLORREF crBack = 0xFFFFFF;
    CString strComment;

    // start <= b <= start + length - 1, for a marker whose start and length are not negative.
    bool Covers(LONGLONG b) const;
    // Whether the marker [s, s + length - 1] overlaps the range [start, start + n - 1]: the
    // range's first or last byte lies in the marker, or the marker lies wholly in the range.
    bool Overlaps(LONGLONG start, LONGLONG n) const;
    // One blob record of the marker.
    COleSafeArray ToBytes() const;
    void AppendRecord(std::vector<BYTE>& blob) const;
};

const UINT kHexMarkerRecordMin = 21;

COleSafeArray SerializeMarkers(const std::vector<HexMarker>& markers);
// Appends the blob's markers to the list.
void DeserializeMarkers(const BYTE* blob, UINT size, std::vector<HexMarker>& markers);
void DeserializeMarkers(const COleSafeArray& blob, std::vector<HexMarker>& markers);

// The marker file path of the process ("default.mrk" in the current folder until a marker
// file is loaded or saved under another name).
CString GetMarkerFilePath();
void SetMarkerFilePath(LPCSTR path);

// Deletes the file, creates it and writes "KRAM" and the blob; FALSE when it cannot be
// created or written.
BOOL WriteMarkerFile(LPCSTR path, const std::vector<HexMarker>& markers);
// Reads the whole file; when every byte was read and it begins with "KRAM", appends its
// markers to the list and returns TRUE. Otherwise FALSE and the list stays as it was.
BOOL ReadMarkerFile(LPCSTR path, std::vector<HexMarker>& markers);
// The same over the bytes of a marker file already in memory.
BOOL ReadMarkerFileBytes(const BYTE* bytes, UINT size, std::vector<HexMarker>& markers);
