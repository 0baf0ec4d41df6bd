// COleException and COleVariant over oleaut32's VARIANT functions.
#include "afxdisp.h"

IMPLEMENT_DYNAMIC(COleException, CException)

COleException::COleException() : m_sc(S_OK) {}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (pAnyException == NULL)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return ((const COleException*)pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    return E_UNEXPECTED;
}

BOOL COleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    if (::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, (DWORD)m_sc, 0,
                         lpszError, nMaxError, NULL) == 0) {
        *lpszError = '\0';
        return FALSE;
    }
    return TRUE;
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    COleException* pException = new COleException;
    pException->m_sc = sc;
    throw pException;
}

void AFXAPI AfxCheckError(SCODE sc)
{
    if (FAILED(sc)) {
        if (sc == E_OUTOFMEMORY)
            AfxThrowMemoryException();
        AfxThrowOleException(sc);
    }
}

// ---------------------------------------------------------------------------------------

COleVariant::COleVariant()
{
    ::VariantInit(this);
}

COleVariant::COleVariant(const VARIANT& varSrc)
{
    ::VariantInit(this);
    AfxCheckError(::VariantCopy(this, const_cast<LPVARIANT>(&varSrc)));
}

COleVariant::COleVariant(LPCVARIANT pSrc)
{
    ::VariantInit(this);
    if (pSrc != NULL)
        AfxCheckError(::VariantCopy(this, const_cast<LPVARIANT>(pSrc)));
}

COleVariant::COleVariant(const COleVariant& varSrc) : tagVARIANT()
{
    ::VariantInit(this);
    AfxCheckError(::VariantCopy(this, const_cast<COleVariant*>(&varSrc)));
}

COleVariant::COleVariant(LPCSTR lpszSrc)
{
    ::VariantInit(this);
    *this = lpszSrc;
}

COleVariant::COleVariant(LPCSTR lpszSrc, VARTYPE)
{
    ::VariantInit(this);
    *this = lpszSrc;
}

COleVariant::COleVariant(const CString& strSrc)
{
    ::VariantInit(this);
    *this = strSrc;
}

COleVariant::COleVariant(BYTE nSrc)
{
    vt = VT_UI1;
    bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = vtSrc == VT_ERROR ? VT_ERROR : VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(float fltSrc)
{
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc)
{
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant::COleVariant(const CByteArray& arrSrc)
{
    ::VariantInit(this);
    *this = arrSrc;
}

COleVariant::~COleVariant()
{
    ::VariantClear(this);
}

void COleVariant::Clear()
{
    AfxCheckError(::VariantClear(this));
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == NULL)
        pSrc = this;
    if (pSrc != this || vartype != vt)
        AfxCheckError(::VariantChangeType(this, pSrc, 0, vartype));
}

void COleVariant::Attach(VARIANT& varSrc)
{
    Clear();
    memcpy((VARIANT*)this, &varSrc, sizeof(VARIANT));
    varSrc.vt = VT_EMPTY;
}

VARIANT COleVariant::Detach()
{
    VARIANT varResult = *this;
    vt = VT_EMPTY;
    return varResult;
}

void COleVariant::GetByteArrayFromVariantArray(CByteArray& bytes)
{
    bytes.RemoveAll();
    if (vt != (VT_UI1 | VT_ARRAY) || parray == NULL)
        AfxThrowInvalidArgException();
    COleSafeArray sa(*this);
    sa.GetByteArray(bytes);
}

BOOL COleVariant::operator==(const VARIANT& varSrc) const
{
    return operator==(&varSrc);
}

BOOL COleVariant::operator==(LPCVARIANT pSrc) const
{
    if (pSrc == NULL)
        return FALSE;
    if (this == pSrc)
        return TRUE;
    if (vt != pSrc->vt)
        return FALSE;
    if (vt & VT_ARRAY)
        return COleSafeArray(*this) == COleSafeArray(*pSrc);
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return TRUE;
    case VT_BSTR:
        return ::SysStringByteLen(bstrVal) == ::SysStringByteLen(pSrc->bstrVal) &&
               memcmp(bstrVal, pSrc->bstrVal, ::SysStringByteLen(bstrVal)) == 0;
    default:
        return ::VarCmp(const_cast<COleVariant*>(this), const_cast<LPVARIANT>(pSrc), LOCALE_USER_DEFAULT, 0) ==
               VARCMP_EQ;
    }
}

const COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (&varSrc != this)
        AfxCheckError(::VariantCopy(this, const_cast<LPVARIANT>(&varSrc)));
    return *this;
}

const COleVariant& COleVariant::operator=(LPCVARIANT pSrc)
{
    if (pSrc != NULL && pSrc != this)
        AfxCheckError(::VariantCopy(this, const_cast<LPVARIANT>(pSrc)));
    return *this;
}

const COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    if (&varSrc != this)
        AfxCheckError(::VariantCopy(this, const_cast<COleVariant*>(&varSrc)));
    return *this;
}

const COleVariant& COleVariant::operator=(LPCSTR lpszSrc)
{
    CString str(lpszSrc == NULL ? "" : lpszSrc);
    return operator=(str);
}

const COleVariant& COleVariant::operator=(const CString& strSrc)
{
    BSTR bstr = strSrc.AllocSysString();
    Clear();
    vt = VT_BSTR;
    bstrVal = bstr;
    return *this;
}

const COleVariant& COleVariant::operator=(BYTE nSrc)
{
    Clear();
    vt = VT_UI1;
    bVal = nSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(short nSrc)
{
    if (vt == VT_BOOL) {
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        Clear();
        vt = VT_I2;
        iVal = nSrc;
    }
    return *this;
}

const COleVariant& COleVariant::operator=(long lSrc)
{
    if (vt == VT_ERROR) {
        scode = lSrc;
    } else if (vt == VT_BOOL) {
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        Clear();
        vt = VT_I4;
        lVal = lSrc;
    }
    return *this;
}

const COleVariant& COleVariant::operator=(float fltSrc)
{
    Clear();
    vt = VT_R4;
    fltVal = fltSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(double dblSrc)
{
    Clear();
    vt = VT_R8;
    dblVal = dblSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(const CByteArray& arrSrc)
{
    COleSafeArray sa;
    sa.CreateOneDim(VT_UI1, (DWORD)arrSrc.GetSize(), arrSrc.GetData());
    Clear();
    VARIANT v = sa.Detach();
    memcpy((VARIANT*)this, &v, sizeof(VARIANT));
    return *this;
}
