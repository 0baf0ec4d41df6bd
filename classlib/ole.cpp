// OLE drop targets and data objects.
#include "afxole.h"

namespace {
bool g_bOleInitialized = false;
}

BOOL AFXAPI AfxOleInit()
{
    if (g_bOleInitialized)
        return TRUE;
    HRESULT hr = ::OleInitialize(NULL);
    if (FAILED(hr))
        return FALSE;
    g_bOleInitialized = true;
    return TRUE;
}

BOOL AFXAPI AfxOleIsInitialized()
{
    return g_bOleInitialized;
}

// ---------------------------------------------------------------------------------------

COleDataObject::COleDataObject() : m_lpDataObject(NULL), m_bAutoRelease(TRUE)
{
}

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lp = m_lpDataObject;
    m_lpDataObject = NULL;
    return lp;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != NULL && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
}

static FORMATETC AfxFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (lpFormatEtc != NULL)
        return *lpFormatEtc;
    FORMATETC fe = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return fe;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC fe = AfxFormatEtc(cfFormat, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&fe) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return NULL;
    FORMATETC fe = AfxFormatEtc(cfFormat, lpFormatEtc);
    STGMEDIUM medium = {};
    if (FAILED(m_lpDataObject->GetData(&fe, &medium)) || medium.tymed != TYMED_HGLOBAL) {
        if (medium.tymed != TYMED_NULL)
            ::ReleaseStgMedium(&medium);
        return NULL;
    }
    if (medium.pUnkForRelease == NULL)
        return medium.hGlobal;
    // The data belongs to its source: a copy of ours goes to the caller.
    SIZE_T nSize = ::GlobalSize(medium.hGlobal);
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
    if (hCopy != NULL) {
        void* pSrc = ::GlobalLock(medium.hGlobal);
        void* pDst = ::GlobalLock(hCopy);
        if (pSrc != NULL && pDst != NULL)
            memcpy(pDst, pSrc, nSize);
        ::GlobalUnlock(hCopy);
        ::GlobalUnlock(medium.hGlobal);
    }
    ::ReleaseStgMedium(&medium);
    return hCopy;
}

// ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)

COleDocument::~COleDocument()
{
    while (!m_docItemList.IsEmpty())
        delete (COleClientItem*)m_docItemList.GetHead();   // the item takes itself off the list
}

void COleDocument::AddItem(COleClientItem* pItem)
{
    if (pItem->m_pDocument == this)
        return;
    if (pItem->m_pDocument != nullptr)
        pItem->m_pDocument->RemoveItem(pItem);
    m_docItemList.AddTail(pItem);
    pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(COleClientItem* pItem)
{
    POSITION pos = m_docItemList.Find(pItem);
    if (pos == NULL)
        return;
    m_docItemList.RemoveAt(pos);
    pItem->m_pDocument = nullptr;
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return nullptr;
    for (POSITION pos = m_docItemList.GetHeadPosition(); pos != NULL;) {
        COleClientItem* pItem = (COleClientItem*)m_docItemList.GetNext(pos);
        if (pItem->m_pView == pWnd && pItem->IsInPlaceActive())
            return pItem;
    }
    return nullptr;
}

IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)

COleClientItem::COleClientItem(COleDocument* pContainerDoc)
    : m_pDocument(nullptr), m_nItemState(emptyState), m_pView(nullptr)
{
    if (pContainerDoc != nullptr)
        pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveItem(this);
}

COleDropTarget::COleDropTarget() : m_hWnd(NULL)
{
    m_xDropTarget.m_pThis = this;
}

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (!AfxOleIsInitialized() || pWnd == nullptr || pWnd->m_hWnd == NULL || m_hWnd != NULL)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, &m_xDropTarget)))
        return FALSE;
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == NULL)
        return;
    if (::IsWindow(m_hWnd))
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = NULL;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*)
{
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

CPoint COleDropTarget::ToClient(POINTL pt) const
{
    CPoint point(pt.x, pt.y);
    ::ScreenToClient(m_hWnd, &point);
    return point;
}

STDMETHODIMP COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *ppv = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDropTarget::XDropTarget::AddRef()
{
    return 1;
}

STDMETHODIMP_(ULONG) COleDropTarget::XDropTarget::Release()
{
    return 1;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    COleDropTarget* pThis = m_pThis;
    if (pDataObj != NULL)
        pDataObj->AddRef();
    pThis->m_dataObject.Attach(pDataObj, TRUE);
    *pdwEffect = pThis->OnDragEnter(CWnd::FromHandle(pThis->m_hWnd), &pThis->m_dataObject, grfKeyState, pThis->ToClient(pt));
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    COleDropTarget* pThis = m_pThis;
    *pdwEffect = pThis->OnDragOver(CWnd::FromHandle(pThis->m_hWnd), &pThis->m_dataObject, grfKeyState, pThis->ToClient(pt));
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave()
{
    COleDropTarget* pThis = m_pThis;
    pThis->OnDragLeave(CWnd::FromHandle(pThis->m_hWnd));
    pThis->m_dataObject.Release();
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD, POINTL pt, DWORD* pdwEffect)
{
    COleDropTarget* pThis = m_pThis;
    if (pDataObj != NULL)
        pDataObj->AddRef();
    pThis->m_dataObject.Attach(pDataObj, TRUE);
    if (!pThis->OnDrop(CWnd::FromHandle(pThis->m_hWnd), &pThis->m_dataObject, *pdwEffect, pThis->ToClient(pt)))
        *pdwEffect = DROPEFFECT_NONE;
    pThis->m_dataObject.Release();
    return S_OK;
}
