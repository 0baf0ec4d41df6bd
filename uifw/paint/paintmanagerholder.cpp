#include "paintmanagerholder.h"

#include "paintmanager.h"
#include "paintmanagerxp.h"

PaintManagerHolder& PaintManagerHolder::Get()
{
    static PaintManagerHolder s_holder;
    // The first paint manager asks the holder for the version while it is being made, so it
    // is installed only once the holder itself is complete.
    if (!s_holder.m_bStarted) {
        s_holder.m_bStarted = true;
        s_holder.EnsurePaintManager();
    }
    return s_holder;
}

PaintManagerHolder::PaintManagerHolder()
    : m_pPaintManager(nullptr), m_strVersion("Unknown"), m_version(), m_wFamilyFlags(0),
      m_bThemeFlags(kThemeColorsAllowed), m_clrTaskband(), m_nScheme(kSchemeNone), m_hMsimg32(NULL),
      m_pfnGradientFill(nullptr), m_pfnAlphaBlend(nullptr), m_pfnTransparentBlt(nullptr),
      m_bStarted(false), m_bThemeOverride(false)
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    ::GetVersionExA(&vi);
    SetVersionInfo(vi);

    LoadThemeApi();

    m_hMsimg32 = ::LoadLibraryA("msimg32.dll");
    if (m_hMsimg32 != NULL) {
        m_pfnGradientFill = (PFN_GradientFill)::GetProcAddress(m_hMsimg32, "GradientFill");
        m_pfnAlphaBlend = (PFN_AlphaBlend)::GetProcAddress(m_hMsimg32, "AlphaBlend");
        m_pfnTransparentBlt = (PFN_TransparentBlt)::GetProcAddress(m_hMsimg32, "TransparentBlt");
    }

}

PaintManagerHolder::~PaintManagerHolder()
{
    m_pfnGradientFill = nullptr;
    m_pfnAlphaBlend = nullptr;
    m_pfnTransparentBlt = nullptr;
    if (m_hMsimg32 != NULL)
        ::FreeLibrary(m_hMsimg32);
    m_hMsimg32 = NULL;
    delete m_pPaintManager;
    m_pPaintManager = nullptr;
}

void PaintManagerHolder::SetVersionInfo(const OSVERSIONINFOA& vi)
{
    m_version = vi;
    m_wFamilyFlags = ComputeWindowsFamily(vi, m_strVersion);
}

BOOL PaintManagerHolder::EnsurePaintManager()
{
    if (m_pPaintManager != nullptr)
        return TRUE;
    return SetPaintManager(nullptr);
}

BOOL PaintManagerHolder::SetPaintManager(CUiPaintManager* pPaintManager)
{
    if (pPaintManager != nullptr && pPaintManager == m_pPaintManager)
        return TRUE;
    delete m_pPaintManager;
    m_pPaintManager = nullptr;
    if (pPaintManager == nullptr) {
        pPaintManager = new CUiPaintManagerXP;
        if (!pPaintManager->IsKindOf(RUNTIME_CLASS(CUiPaintManager))) {
            delete pPaintManager;
            return FALSE;
        }
    }
    m_pPaintManager = pPaintManager;
    m_pPaintManager->SyncSystemData();
    m_pPaintManager->InitColorTable();
    m_pPaintManager->InitHalftoneBrushes();
    return TRUE;
}

BOOL PaintManagerHolder::SetPaintManagerClass(CRuntimeClass* pClass)
{
    if (pClass == nullptr)
        return EnsurePaintManager();
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr)
        return FALSE;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CUiPaintManager))) {
        delete pObject;
        return FALSE;
    }
    return SetPaintManager(static_cast<CUiPaintManager*>(pObject));
}

void PaintManagerHolder::LoadThemeApi()
{
    if ((m_bThemeFlags & kThemeApiUsable) != 0 && (m_bThemeFlags & kThemeTaskbandRead) != 0)
        return;
    m_bThemeFlags &= (BYTE) ~(kThemeAppThemed | kThemeTaskbandRead);
    if (m_themeApi.hModule == NULL) {
        m_themeApi.hModule = ::GetModuleHandleA("uxtheme.dll");
        if (m_themeApi.hModule == NULL)
            m_themeApi.hModule = ::LoadLibraryA("uxtheme.dll");
    }
    m_themeApi.Resolve();

    ThemeInfo info;
    if (m_bThemeOverride)
        info = m_themeOverride;
    else
        ReadThemeInfo(m_themeApi, info);
    const BYTE bRead = kThemeApiUsable | kThemeAppThemed | kThemeTaskbandRead;
    m_bThemeFlags = (BYTE)((m_bThemeFlags & ~bRead) | (info.flags & bRead));
    m_nScheme = info.scheme;
    if ((info.flags & kThemeTaskbandRead) != 0) {
        for (int i = 0; i < kTaskbandColorCount; ++i)
            m_clrTaskband[i] = info.taskband[i];
    }
}

void PaintManagerHolder::SetThemeInfoOverride(const ThemeInfo* pInfo)
{
    m_bThemeOverride = pInfo != nullptr;
    if (pInfo != nullptr)
        m_themeOverride = *pInfo;
    m_bThemeFlags &= (BYTE) ~(kThemeApiUsable | kThemeTaskbandRead);
    LoadThemeApi();
}
