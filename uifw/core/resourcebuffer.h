// An owned copy of a resource's bytes.
#pragma once

#include <windows.h>

class ResourceBuffer
{
public:
    ResourceBuffer();
    ~ResourceBuffer();

    // n bytes (zero-filled on request); 0 bytes fail.
    bool Alloc(DWORD nSize, bool bZeroFill = false);
    void Free();
    // Copies a found resource; one of 0 bytes leaves the buffer empty and succeeds.
    bool LoadFromResource(HINSTANCE hModule, HRSRC hResource);
    // Finds (the platform's language-specific lookup; only the low 16 bits of nId name it)
    // and copies a resource of any module.
    bool LoadFromModule(HINSTANCE hModule, LPCSTR lpszType, UINT nId, WORD wLanguage);

    const BYTE* GetData() const { return m_pData; }
    DWORD GetSize() const { return m_nSize; }

private:
    BYTE* m_pData;
    DWORD m_nSize;
    ResourceBuffer(const ResourceBuffer&) = delete;
    ResourceBuffer& operator=(const ResourceBuffer&) = delete;
};
