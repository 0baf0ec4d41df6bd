// Automation types over oleaut32: COleVariant (a VARIANT that owns its contents) and
// COleSafeArray (a VARIANT holding a SAFEARRAY). The program uses one-dimensional VT_UI1
// safe arrays as its byte buffers; copies are deep, so changing a copy through AccessData
// leaves the original as it was. Failures of oleaut32 throw COleException*.
#pragma once
#include "afxcoll.h"
#include <ole2.h>
#include <oleauto.h>

typedef const VARIANT* LPCVARIANT;
typedef const SAFEARRAY* LPCSAFEARRAY;

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    COleException();
    static SCODE PASCAL Process(const CException* pAnyException);
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    SCODE m_sc;
};

[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);
// Throws COleException* when hr is a failure code.
void AFXAPI AfxCheckError(SCODE sc);

class COleSafeArray;

class COleVariant : public tagVARIANT {
public:
    COleVariant();
    COleVariant(const VARIANT& varSrc);
    COleVariant(LPCVARIANT pSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(LPCSTR lpszSrc);
    COleVariant(LPCSTR lpszSrc, VARTYPE vtSrc);   // VT_BSTR or VT_BSTRT
    COleVariant(const CString& strSrc);
    COleVariant(BYTE nSrc);
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(float fltSrc);
    COleVariant(double dblSrc);
    // A VT_UI1 safe array holding the bytes.
    COleVariant(const CByteArray& arrSrc);
    ~COleVariant();

    void Clear();
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = NULL);
    void Attach(VARIANT& varSrc);
    VARIANT Detach();
    void GetByteArrayFromVariantArray(CByteArray& bytes);

    BOOL operator==(const VARIANT& varSrc) const;
    BOOL operator==(LPCVARIANT pSrc) const;
    BOOL operator==(const COleVariant& varSrc) const { return operator==((LPCVARIANT)&varSrc); }

    const COleVariant& operator=(const VARIANT& varSrc);
    const COleVariant& operator=(LPCVARIANT pSrc);
    const COleVariant& operator=(const COleVariant& varSrc);
    const COleVariant& operator=(LPCSTR lpszSrc);
    const COleVariant& operator=(const CString& strSrc);
    const COleVariant& operator=(BYTE nSrc);
    const COleVariant& operator=(short nSrc);
    const COleVariant& operator=(long lSrc);
    const COleVariant& operator=(float fltSrc);
    const COleVariant& operator=(double dblSrc);
    const COleVariant& operator=(const CByteArray& arrSrc);

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }
};

class COleSafeArray : public tagVARIANT {
public:
    COleSafeArray();
    COleSafeArray(const SAFEARRAY& saSrc, VARTYPE vtSrc);
    COleSafeArray(LPCSAFEARRAY pSrc, VARTYPE vtSrc);
    COleSafeArray(const COleSafeArray& saSrc);
    COleSafeArray(const VARIANT& varSrc);
    COleSafeArray(LPCVARIANT pSrc);
    COleSafeArray(const COleVariant& varSrc);
    ~COleSafeArray();

    void Clear();
    void Attach(VARIANT& varSrc);
    VARIANT Detach();
    void GetByteArray(CByteArray& bytes);

    COleSafeArray& operator=(const COleSafeArray& saSrc);
    COleSafeArray& operator=(const VARIANT& varSrc);
    COleSafeArray& operator=(LPCVARIANT pSrc);
    COleSafeArray& operator=(const COleVariant& varSrc);

    BOOL operator==(const SAFEARRAY& saSrc) const;
    BOOL operator==(LPCSAFEARRAY pSrc) const;
    BOOL operator==(const COleSafeArray& saSrc) const;
    BOOL operator==(const VARIANT& varSrc) const;
    BOOL operator==(LPCVARIANT pSrc) const;
    BOOL operator==(const COleVariant& varSrc) const;

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }

    void Create(VARTYPE vtSrc, DWORD dwDims, DWORD* rgElements);
    void Create(VARTYPE vtSrc, DWORD dwDims, SAFEARRAYBOUND* rgsabounds);
    // A one-dimensional array of dwElements, filled from pvSrcData when given, else zeros.
    void CreateOneDim(VARTYPE vtSrc, DWORD dwElements, const void* pvSrcData = NULL, long nLBound = 0);
    // Number of elements; 0 for an empty or never created array.
    DWORD GetOneDimSize();
    // Changes the element count, keeping the leading elements; new elements are zero. On an
    // empty object it creates a VT_UI1 array.
    void ResizeOneDim(DWORD dwElements);

    void AccessData(void** ppvData);
    void UnaccessData();
    void AllocData();
    void AllocDescriptor(DWORD dwDims);
    void Copy(LPSAFEARRAY* ppsa);
    void GetLBound(DWORD dwDim, long* pLBound);
    void GetUBound(DWORD dwDim, long* pUBound);
    void GetElement(long* rgIndices, void* pvData);
    void PtrOfIndex(long* rgIndices, void** ppvData);
    void PutElement(long* rgIndices, void* pvData);
    void Redim(SAFEARRAYBOUND* psaboundNew);
    void Lock();
    void Unlock();
    DWORD GetDim();
    DWORD GetElemSize();
    void Destroy();
    void DestroyData();
    void DestroyDescriptor();

protected:
    void Init();
};
