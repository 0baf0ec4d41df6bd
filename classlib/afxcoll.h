// The non-template collections: arrays of bytes, words, double words, unsigned ints, strings,
// pointers and objects; lists of pointers, objects and strings; maps keyed by string, pointer
// or word. Each is the matching CArray / CList / CMap with its own run-time class.
#pragma once
#include "afxcolltempl.h"

#define AFX_DECLARE_ARRAY(name, T, ARG_T) \
    class name : public CArray<T, ARG_T> { \
        DECLARE_SERIAL(name) \
    public: \
        name() {} \
    };

AFX_DECLARE_ARRAY(CByteArray, BYTE, BYTE)
AFX_DECLARE_ARRAY(CWordArray, WORD, WORD)
AFX_DECLARE_ARRAY(CDWordArray, DWORD, DWORD)
AFX_DECLARE_ARRAY(CUIntArray, UINT, UINT)
AFX_DECLARE_ARRAY(CPtrArray, void*, void*)
AFX_DECLARE_ARRAY(CObArray, CObject*, CObject*)

class CStringArray : public CArray<CString, LPCSTR> {
    DECLARE_SERIAL(CStringArray)
public:
    CStringArray() {}
    INT_PTR Add(LPCSTR newElement) { return CArray<CString, LPCSTR>::Add(newElement); }
    INT_PTR Add(const CString& newElement)
    {
        INT_PTR nIndex = GetSize();
        SetSize(nIndex + 1);
        ElementAt(nIndex) = newElement;
        return nIndex;
    }
    void SetAt(INT_PTR nIndex, LPCSTR newElement) { ElementAt(nIndex) = newElement; }
    void SetAt(INT_PTR nIndex, const CString& newElement) { ElementAt(nIndex) = newElement; }
};

#undef AFX_DECLARE_ARRAY

#define AFX_DECLARE_LIST(name, T, ARG_T) \
    class name : public CList<T, ARG_T> { \
        DECLARE_SERIAL(name) \
    public: \
        explicit name(INT_PTR nBlockSize = 10) : CList<T, ARG_T>(nBlockSize) {} \
    };

AFX_DECLARE_LIST(CPtrList, void*, void*)
AFX_DECLARE_LIST(CObList, CObject*, CObject*)
AFX_DECLARE_LIST(CStringList, CString, LPCSTR)

#undef AFX_DECLARE_LIST

#define AFX_DECLARE_MAP(name, K, ARG_K, V, ARG_V) \
    class name : public CMap<K, ARG_K, V, ARG_V> { \
        DECLARE_SERIAL(name) \
    public: \
        explicit name(INT_PTR nBlockSize = 10) : CMap<K, ARG_K, V, ARG_V>(nBlockSize) {} \
    };

#define AFX_DECLARE_STRING_MAP(name, V, ARG_V) \
    class name : public CMap<CString, LPCSTR, V, ARG_V> { \
        DECLARE_SERIAL(name) \
    public: \
        explicit name(INT_PTR nBlockSize = 10) : CMap<CString, LPCSTR, V, ARG_V>(nBlockSize) {} \
        /* The map's own copy of a key, found by value. */ \
        BOOL LookupKey(LPCSTR key, LPCSTR& rKey) const \
        { \
            const CPair* pPair = PLookup(key); \
            if (pPair == NULL) \
                return FALSE; \
            rKey = pPair->key; \
            return TRUE; \
        } \
    };

AFX_DECLARE_MAP(CMapPtrToPtr, void*, void*, void*, void*)
AFX_DECLARE_MAP(CMapPtrToWord, void*, void*, WORD, WORD)
AFX_DECLARE_MAP(CMapWordToPtr, WORD, WORD, void*, void*)
AFX_DECLARE_MAP(CMapWordToOb, WORD, WORD, CObject*, CObject*)
AFX_DECLARE_STRING_MAP(CMapStringToPtr, void*, void*)
AFX_DECLARE_STRING_MAP(CMapStringToOb, CObject*, CObject*)
AFX_DECLARE_STRING_MAP(CMapStringToString, CString, LPCSTR)

#undef AFX_DECLARE_MAP
#undef AFX_DECLARE_STRING_MAP
