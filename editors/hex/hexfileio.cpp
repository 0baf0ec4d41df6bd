// Whole-file reads and writes for the hex editor's files.
#include "hexfileio.h"

BOOL HexReadWholeFile(LPCSTR path, ULONGLONG minLength, ULONGLONG maxLength, std::vector<BYTE>& content)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::modeNoInherit | CFile::typeBinary))
        return FALSE;
    try {
        const ULONGLONG length = file.GetLength();
        if (length < minLength || length > maxLength) {
            file.Abort();
            return FALSE;
        }
        content.resize(static_cast<size_t>(length));
        const UINT read = length > 0 ? file.Read(content.data(), static_cast<UINT>(length)) : 0;
        file.Abort();
        if (read != length)
            return FALSE;
    } catch (CException* e) {
        e->Delete();
        file.Abort();
        return FALSE;
    } catch (...) {
        file.Abort();
        return FALSE;
    }
    return TRUE;
}

BOOL HexWriteWholeFile(LPCSTR path, const void* p, UINT size)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::modeNoInherit | CFile::typeBinary))
        return FALSE;
    try {
        if (size > 0)
            file.Write(p, size);
        file.Close();
    } catch (CException* e) {
        e->Delete();
        file.Abort();
        return FALSE;
    } catch (...) {
        file.Abort();
        return FALSE;
    }
    return TRUE;
}
