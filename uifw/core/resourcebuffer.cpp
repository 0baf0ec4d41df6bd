#include "resourcebuffer.h"

#include <cstring>
#include <new>

ResourceBuffer::ResourceBuffer() : m_pData(NULL), m_nSize(0)
{
}

ResourceBuffer::~ResourceBuffer()
{
    Free();
}

bool ResourceBuffer::Alloc(DWORD nSize, bool bZeroFill)
{
    Free();
    if (nSize == 0)
        return false;
    m_pData = new (std::nothrow) BYTE[nSize];
    if (m_pData == NULL)
        return false;
    if (bZeroFill)
        std::memset(m_pData, 0, nSize);
    m_nSize = nSize;
    return true;
}

void ResourceBuffer::Free()
{
    delete[] m_pData;
    m_pData = NULL;
    m_nSize = 0;
}

bool ResourceBuffer::LoadFromResource(HINSTANCE hModule, HRSRC hResource)
{
    Free();
    if (hResource == NULL)
        return false;
    const DWORD nSize = ::SizeofResource(hModule, hResource);
    if (nSize == 0)
        return true;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const void* pData = hData != NULL ? ::LockResource(hData) : NULL;
    if (pData == NULL || !Alloc(nSize))
        return false;
    std::memcpy(m_pData, pData, nSize);
    return true;
}

bool ResourceBuffer::LoadFromModule(HINSTANCE hModule, LPCSTR lpszType, UINT nId, WORD wLanguage)
{
    Free();
    HRSRC hResource = ::FindResourceExA(hModule, lpszType, MAKEINTRESOURCEA(LOWORD(nId)), wLanguage);
    return hResource != NULL && LoadFromResource(hModule, hResource);
}
