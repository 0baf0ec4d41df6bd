// The bytes live in a vector with room to spare: typing in insert mode moves the bytes after
// the caret once, where a buffer of the exact size would be made anew, copied and freed on
// every key. The room is given back when the data shrinks to well under it.
#include "hexbuffer.h"

#include <string.h>

#include <new>

namespace {

const UINT kMaxBufferSize = 0x7FFFFFFF;
// Spare room taken when the buffer must grow: a quarter of its size, at most this much.
const size_t kMaxSpare = 64u << 20;

bool IsByteArray(const VARIANT& v)
{
    return v.vt == (VT_ARRAY | VT_UI1) && v.parray != NULL;
}

}  // namespace

HexBuffer::HexBuffer() : m_bHasData(true), m_nSize(0)
{
}

bool HexBuffer::HasData() const
{
    return m_bHasData;
}

void HexBuffer::Assign(const BYTE* bytes, UINT n)
{
    ++m_nVersion;
    try {
        std::vector<BYTE> fresh(bytes, bytes + (bytes ? n : 0));
        fresh.resize(n);
        m_bytes.swap(fresh);
        m_nSize = n;
        m_bHasData = true;
    } catch (CException* e) {
        e->Delete();
        Forget();
    } catch (std::bad_alloc&) {
        Forget();
    }
}

void HexBuffer::Forget()
{
    std::vector<BYTE>().swap(m_bytes);
    m_nSize = 0;
    m_bHasData = false;
}

void HexBuffer::Assign(const COleSafeArray& source)
{
    if (!IsByteArray(source)) {
        Assign(NULL, 0);
        return;
    }
    COleSafeArray& array = const_cast<COleSafeArray&>(source);
    const UINT n = array.GetOneDimSize();
    void* p = NULL;
    array.AccessData(&p);
    Assign(static_cast<const BYTE*>(p), n);
    array.UnaccessData();
}

COleSafeArray HexBuffer::ToSafeArray() const
{
    return ToSafeArray(0, m_nSize);
}

COleSafeArray HexBuffer::ToSafeArray(UINT index, UINT n) const
{
    COleSafeArray result;
    if (!m_bHasData)
        return result;
    if (index >= m_nSize)
        n = 0;
    else if (n > m_nSize - index)
        n = m_nSize - index;
    result.CreateOneDim(VT_UI1, n, n ? m_bytes.data() + index : NULL);
    return result;
}

bool HexBuffer::Reserve(UINT size)
{
    if (size <= m_bytes.capacity())
        return true;
    try {
        const size_t spare = std::min<size_t>(m_nSize / 4, kMaxSpare);
        try {
            m_bytes.reserve(std::min<size_t>(static_cast<size_t>(size) + spare, kMaxBufferSize));
        } catch (std::bad_alloc&) {
            m_bytes.reserve(size);
        } catch (CException* e) {
            e->Delete();
            m_bytes.reserve(size);
        }
        return true;
    } catch (CException* e) {
        e->Delete();
    } catch (std::bad_alloc&) {
    }
    return false;
}

bool HexBuffer::Insert(UINT index, UINT n)
{
    if (n == 0 || index > m_nSize || n > kMaxBufferSize - m_nSize)
        return false;
    if (!Reserve(m_nSize + n))
        return false;
    m_bytes.insert(m_bytes.begin() + index, n, 0);
    m_nSize += n;
    m_bHasData = true;
    ++m_nVersion;
    return true;
}

void HexBuffer::Remove(UINT index, UINT n)
{
    if (index >= m_nSize || n == 0)
        return;
    if (n > m_nSize - index)
        n = m_nSize - index;
    m_bytes.erase(m_bytes.begin() + index, m_bytes.begin() + index + n);
    m_nSize -= n;
    ++m_nVersion;
    if (m_bytes.capacity() > 2 * static_cast<size_t>(m_nSize) + (1u << 20)) {
        try {
            m_bytes.shrink_to_fit();
        } catch (CException* e) {
            e->Delete();
        } catch (std::bad_alloc&) {
        }
    }
}

UINT HexBuffer::Read(UINT index, UINT n, std::vector<BYTE>& out) const
{
    out.clear();
    if (index >= m_nSize || n == 0)
        return 0;
    if (n > m_nSize - index)
        n = m_nSize - index;
    out.assign(m_bytes.begin() + index, m_bytes.begin() + index + n);
    return n;
}

UINT HexBuffer::Write(UINT index, const BYTE* bytes, UINT n)
{
    if (index >= m_nSize || n == 0 || !bytes)
        return 0;
    if (n > m_nSize - index)
        n = m_nSize - index;
    memmove(m_bytes.data() + index, bytes, n);
    ++m_nVersion;
    return n;
}

void HexBuffer::Fill(UINT index, UINT n, BYTE value)
{
    if (index >= m_nSize || n == 0)
        return;
    if (n > m_nSize - index)
        n = m_nSize - index;
    memset(m_bytes.data() + index, value, n);
    ++m_nVersion;
}

BYTE HexBuffer::GetAt(UINT index) const
{
    return index < m_nSize ? m_bytes[index] : 0;
}

void HexBuffer::SetAt(UINT index, BYTE value)
{
    if (index < m_nSize) {
        m_bytes[index] = value;
        ++m_nVersion;
    }
}
