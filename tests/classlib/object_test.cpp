// Run-time classes: dynamic creation, kind checks, names.
#include "afxwin.h"
#include <gtest/gtest.h>

namespace {

class CTestShape : public CObject {
    DECLARE_DYNAMIC(CTestShape)
};
IMPLEMENT_DYNAMIC(CTestShape, CObject)

class CTestCircle : public CTestShape {
    DECLARE_DYNCREATE(CTestCircle)
public:
    int m_nRadius = 5;
};
IMPLEMENT_DYNCREATE(CTestCircle, CTestShape)

class CTestSquare : public CTestShape {
    DECLARE_DYNAMIC(CTestSquare)
};
IMPLEMENT_DYNAMIC(CTestSquare, CTestShape)

} // namespace

TEST(RuntimeClass, CreateObjectGivesObjectOfItsKind)
{
    CObject* pObject = RUNTIME_CLASS(CTestCircle)->CreateObject();
    ASSERT_NE(pObject, nullptr);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTestShape)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTestCircle)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(pObject->IsKindOf(RUNTIME_CLASS(CTestSquare)));
    EXPECT_EQ(static_cast<CTestCircle*>(pObject)->m_nRadius, 5);
    EXPECT_EQ(pObject->GetRuntimeClass(), RUNTIME_CLASS(CTestCircle));
    delete pObject;
}

TEST(RuntimeClass, ClassWithoutDynCreateGivesNull)
{
    EXPECT_EQ(RUNTIME_CLASS(CTestSquare)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CObject)->CreateObject(), nullptr);
}

TEST(RuntimeClass, NamesAndLookupByName)
{
    EXPECT_STREQ(RUNTIME_CLASS(CTestCircle)->m_lpszClassName, "CTestCircle");
    EXPECT_EQ(RUNTIME_CLASS(CTestCircle)->m_pBaseClass, RUNTIME_CLASS(CTestShape));
    EXPECT_EQ(CRuntimeClass::FromName("CTestSquare"), RUNTIME_CLASS(CTestSquare));
    EXPECT_EQ(CRuntimeClass::FromName("CFileException"), RUNTIME_CLASS(CFileException));
    EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
    CObject* pObject = CRuntimeClass::CreateObject("CTestCircle");
    ASSERT_NE(pObject, nullptr);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTestCircle)));
    delete pObject;
}

TEST(RuntimeClass, DynamicDowncast)
{
    CTestSquare square;
    CObject* pObject = &square;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CTestShape, pObject), &square);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CTestCircle, pObject), nullptr);
}
