// OLE drag and drop targets, the data object they are handed, and the OLE document with the
// in-place state of its items. OLE is used only when the program initialised it (AfxOleInit);
// until then a drop target does not register.
#pragma once
#include "afxwin.h"
#include <ole2.h>

typedef DWORD DROPEFFECT;
class COleClientItem;

// Initialises OLE for the module (on the calling thread); FALSE when it fails.
BOOL AFXAPI AfxOleInit();
// Whether AfxOleInit succeeded in this module.
BOOL AFXAPI AfxOleIsInitialized();

class COleDataObject {
public:
    COleDataObject();
    ~COleDataObject();

    LPDATAOBJECT m_lpDataObject;
    BOOL m_bAutoRelease;

    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // The data as a global memory handle the caller frees; NULL when not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

private:
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;
};

class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    virtual ~COleDropTarget();

    // Makes the window a drop target; FALSE before AfxOleInit or when OLE refuses.
    BOOL Register(CWnd* pWnd);
    void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    HWND m_hWnd;

protected:
    // The interface OLE calls; it lives inside the target and is not reference counted.
    struct XDropTarget : public IDropTarget {
        COleDropTarget* m_pThis = nullptr;
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(DragEnter)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragLeave)() override;
        STDMETHOD(Drop)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    } m_xDropTarget;
    COleDataObject m_dataObject;   // the data of the drag in progress
    CPoint ToClient(POINTL pt) const;
};

// A document holding embedded items. Only their state is kept: whether an item is active in
// place and in which view. No server is run; whoever activates an item sets its state.
class COleDocument : public CDocument {
    DECLARE_DYNAMIC(COleDocument)
public:
    COleDocument() {}
    // The items still held are deleted with the document.
    virtual ~COleDocument();

    void AddItem(COleClientItem* pItem);
    void RemoveItem(COleClientItem* pItem);
    // The item active in place in the view pWnd, or NULL.
    virtual COleClientItem* GetInPlaceActiveItem(CWnd* pWnd);

protected:
    CPtrList m_docItemList;
};

class COleClientItem : public CCmdTarget {
    DECLARE_DYNAMIC(COleClientItem)
public:
    enum ItemState { emptyState, loadedState, openState, activeState, activeUIState };

    // Joins pContainerDoc when one is given.
    explicit COleClientItem(COleDocument* pContainerDoc = NULL);
    // Leaves its document.
    virtual ~COleClientItem();

    BOOL IsInPlaceActive() const { return m_nItemState == activeState || m_nItemState == activeUIState; }

    COleDocument* m_pDocument;   // set by COleDocument::AddItem
    UINT m_nItemState;
    CView* m_pView;              // the view it is active in place in

private:
    COleClientItem(const COleClientItem&) = delete;
    COleClientItem& operator=(const COleClientItem&) = delete;
};
