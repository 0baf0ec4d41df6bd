// COleSafeArray: a VARIANT that holds a SAFEARRAY. Copies go through VariantCopy, which
// duplicates the array's data, so every COleSafeArray owns its own bytes.
#include "afxdisp.h"

namespace {

bool HoldsArray(const VARIANT& v)
{
    return (v.vt & VT_ARRAY) != 0 && v.parray != NULL;
}

// Element types whose elements own further memory: copied and resized only by oleaut32.
bool HasOwningElements(const SAFEARRAY* psa)
{
    return (psa->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_VARIANT | FADF_RECORD)) != 0;
}

} // namespace

void COleSafeArray::Init()
{
    ::VariantInit(this);
}

COleSafeArray::COleSafeArray()
{
    Init();
}

COleSafeArray::COleSafeArray(const SAFEARRAY& saSrc, VARTYPE vtSrc)
{
    Init();
    AfxCheckError(::SafeArrayCopy(const_cast<LPSAFEARRAY>(&saSrc), &parray));
    vt = (VARTYPE)(vtSrc | VT_ARRAY);
}

COleSafeArray::COleSafeArray(LPCSAFEARRAY pSrc, VARTYPE vtSrc)
{
    Init();
    if (pSrc != NULL) {
        AfxCheckError(::SafeArrayCopy(const_cast<LPSAFEARRAY>(pSrc), &parray));
        vt = (VARTYPE)(vtSrc | VT_ARRAY);
    }
}

COleSafeArray::COleSafeArray(const COleSafeArray& saSrc) : tagVARIANT()
{
    Init();
    AfxCheckError(::VariantCopy(this, const_cast<COleSafeArray*>(&saSrc)));
}

COleSafeArray::COleSafeArray(const VARIANT& varSrc)
{
    Init();
    *this = varSrc;
}

COleSafeArray::COleSafeArray(LPCVARIANT pSrc)
{
    Init();
    if (pSrc != NULL)
        *this = *pSrc;
}

COleSafeArray::COleSafeArray(const COleVariant& varSrc)
{
    Init();
    *this = (const VARIANT&)varSrc;
}

COleSafeArray::~COleSafeArray()
{
    ::VariantClear(this);
}

void COleSafeArray::Clear()
{
    AfxCheckError(::VariantClear(this));
}

void COleSafeArray::Attach(VARIANT& varSrc)
{
    if (!(varSrc.vt & VT_ARRAY) && varSrc.vt != VT_EMPTY)
        AfxThrowInvalidArgException();
    Clear();
    memcpy((VARIANT*)this, &varSrc, sizeof(VARIANT));
    varSrc.vt = VT_EMPTY;
}

VARIANT COleSafeArray::Detach()
{
    VARIANT varResult = *this;
    vt = VT_EMPTY;
    parray = NULL;
    return varResult;
}

void COleSafeArray::GetByteArray(CByteArray& bytes)
{
    DWORD nBytes = GetOneDimSize() * (HoldsArray(*this) ? GetElemSize() : 0);
    bytes.SetSize(nBytes);
    if (nBytes == 0)
        return;
    void* pData;
    AccessData(&pData);
    memcpy(bytes.GetData(), pData, nBytes);
    UnaccessData();
}

COleSafeArray& COleSafeArray::operator=(const COleSafeArray& saSrc)
{
    if (&saSrc != this)
        AfxCheckError(::VariantCopy(this, const_cast<COleSafeArray*>(&saSrc)));
    return *this;
}

COleSafeArray& COleSafeArray::operator=(const VARIANT& varSrc)
{
    if (&varSrc == this)
        return *this;
    if (varSrc.vt == VT_EMPTY) {
        Clear();
        return *this;
    }
    if (!(varSrc.vt & VT_ARRAY))
        AfxThrowInvalidArgException();
    AfxCheckError(::VariantCopy(this, const_cast<LPVARIANT>(&varSrc)));
    return *this;
}

COleSafeArray& COleSafeArray::operator=(LPCVARIANT pSrc)
{
    if (pSrc == NULL) {
        Clear();
        return *this;
    }
    return operator=(*pSrc);
}

COleSafeArray& COleSafeArray::operator=(const COleVariant& varSrc)
{
    return operator=((const VARIANT&)varSrc);
}

