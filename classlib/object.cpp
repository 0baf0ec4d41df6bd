// Run-time class records, the chain FromName searches, and CObject's defaults.
#include "afx.h"

namespace {
AFX_CLASSINIT* g_pFirstClassInit = NULL;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass), m_pNext(g_pFirstClassInit)
{
    g_pFirstClassInit = this;
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass)
        if (pClass == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (AFX_CLASSINIT* p = g_pFirstClassInit; p != NULL; p = p->m_pNext)
        if (lstrcmpA(p->m_pClass->m_lpszClassName, lpszClassName) == 0)
            return p->m_pClass;
    if (lstrcmpA(CObject::classCObject.m_lpszClassName, lpszClassName) == 0)
        return RUNTIME_CLASS(CObject);
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == NULL ? NULL : pClass->CreateObject();
}

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, NULL, NULL};

CObject::CObject() {}
CObject::~CObject() {}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&) {}
void CObject::AssertValid() const {}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}
