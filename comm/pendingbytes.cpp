#include "pendingbytes.h"

#include <algorithm>

CPendingBytes::CPendingBytes() : m_nStart(0), m_nSearched(0), m_pView(NULL)
{
}

CPendingBytes::~CPendingBytes()
{
    m_view.Detach();
    if (m_pView) {
        m_pView->pvData = NULL;
        SafeArrayDestroyDescriptor(m_pView);
    }
}

bool CPendingBytes::Append(const BYTE* pBytes, DWORD nCount)
{
    try {
        m_bytes.insert(m_bytes.end(), pBytes, pBytes + nCount);
    } catch (CException* e) {
        e->Delete();
        return false;
    } catch (...) {
        return false;
    }
    return true;
}

size_t CPendingBytes::NextBlock(int nFraming, int nFixedSize, const std::vector<BYTE>& delimiters)
{
    const size_t nSize = Size();
    if (nSize == 0)
        return 0;
    if (nFraming == 0)
        return nSize;
    if (nFraming == 1)
        return nFixedSize > 0 && nSize >= static_cast<size_t>(nFixedSize) ? static_cast<size_t>(nFixedSize) : 0;
    size_t i = std::max(m_nSearched, m_nStart);
    for (; i < m_bytes.size(); ++i) {
        if (std::find(delimiters.begin(), delimiters.end(), m_bytes[i]) != delimiters.end())
            break;
    }
    m_nSearched = i;
    return i < m_bytes.size() ? i + 1 - m_nStart : 0;
}

std::vector<BYTE> CPendingBytes::Take(size_t nCount)
{
    nCount = std::min(nCount, Size());
    std::vector<BYTE> block(m_bytes.begin() + m_nStart, m_bytes.begin() + m_nStart + nCount);
    m_nStart += nCount;
    if (m_nStart == m_bytes.size()) {
        Clear();
    } else if (m_nStart > m_bytes.size() / 2) {
        // Moving the rest only once half is gone keeps the cost of cutting blocks linear.
        m_bytes.erase(m_bytes.begin(), m_bytes.begin() + m_nStart);
        m_nSearched -= std::min(m_nSearched, m_nStart);
        m_nStart = 0;
    }
    return block;
}

void CPendingBytes::Clear()
{
    m_bytes.clear();
    m_nStart = 0;
    m_nSearched = 0;
}

const COleSafeArray& CPendingBytes::View()
{
    if (!m_pView) {
        if (FAILED(SafeArrayAllocDescriptor(1, &m_pView)))
            return m_view;
        m_pView->cbElements = 1;
        // The bytes belong to this object: no safe-array call may free or resize them.
        m_pView->fFeatures = FADF_STATIC | FADF_FIXEDSIZE;
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ARRAY | VT_UI1;
        v.parray = m_pView;
        m_view.Attach(v);
    }
    m_pView->rgsabound[0].lLbound = 0;
    m_pView->rgsabound[0].cElements = static_cast<ULONG>(Size());
    m_pView->pvData = Size() ? &m_bytes[m_nStart] : NULL;
    return m_view;
}
