// The one road by which the framework and the program's windows load resources by
// identifier: strings, menus, accelerator tables, bitmaps and raw resources.
//
// With the language choice off (the default instance, and all the program uses) every
// lookup is the platform's default one in the class library's resource module. With it on,
// a resource is looked for in the wanted language and then in the fallback language, each
// exactly: a language the module does not hold is not found, so the reported language is
// always the one the resource has. Families of three forms: wanted and fallback given; one
// language; the manager's wanted language with the fallback 0x0409. Every form reports, when
// asked, the language found (0x0409 until one is known) and the module.
#pragma once

#include "afxwin.h"

#include "resourcebuffer.h"

class CUiResourceManager : public CObject
{
    DECLARE_DYNCREATE(CUiResourceManager)
public:
    explicit CUiResourceManager(bool bAllowCustomLang = false, WORD wLangIdDesired = 0x0409);
    virtual ~CUiResourceManager();

    virtual bool IsCustomLangAllowed() const;
    // Switches the choice on or off; the flags as they were.
    virtual BYTE AllowCustomLang(bool bAllow = true);
    virtual WORD GetLangIdDesired() const;
    virtual WORD SetLangIdDesired(WORD wLangId);
    virtual WORD GetLangIdNeutral() const;
    // Locale information of the wanted, then the fallback language (choice on), then of the
    // system, the user and locale 0; the characters written, or 0.
    virtual int GetLocaleInfo(LCTYPE lcType, LPSTR lpszBuffer, int cchBuffer);

    virtual HINSTANCE FindResourceHandle(LPCSTR lpszType, LPCSTR lpszName, WORD wLangId, WORD* pwLangIdOut,
                                         HRSRC* phResourceOut);
    virtual HINSTANCE FindResourceHandle(LPCSTR lpszType, LPCSTR lpszName, WORD wLangIdDesired,
                                         WORD wLangIdFallback, WORD* pwLangIdOut, HRSRC* phResourceOut);
    virtual HINSTANCE FindResourceHandle(LPCSTR lpszType, LPCSTR lpszName, WORD* pwLangIdOut = NULL,
                                         HRSRC* phResourceOut = NULL);

    virtual bool LoadResourceBuffer(ResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName, WORD wLangId,
                                    WORD* pwLangIdOut, HINSTANCE* phModuleOut);
    virtual bool LoadResourceBuffer(ResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName, WORD wLangIdDesired,
                                    WORD wLangIdFallback, WORD* pwLangIdOut, HINSTANCE* phModuleOut);
    virtual bool LoadResourceBuffer(ResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName,
                                    WORD* pwLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);

    // An empty entry of a found string block leaves strText as it was and is still true.
    virtual bool LoadString(CString& strText, UINT nId, WORD wLangIdDesired, WORD wLangIdFallback,
                            WORD* pwLangIdOut, HINSTANCE* phModuleOut);
    virtual bool LoadString(CString& strText, UINT nId, WORD* pwLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);

    // A menu the object already holds is destroyed first.
    virtual bool LoadMenu(CMenu* pMenu, UINT nId, WORD wLangIdDesired, WORD wLangIdFallback, WORD* pwLangIdOut,
                          HINSTANCE* phModuleOut);
    virtual bool LoadMenu(CMenu* pMenu, UINT nId, WORD* pwLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);
    virtual bool LoadMenu(CMenu* pMenu, LPCSTR lpszName, WORD* pwLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);

    virtual HACCEL LoadAccelerators(UINT nId, WORD wLangIdDesired, WORD wLangIdFallback, WORD* pwLangIdOut,
                                    HINSTANCE* phModuleOut);
    virtual HACCEL LoadAccelerators(UINT nId, WORD* pwLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);
    virtual HACCEL LoadAccelerators(LPCSTR lpszName, WORD* pwLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);

    virtual HBITMAP LoadBitmap(UINT nId, WORD wLangIdDesired, WORD wLangIdFallback, WORD* pwLangIdOut,
                               HINSTANCE* phModuleOut);
    virtual HBITMAP LoadBitmap(UINT nId, WORD* pwLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);
    virtual HBITMAP LoadBitmap(LPCSTR lpszName, WORD* pwLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);

protected:
    enum { kCustomLang = 0x01 };
    BYTE m_nFlags;
    WORD m_wLangIdDesired;

private:
    bool LoadMenuByName(CMenu* pMenu, LPCSTR lpszName, WORD wLangIdDesired, WORD wLangIdFallback,
                        WORD* pwLangIdOut, HINSTANCE* phModuleOut);
    HACCEL LoadAcceleratorsByName(LPCSTR lpszName, WORD wLangIdDesired, WORD wLangIdFallback, WORD* pwLangIdOut,
                                  HINSTANCE* phModuleOut);
    HBITMAP LoadBitmapByName(LPCSTR lpszName, WORD wLangIdDesired, WORD wLangIdFallback, WORD* pwLangIdOut,
                             HINSTANCE* phModuleOut);
};

class ResourceManagerHolder
{
public:
    // The current manager; the default one (choice off, wanted 0x0409) is made on first use.
    static CUiResourceManager* GetResourceManager();
    // Takes pManager over and deletes the one before; NULL puts a new default one in place.
    static void InstallResourceManager(CUiResourceManager* pManager);
};
