#include "hexmarker.h"

#include <string.h>

#include "hexfileio.h"

namespace {

const BYTE kMarkerFileTag[4] = {'K', 'R', 'A', 'M'};
const UINT kMaxMarkerFileSize = 0x7FFFFFFF;

void PutUint32(std::vector<BYTE>& out, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

DWORD GetUint32(const BYTE* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24);
}

COleSafeArray MakeByteArray(const std::vector<BYTE>& bytes)
{
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.empty() ? NULL : bytes.data());
    return array;
}

CString& MarkerFilePath()
{
    static CString path("default.mrk");
    return path;
}

}  // namespace

bool HexMarker::Covers(LONGLONG b) const
{
    return nStart >= 0 && nLength >= 0 && nStart <= b && b <= static_cast<LONGLONG>(nStart) + nLength - 1;
}

bool HexMarker::Overlaps(LONGLONG start, LONGLONG n) const
{
    const LONGLONG s = nStart;
    const LONGLONG e = s + nLength - 1;
    const LONGLONG last = start + n - 1;
    return (s <= start && start <= e) || (s <= last && last <= e) || (start <= s && e <= last);
}

void HexMarker::AppendRecord(std::vector<BYTE>& blob) const
{
    const UINT commentLength = static_cast<UINT>(strComment.GetLength());
    PutUint32(blob, kHexMarkerRecordMin + commentLength);
    PutUint32(blob, static_cast<DWORD>(nStart));
    PutUint32(blob, static_cast<DWORD>(nLength));
    PutUint32(blob, crText);
    PutUint32(blob, crBack);
    const BYTE* comment = reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(strComment));
    blob.insert(blob.end(), comment, comment + commentLength);
    blob.push_back(0);
}

COleSafeArray HexMarker::ToBytes() const
{
    std::vector<BYTE> record;
    AppendRecord(record);
    return MakeByteArray(record);
}

COleSafeArray SerializeMarkers(const std::vector<HexMarker>& markers)
{
    std::vector<BYTE> blob;
    for (const HexMarker& marker : markers)
        marker.AppendRecord(blob);
    return MakeByteArray(blob);
}

void DeserializeMarkers(const BYTE* blob, UINT size, std::vector<HexMarker>& markers)
{
    if (!blob)
        return;
    UINT offset = 0;
    while (offset < size && size - offset >= kHexMarkerRecordMin) {
        const BYTE* record = blob + offset;
        const DWORD length = GetUint32(record);
        if (length < kHexMarkerRecordMin || length > size - offset)
            break;
        HexMarker marker;
        marker.nStart = static_cast<int>(GetUint32(record + 4));
        marker.nLength = static_cast<int>(GetUint32(record + 8));
        marker.crText = GetUint32(record + 12);
        marker.crBack = GetUint32(record + 16);
        const char* comment = reinterpret_cast<const char*>(record + 20);
        const UINT room = length - 20;
        const void* end = memchr(comment, 0, room);
        const UINT commentLength = end ? static_cast<UINT>(static_cast<const char*>(end) - comment) : room;
        marker.strComment = CString(comment, static_cast<int>(commentLength));
        markers.push_back(marker);
        offset += length;
    }
}

void DeserializeMarkers(const COleSafeArray& blob, std::vector<HexMarker>& markers)
{
    if (blob.vt != (VT_ARRAY | VT_UI1) || !blob.parray)
        return;
    // Reading through an access does not change the array; its members are just not const.
    COleSafeArray& array = const_cast<COleSafeArray&>(blob);
    const DWORD size = array.GetOneDimSize();
    void* data = NULL;
    array.AccessData(&data);
    DeserializeMarkers(static_cast<const BYTE*>(data), size, markers);
    array.UnaccessData();
}

CString GetMarkerFilePath()
{
    return MarkerFilePath();
}

void SetMarkerFilePath(LPCSTR path)
{
    MarkerFilePath() = path ? path : "";
}

BOOL WriteMarkerFile(LPCSTR path, const std::vector<HexMarker>& markers)
{
    std::vector<BYTE> content(kMarkerFileTag, kMarkerFileTag + 4);
    for (const HexMarker& marker : markers)
        marker.AppendRecord(content);
    ::DeleteFileA(path);
    return HexWriteWholeFile(path, content.data(), static_cast<UINT>(content.size()));
}

BOOL ReadMarkerFile(LPCSTR path, std::vector<HexMarker>& markers)
{
    std::vector<BYTE> content;
    if (!HexReadWholeFile(path, sizeof(kMarkerFileTag), kMaxMarkerFileSize, content))
        return FALSE;
    return ReadMarkerFileBytes(content.data(), static_cast<UINT>(content.size()), markers);
}

BOOL ReadMarkerFileBytes(const BYTE* bytes, UINT size, std::vector<HexMarker>& markers)
{
    if (size < sizeof(kMarkerFileTag) || memcmp(bytes, kMarkerFileTag, sizeof(kMarkerFileTag)) != 0)
        return FALSE;
    DeserializeMarkers(bytes + 4, size - 4, markers);
    return TRUE;
}
