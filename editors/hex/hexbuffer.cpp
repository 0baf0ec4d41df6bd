#include "hexbuffer.h"

#include <string.h>

// Holds the array's data open for the lifetime of the object.
class HexBuffer::Access {
public:
    explicit Access(COleSafeArray& array) : m_array(array), m_pData(NULL)
    {
        void* p = NULL;
        m_array.AccessData(&p);
        m_pData = static_cast<BYTE*>(p);
    }
    ~Access() { m_array.UnaccessData(); }
    Access(const Access&) = delete;
    Access& operator=(const Access&) = delete;
    BYTE* Data() const { return m_pData; }

private:
    COleSafeArray& m_array;
    BYTE* m_pData;
};

namespace {

const UINT kMaxBufferSize = 0x7FFFFFFF;

bool IsByteArray(const VARIANT& v)
{
    return v.vt == (VT_ARRAY | VT_UI1) && v.parray != NULL;
}

}  // namespace

HexBuffer::HexBuffer() : m_nSize(0)
{
    m_array.CreateOneDim(VT_UI1, 0);
}

bool HexBuffer::HasData() const
{
    return IsByteArray(m_array);
}

void HexBuffer::Assign(const BYTE* bytes, UINT n)
{
    m_array.Clear();
    m_array.CreateOneDim(VT_UI1, n, n ? bytes : NULL);
    m_nSize = n;
    ++m_nVersion;
}

void HexBuffer::Assign(const COleSafeArray& source)
{
    if (!IsByteArray(source)) {
        Assign(NULL, 0);
        return;
    }
    m_array = source;
    m_nSize = m_array.GetOneDimSize();
    ++m_nVersion;
}

COleSafeArray HexBuffer::ToSafeArray() const
{
    return m_array;
}

COleSafeArray HexBuffer::ToSafeArray(UINT index, UINT n) const
{
    std::vector<BYTE> bytes;
    Read(index, n, bytes);
    COleSafeArray result;
    result.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.empty() ? NULL : bytes.data());
    return result;
}

bool HexBuffer::Insert(UINT index, UINT n)
{
    if (n == 0 || index > m_nSize || n > kMaxBufferSize - m_nSize)
        return false;
    try {
        m_array.ResizeOneDim(m_nSize + n);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    Access access(m_array);
    BYTE* p = access.Data();
    memmove(p + index + n, p + index, m_nSize - index);
    memset(p + index, 0, n);
    m_nSize += n;
    ++m_nVersion;
    return true;
}

void HexBuffer::Remove(UINT index, UINT n)
{
    if (index >= m_nSize || n == 0)
        return;
    if (n > m_nSize - index)
        n = m_nSize - index;
    {
        Access access(m_array);
        BYTE* p = access.Data();
        memmove(p + index, p + index + n, m_nSize - index - n);
    }
    m_nSize -= n;
    ++m_nVersion;
    m_array.ResizeOneDim(m_nSize);  // shrinking keeps the leading bytes
}

UINT HexBuffer::Read(UINT index, UINT n, std::vector<BYTE>& out) const
{
    out.clear();
    if (index >= m_nSize || n == 0)
        return 0;
    if (n > m_nSize - index)
        n = m_nSize - index;
    Access access(m_array);
    out.assign(access.Data() + index, access.Data() + index + n);
    return n;
}

UINT HexBuffer::Write(UINT index, const BYTE* bytes, UINT n)
{
    if (index >= m_nSize || n == 0 || !bytes)
        return 0;
    if (n > m_nSize - index)
        n = m_nSize - index;
    Access access(m_array);
    memmove(access.Data() + index, bytes, n);
    ++m_nVersion;
    return n;
}

void HexBuffer::Fill(UINT index, UINT n, BYTE value)
{
    if (index >= m_nSize || n == 0)
        return;
    if (n > m_nSize - index)
        n = m_nSize - index;
    Access access(m_array);
    memset(access.Data() + index, value, n);
    ++m_nVersion;
}

BYTE HexBuffer::GetAt(UINT index) const
{
    if (index >= m_nSize)
        return 0;
    Access access(m_array);
    return access.Data()[index];
}

void HexBuffer::SetAt(UINT index, BYTE value)
{
    if (index < m_nSize) {
        Access access(m_array);
        access.Data()[index] = value;
        ++m_nVersion;
    }
}

HexBuffer::Reader::Reader(const HexBuffer& buffer)
    : m_pArray(&buffer.m_array), m_pData(NULL), m_nSize(buffer.m_nSize)
{
    void* p = NULL;
    m_pArray->AccessData(&p);
    m_pData = m_nSize ? static_cast<const BYTE*>(p) : NULL;
}

HexBuffer::Reader::~Reader()
{
    m_pArray->UnaccessData();
}
