// Where the framework's dialogs, pages and sheets find their resources: through the resource
// manager in the wanted language first, then in any language of the resource module, so a
// template compiled only in Japanese is found whatever language the manager wants.
#pragma once
#include "afxwin.h"

struct UiFoundResource {
    HINSTANCE hModule = NULL;
    const void* pData = nullptr;
    DWORD cbData = 0;
};

bool UiFindDialogResource(LPCSTR lpszType, LPCSTR lpszName, UiFoundResource& found);