static BOOL SameArrays(LPCSAFEARRAY pa, LPCSAFEARRAY pb)
{
    if (pa == pb)
        return TRUE;
    if (pa == NULL || pb == NULL)
        return FALSE;
    UINT nDims = ::SafeArrayGetDim(const_cast<LPSAFEARRAY>(pa));
    if (nDims != ::SafeArrayGetDim(const_cast<LPSAFEARRAY>(pb)))
        return FALSE;
    if (pa->cbElements != pb->cbElements)
        return FALSE;
    if (HasOwningElements(pa) || HasOwningElements(pb))
        return FALSE;
    ULONGLONG nElements = 1;
    for (UINT i = 0; i < nDims; i++) {
        if (pa->rgsabound[i].cElements != pb->rgsabound[i].cElements ||
            pa->rgsabound[i].lLbound != pb->rgsabound[i].lLbound)
            return FALSE;
        nElements *= pa->rgsabound[i].cElements;
    }
    if (nElements == 0)
        return TRUE;
    return memcmp(pa->pvData, pb->pvData, (size_t)(nElements * pa->cbElements)) == 0;
}

BOOL COleSafeArray::operator==(const SAFEARRAY& saSrc) const { return SameArrays(parray, &saSrc); }
BOOL COleSafeArray::operator==(LPCSAFEARRAY pSrc) const { return SameArrays(parray, pSrc); }
BOOL COleSafeArray::operator==(const COleSafeArray& saSrc) const { return operator==((const VARIANT&)saSrc); }
BOOL COleSafeArray::operator==(const VARIANT& varSrc) const
{
    if (vt != varSrc.vt)
        return FALSE;
    if (!(vt & VT_ARRAY))
        return vt == VT_EMPTY;
    return SameArrays(parray, varSrc.parray);
}
BOOL COleSafeArray::operator==(LPCVARIANT pSrc) const { return pSrc != NULL && operator==(*pSrc); }
BOOL COleSafeArray::operator==(const COleVariant& varSrc) const { return operator==((const VARIANT&)varSrc); }

void COleSafeArray::Create(VARTYPE vtSrc, DWORD dwDims, DWORD* rgElements)
{
    if (dwDims == 0 || rgElements == NULL)
        AfxThrowInvalidArgException();
    SAFEARRAYBOUND* rgsaBounds = new SAFEARRAYBOUND[dwDims];
    for (DWORD i = 0; i < dwDims; i++) {
        rgsaBounds[i].lLbound = 0;
        rgsaBounds[i].cElements = rgElements[i];
    }
    try {
        Create(vtSrc, dwDims, rgsaBounds);
    } catch (...) {
        delete[] rgsaBounds;
        throw;
    }
    delete[] rgsaBounds;
}

void COleSafeArray::Create(VARTYPE vtSrc, DWORD dwDims, SAFEARRAYBOUND* rgsabounds)
{
    if (dwDims == 0 || rgsabounds == NULL)
        AfxThrowInvalidArgException();
    Clear();
    LPSAFEARRAY psa = ::SafeArrayCreate(vtSrc, dwDims, rgsabounds);
    if (psa == NULL)
        AfxThrowMemoryException();
    parray = psa;
    vt = (VARTYPE)(vtSrc | VT_ARRAY);
}

void COleSafeArray::CreateOneDim(VARTYPE vtSrc, DWORD dwElements, const void* pvSrcData, long nLBound)
{
    SAFEARRAYBOUND rgsabound;
    rgsabound.cElements = dwElements;
    rgsabound.lLbound = nLBound;
    Create(vtSrc, 1, &rgsabound);
    if (pvSrcData != NULL && dwElements > 0) {
        if (HasOwningElements(parray))
            AfxThrowInvalidArgException();
        void* pvDestData;
        AccessData(&pvDestData);
        memcpy(pvDestData, pvSrcData, (size_t)GetElemSize() * dwElements);
        UnaccessData();
    }
}

DWORD COleSafeArray::GetOneDimSize()
{
    if (!HoldsArray(*this))
        return 0;
    return parray->rgsabound[0].cElements;
}

