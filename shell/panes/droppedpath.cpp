#include "droppedpath.h"

#include <shellapi.h>

#include <vector>

UINT FirstDroppedPath(HDROP hDrop, CString& path)
{
    path.Empty();
    const UINT nFiles = ::DragQueryFileA(hDrop, 0xFFFFFFFF, NULL, 0);
    if (nFiles == 0)
        return 0;
    const UINT nLength = ::DragQueryFileA(hDrop, 0, NULL, 0);
    std::vector<char> buffer(nLength + 1, '\0');
    ::DragQueryFileA(hDrop, 0, buffer.data(), nLength + 1);
    path = buffer.data();
    return nFiles;
}
