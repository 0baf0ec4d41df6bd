// The hex editor variants' shared commands.
#include "hexeditcommands.h"

#include <new>
#include <vector>

#include "afxdlgs.h"

#include "dataanalysisdlg.h"
#include "contextmenupresenter.h"
#include "hexedit.h"
#include "hexedithost.h"
#include "hexfileio.h"
#include "markerdlgs.h"
#include "messagetext.h"

const char kHexBinaryFilter[] = "Mirtolex Binary Document(*.bin)|*.bin|All Files(*.*)|*.*||";
const char kHexBinaryExt[] = "bin";

namespace {
// An editor's buffer stays below 2^31 bytes; a larger file cannot be loaded.
const ULONGLONG kMaxBytesFile = 0x7FFFFFFF;
} // namespace

int HexMessage(int nCode, UINT nType)
{
    return AfxMessageBox(GetMessageText(nCode), nType);
}

void HexShowContextMenu(CHexEdit& edit, UINT nMenuId, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        POINT corner = {0, 0};
        edit.ClientToScreen(&corner);
        point = CPoint(corner.x + 5, corner.y + 5);
    }
    edit.SetFocus();
    TrackContextMenuResource(&edit, nMenuId, point);
}

void HexRunDataAnalysis(CHexEdit& edit)
{
    HexEditModel& model = edit.GetModel();
    const int caret = model.GetCaret();
    model.m_analysis.nStart = caret;
    model.m_analysis.nLength = 8;
    edit.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    CDataAnalyzerDlg dlg(&edit);
    dlg.m_nCaret = caret;
    dlg.m_data = edit.GetData();
    dlg.DoModal();

    model.m_analysis.nStart = -1;
    model.m_analysis.nLength = -1;
    model.m_analysis.strComment.Empty();
    if (::IsWindow(edit.m_hWnd))
        edit.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void HexRunMarkerCommand(CHexEdit& edit)
{
    const HexEditModel& model = edit.GetModel();
    if (model.HasNoSelection())
        return;
    const int start = model.GetSelStart();
    const int length = model.GetSelEnd() - start + 1;
    const int count = edit.CountMarkersInRange(start, length);
    if (count == 0) {
        CMarkerSettingDlg dlg(&edit);
        dlg.m_crText = model.m_crMarkerText;
        dlg.m_crBack = model.m_crMarkerBack;
        if (dlg.DoModal() == IDOK)
            edit.AddMarker(start, length, dlg.m_crText, dlg.m_crBack, dlg.m_strComment);
        return;
    }
    CString text;
    text.Format(GetMessageText(13063), count);
    if (AfxMessageBox(text, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        edit.RemoveMarkersInRange(start, length);
}

void HexRunMarkerInfo(CHexEdit& edit)
{
    CMarkerInfoDlg dlg(&edit);
    dlg.SetEditor(&edit);
    dlg.DoModal();
}

BOOL HexAskFileName(CWnd* pOwner, BOOL bOpen, CString& path)
{
    CFileDialog dlg(bOpen, kHexBinaryExt, path, bOpen ? kHexOpenFlags : kHexSaveAsFlags, kHexBinaryFilter, pOwner);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    path = dlg.GetPathName();
    return TRUE;
}

BOOL HexWriteBytesFile(LPCSTR path, const COleSafeArray& data)
{
    COleSafeArray bytes(data);
    DWORD size = 0;
    if (bytes.vt == (VT_ARRAY | VT_UI1) && bytes.parray != NULL)
        size = bytes.GetOneDimSize();
    void* p = NULL;
    if (size > 0)
        bytes.AccessData(&p);
    const BOOL ok = HexWriteWholeFile(path, p, static_cast<UINT>(size));
    if (size > 0)
        bytes.UnaccessData();
    return ok;
}

BOOL HexReadBytesFile(LPCSTR path, COleSafeArray& data)
{
    std::vector<BYTE> content;
    if (!HexReadWholeFile(path, 0, kMaxBytesFile, content))
        return FALSE;
    try {
        COleSafeArray bytes;
        bytes.CreateOneDim(VT_UI1, static_cast<DWORD>(content.size()), content.empty() ? NULL : content.data());
        data = bytes;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

BOOL HexSaveEditorBytes(const CHexEdit& edit, LPCSTR path)
{
    if (HexWriteBytesFile(path, edit.GetData()))
        return TRUE;
    HexMessage(13022, MB_ICONERROR);
    return FALSE;
}

void HexShowProperties(CWnd* pOwner, int nEditorIndex)
{
    if (IHexEditHost* pHost = GetHexEditHost())
        pHost->ShowOtherSettings(pOwner, kOtherSettingsEditorPage, nEditorIndex);
}

void HexSendToSendEditor(const CHexEdit& edit)
{
    if (IHexEditHost* pHost = GetHexEditHost())
        pHost->SetSendEditorData(edit.GetData());
}