void COleSafeArray::ResizeOneDim(DWORD dwElements)
{
    if (!HoldsArray(*this)) {
        CreateOneDim(VT_UI1, dwElements);
        return;
    }
    if (::SafeArrayGetDim(parray) != 1)
        AfxThrowInvalidArgException();
    DWORD nOld = GetOneDimSize();
    if (nOld == dwElements)
        return;
    DWORD nElemSize = GetElemSize();
    if (HasOwningElements(parray)) {
        SAFEARRAYBOUND rgsabound = {dwElements, parray->rgsabound[0].lLbound};
        AfxCheckError(::SafeArrayRedim(parray, &rgsabound));
        return;
    }
    // Plain elements: a new array of the new size takes the leading elements; the rest are
    // zeros. This also holds for arrays of no elements, which have no data block to resize.
    VARTYPE vtElement = (VARTYPE)(vt & ~VT_ARRAY);
    SAFEARRAYBOUND rgsabound = {dwElements, parray->rgsabound[0].lLbound};
    LPSAFEARRAY psaNew = ::SafeArrayCreate(vtElement, 1, &rgsabound);
    if (psaNew == NULL)
        AfxThrowMemoryException();
    DWORD nKeep = nOld < dwElements ? nOld : dwElements;
    if (nKeep > 0 || dwElements > 0) {
        void* pvNew = NULL;
        void* pvOld = NULL;
        HRESULT hr = ::SafeArrayAccessData(psaNew, &pvNew);
        if (SUCCEEDED(hr)) {
            if (dwElements > 0)
                memset(pvNew, 0, (size_t)dwElements * nElemSize);
            if (nKeep > 0) {
                hr = ::SafeArrayAccessData(parray, &pvOld);
                if (SUCCEEDED(hr)) {
                    memcpy(pvNew, pvOld, (size_t)nKeep * nElemSize);
                    ::SafeArrayUnaccessData(parray);
                }
            }
            ::SafeArrayUnaccessData(psaNew);
        }
        if (FAILED(hr)) {
            ::SafeArrayDestroy(psaNew);
            AfxCheckError(hr);
        }
    }
    HRESULT hr = ::SafeArrayDestroy(parray);
    if (FAILED(hr)) {
        // Still locked by an AccessData without UnaccessData: keep the old array.
        ::SafeArrayDestroy(psaNew);
        AfxCheckError(hr);
    }
    parray = psaNew;
}

void COleSafeArray::AccessData(void** ppvData)
{
    if (!HoldsArray(*this))
        AfxThrowInvalidArgException();
    AfxCheckError(::SafeArrayAccessData(parray, ppvData));
}

void COleSafeArray::UnaccessData()
{
    if (!HoldsArray(*this))
        AfxThrowInvalidArgException();
    AfxCheckError(::SafeArrayUnaccessData(parray));
}

void COleSafeArray::AllocData()
{
    AfxCheckError(::SafeArrayAllocData(parray));
}

void COleSafeArray::AllocDescriptor(DWORD dwDims)
{
    AfxCheckError(::SafeArrayAllocDescriptor(dwDims, &parray));
}

void COleSafeArray::Copy(LPSAFEARRAY* ppsa)
{
    AfxCheckError(::SafeArrayCopy(parray, ppsa));
}

void COleSafeArray::GetLBound(DWORD dwDim, long* pLBound)
{
    AfxCheckError(::SafeArrayGetLBound(parray, dwDim, pLBound));
}

void COleSafeArray::GetUBound(DWORD dwDim, long* pUBound)
{
    AfxCheckError(::SafeArrayGetUBound(parray, dwDim, pUBound));
}

void COleSafeArray::GetElement(long* rgIndices, void* pvData)
{
    AfxCheckError(::SafeArrayGetElement(parray, rgIndices, pvData));
}

void COleSafeArray::PtrOfIndex(long* rgIndices, void** ppvData)
{
    AfxCheckError(::SafeArrayPtrOfIndex(parray, rgIndices, ppvData));
}

void COleSafeArray::PutElement(long* rgIndices, void* pvData)
{
    AfxCheckError(::SafeArrayPutElement(parray, rgIndices, pvData));
}

void COleSafeArray::Redim(SAFEARRAYBOUND* psaboundNew)
{
    AfxCheckError(::SafeArrayRedim(parray, psaboundNew));
}

void COleSafeArray::Lock()
{
    AfxCheckError(::SafeArrayLock(parray));
}

void COleSafeArray::Unlock()
{
    AfxCheckError(::SafeArrayUnlock(parray));
}

DWORD COleSafeArray::GetDim()
{
    return HoldsArray(*this) ? ::SafeArrayGetDim(parray) : 0;
}

DWORD COleSafeArray::GetElemSize()
{
    return HoldsArray(*this) ? ::SafeArrayGetElemsize(parray) : 0;
}

void COleSafeArray::Destroy()
{
    if (parray != NULL && (vt & VT_ARRAY))
        AfxCheckError(::SafeArrayDestroy(parray));
    vt = VT_EMPTY;
    parray = NULL;
}

void COleSafeArray::DestroyData()
{
    AfxCheckError(::SafeArrayDestroyData(parray));
}

void COleSafeArray::DestroyDescriptor()
{
    AfxCheckError(::SafeArrayDestroyDescriptor(parray));
}
