// The entry points of the saved docking layout and the frame lock map.
#include "barstate.h"

#include "afxfile.h"
#include "barstaterecords.h"
#include "cmdmanager.h"
#include "registryarchive.h"

namespace {
const char kSection[] = "ControlBar";
const UINT kMemFileGrowBytes = 1024;
const int kArchiveBufferSize = 4096;

CMapPtrToWord& FrameLockMap()
{
    static CMapPtrToWord map(10);
    return map;
}

bool HasCommandProfile(CFrameWnd* pFrame)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == NULL)
        return false;
    CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(pFrame->m_hWnd);
    return pProfile != nullptr && !pProfile->GetName().IsEmpty();
}

// The key of the frame's layout; false for a frame without a command profile.
bool LayoutPath(CFrameWnd* pFrame, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName, LPCSTR lpszLayoutName,
                CString& strPath)
{
    if (!HasCommandProfile(pFrame))
        return false;
    BarStateRegistryPath(strPath, lpszLayoutName, lpszRegistryKey, lpszProfileName);
    return true;
}

void SetNeutralPlacement(CFrameWnd* pFrame)
{
    WINDOWPLACEMENT wp;
    if (BarStateNeutralPlacement(pFrame, wp))
        pFrame->SetWindowPlacement(&wp);
}
}

bool CUiControlBar::FrameLockMapAdd(CFrameWnd* pFrame, bool bLoading)
{
    WORD w;
    if (FrameLockMap().Lookup(pFrame, w))
        return false;
    FrameLockMap().SetAt(pFrame, bLoading ? 1 : 0);
    return true;
}

bool CUiControlBar::FrameLockMapRemove(CFrameWnd* pFrame)
{
    return FrameLockMap().RemoveKey(pFrame) != FALSE;
}

bool CUiControlBar::FrameLockMapFind(CFrameWnd* pFrame, bool* pbLoading)
{
    WORD w = 0;
    if (!FrameLockMap().Lookup(pFrame, w))
        return false;
    if (pbLoading != nullptr)
        *pbLoading = w != 0;
    return true;
}

void BarStateRegistryPath(CString& strPath, LPCSTR lpszLayoutName, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName)
{
    strPath = RegistryArchivePath(kSection, lpszLayoutName, lpszRegistryKey, lpszProfileName);
}

bool BarStateSerialize(CArchive& ar, CFrameWnd* pFrame, WINDOWPLACEMENT* pwpOut)
{
    if (!CUiControlBar::FrameLockMapAdd(pFrame, ar.IsLoading() != FALSE))
        return false;
    bool bResult = false;
    CUiControlBar::InternalDockStateSite* pSite = nullptr;
    try {
        pSite = new CUiControlBar::InternalDockStateSite(pFrame);
        if (ar.IsStoring()) {
            pSite->CaptureState();
            bResult = pSite->SerializeState(ar);
        } else {
            SetNeutralPlacement(pFrame);
            bResult = pSite->SerializeState(ar) && pSite->ApplyState(pwpOut != nullptr);
        }
        if (bResult && pwpOut != nullptr)
            *pwpOut = pSite->m_wp;
    } catch (CException* e) {
        e->Delete();
        bResult = false;
    }
    delete pSite;
    CUiControlBar::FrameLockMapRemove(pFrame);
    return bResult;
}

namespace {
// Runs fn(file, path) over a fresh memory file for a frame with a command profile; an
// exception of the registry archive, the file or the archive makes it false.
template <class Fn> bool WithLayoutFile(CFrameWnd* pFrame, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName,
                                        LPCSTR lpszLayoutName, Fn fn)
{
    CString strPath;
    if (!LayoutPath(pFrame, lpszRegistryKey, lpszProfileName, lpszLayoutName, strPath))
        return false;
    try {
        CMemFile file(kMemFileGrowBytes);
        return fn(file, strPath);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}
}

bool BarStateLoad(CFrameWnd* pFrame, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName, LPCSTR lpszLayoutName,
                  WINDOWPLACEMENT* pwpOut)
{
    auto load = [&](CMemFile& file, const CString& strPath) {
        if (!RegistryArchiveRead(file, strPath, HKEY_CURRENT_USER)) {
            SetNeutralPlacement(pFrame);
            return false;
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, kArchiveBufferSize);
        return BarStateSerialize(ar, pFrame, pwpOut);
    };
    return WithLayoutFile(pFrame, lpszRegistryKey, lpszProfileName, lpszLayoutName, load);
}

bool BarStateSave(CFrameWnd* pFrame, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName, LPCSTR lpszLayoutName,
                  WINDOWPLACEMENT* pwpOut)
{
    auto save = [&](CMemFile& file, const CString& strPath) {
        CArchive ar(&file, CArchive::store, kArchiveBufferSize);
        if (!BarStateSerialize(ar, pFrame, pwpOut)) {
            ar.Abort();
            return false;
        }
        ar.Close();
        file.SeekToBegin();
        return RegistryArchiveWrite(file, strPath, HKEY_CURRENT_USER);
    };
    return WithLayoutFile(pFrame, lpszRegistryKey, lpszProfileName, lpszLayoutName, save);
}
