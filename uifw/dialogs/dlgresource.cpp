// The resource road of the framework's dialogs.
#include "dlgresource.h"
#include "resourcemanager.h"

namespace {

BOOL CALLBACK TakeFirstLanguage(HMODULE, LPCSTR, LPCSTR, WORD wLanguage, LONG_PTR lParam)
{
    *(WORD*)lParam = wLanguage;
    return FALSE;
}

bool Lock(HINSTANCE hModule, HRSRC hResource, UiFoundResource& found)
{
    HGLOBAL hData = hResource != NULL ? ::LoadResource(hModule, hResource) : NULL;
    const void* pData = hData != NULL ? ::LockResource(hData) : nullptr;
    if (pData == nullptr)
        return false;
    found.hModule = hModule;
    found.pData = pData;
    found.cbData = ::SizeofResource(hModule, hResource);
    return true;
}

} // namespace

bool UiFindDialogResource(LPCSTR lpszType, LPCSTR lpszName, UiFoundResource& found)
{
    found = UiFoundResource();
    if (lpszName == nullptr)
        return false;
    HRSRC hResource = NULL;
    HINSTANCE hModule =
        ResourceManagerHolder::GetResourceManager()->FindResourceHandle(lpszType, lpszName, NULL, &hResource);
    if (hModule != NULL && Lock(hModule, hResource, found))
        return true;
    hModule = AfxGetResourceHandle();
    WORD wLanguage = 0xFFFF;
    ::EnumResourceLanguagesA(hModule, lpszType, lpszName, TakeFirstLanguage, (LONG_PTR)&wLanguage);
    if (wLanguage == 0xFFFF)
        return false;
    return Lock(hModule, ::FindResourceExA(hModule, lpszType, lpszName, wLanguage), found);
}
