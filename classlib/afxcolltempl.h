// The collection templates: CArray (a growable vector), CList (a doubly linked list walked by
// POSITION) and CMap (a chained hash table). Growth, hashing and iteration order follow the
// library's classic rules:
// arrays grow by an eighth of their size (at least 4, at most 1024 elements) unless a
// growth step is set, a pointer key hashes as its value shifted right by 4, a string key by
// hash = hash * 33 + character, new map entries go to the front of their bucket, and
// iteration walks the buckets in order.
#pragma once
#include "afx.h"
#include <utility>

template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    return (UINT)(((DWORD_PTR)key) >> 4);
}

inline UINT AfxHashString(LPCSTR key)
{
    UINT nHash = 0;
    if (key != NULL)
        while (*key)
            nHash = (nHash << 5) + nHash + (UINT)(int)*key++;
    return nHash;
}

template <> inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key) { return AfxHashString(key); }
template <> inline UINT AFXAPI HashKey<LPSTR>(LPSTR key) { return AfxHashString(key); }
template <> inline UINT AFXAPI HashKey<const CString&>(const CString& key) { return AfxHashString(key); }
template <> inline UINT AFXAPI HashKey<CString>(CString key) { return AfxHashString(key); }

// Elements are written as their bytes; strings with the archive's string encoding.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if (ar.IsStoring())
        ar.Write((const void*)pElements, (UINT)(nCount * sizeof(TYPE)));
    else if (ar.Read((void*)pElements, (UINT)(nCount * sizeof(TYPE))) != (UINT)(nCount * sizeof(TYPE)))
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

template <>
inline void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; i++) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

// ---------------------------------------------------------------------------------------

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    ~CArray()
    {
        Destroy(m_pData, m_nSize);
        ::operator delete((void*)m_pData);
    }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nNewSize == 0) {
            Destroy(m_pData, m_nSize);
            ::operator delete((void*)m_pData);
            m_pData = NULL;
            m_nSize = m_nMaxSize = 0;
        } else if (m_pData == NULL) {
            INT_PTR nAlloc = nNewSize > m_nGrowBy ? nNewSize : m_nGrowBy;
            m_pData = Allocate(nAlloc);
            Construct(m_pData, nNewSize);
            m_nSize = nNewSize;
            m_nMaxSize = nAlloc;
        } else if (nNewSize <= m_nMaxSize) {
            if (nNewSize > m_nSize)
                Construct(m_pData + m_nSize, nNewSize - m_nSize);
            else if (m_nSize > nNewSize)
                Destroy(m_pData + nNewSize, m_nSize - nNewSize);
            m_nSize = nNewSize;
        } else {
            INT_PTR nStep = m_nGrowBy;
            if (nStep == 0) {
                nStep = m_nSize / 8;
                nStep = nStep < 4 ? 4 : (nStep > 1024 ? 1024 : nStep);
            }
            INT_PTR nNewMax = nNewSize < m_nMaxSize + nStep ? m_nMaxSize + nStep : nNewSize;
            TYPE* pNewData = Allocate(nNewMax);
            Relocate(pNewData, m_pData, m_nSize);
            Construct(pNewData + m_nSize, nNewSize - m_nSize);
            ::operator delete((void*)m_pData);
            m_pData = pNewData;
            m_nSize = nNewSize;
            m_nMaxSize = nNewMax;
        }
    }

    void FreeExtra()
    {
        if (m_nSize == m_nMaxSize)
            return;
        TYPE* pNewData = NULL;
        if (m_nSize != 0) {
            pNewData = Allocate(m_nSize);
            Relocate(pNewData, m_pData, m_nSize);
        }
        ::operator delete((void*)m_pData);
        m_pData = pNewData;
        m_nMaxSize = m_nSize;
    }

    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_pData[nIndex]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= m_nSize) {
            // The new element may live in this array: copy it before the storage moves.
            TYPE value(newElement);
            SetSize(nIndex + 1, -1);
            m_pData[nIndex] = std::move(value);
        } else {
            m_pData[nIndex] = newElement;
        }
    }

    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }

    INT_PTR Append(const CArray& src)
    {
        INT_PTR nOldSize = m_nSize;
        INT_PTR nCount = src.m_nSize;
        if (this == &src) {
            SetSize(nOldSize + nCount);
            for (INT_PTR i = 0; i < nCount; i++)
                m_pData[nOldSize + i] = m_pData[i];
        } else {
            SetSize(nOldSize + nCount);
            for (INT_PTR i = 0; i < nCount; i++)
                m_pData[nOldSize + i] = src.m_pData[i];
        }
        return nOldSize;
    }

    void Copy(const CArray& src)
    {
        if (this == &src)
            return;
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < m_nSize; i++)
            m_pData[i] = src.m_pData[i];
    }

    const TYPE& operator[](INT_PTR nIndex) const { return m_pData[nIndex]; }
    TYPE& operator[](INT_PTR nIndex) { return m_pData[nIndex]; }

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0) {
            if (nIndex < 0 || nCount < 0)
                AfxThrowInvalidArgException();
            return;
        }
        TYPE value(newElement);
        if (nIndex >= m_nSize) {
            SetSize(nIndex + nCount, -1);
        } else {
            INT_PTR nOldSize = m_nSize;
            SetSize(m_nSize + nCount, -1);
            for (INT_PTR i = nOldSize - 1; i >= nIndex; i--)
                m_pData[i + nCount] = std::move(m_pData[i]);
        }
        for (INT_PTR i = 0; i < nCount; i++)
            m_pData[nIndex + i] = value;
    }

    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (pNewArray == NULL || pNewArray->GetSize() == 0)
            return;
        if (pNewArray == this) {
            CArray copy;
            copy.Copy(*this);
            InsertAt(nStartIndex, &copy);
            return;
        }
        InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->GetSize());
        for (INT_PTR i = 0; i < pNewArray->GetSize(); i++)
            SetAt(nStartIndex + i, pNewArray->GetAt(i));
    }

    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > m_nSize)
            AfxThrowInvalidArgException();
        if (nCount == 0)
            return;
        for (INT_PTR i = nIndex; i + nCount < m_nSize; i++)
            m_pData[i] = std::move(m_pData[i + nCount]);
        Destroy(m_pData + m_nSize - nCount, nCount);
        m_nSize -= nCount;
    }

    virtual void Serialize(CArchive& ar)
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(m_nSize);
        } else {
            DWORD_PTR nOldSize = ar.ReadCount();
            SetSize((INT_PTR)nOldSize, -1);
        }
        SerializeElements<TYPE>(ar, m_pData, m_nSize);
    }

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    static TYPE* Allocate(INT_PTR nCount)
    {
        if ((size_t)nCount > ((size_t)-1) / sizeof(TYPE))
            AfxThrowMemoryException();
        return static_cast<TYPE*>(::operator new((size_t)nCount * sizeof(TYPE)));
    }
    // New elements start zero-filled, then constructed: plain types read as 0.
    static void Construct(TYPE* p, INT_PTR nCount)
    {
        memset((void*)p, 0, (size_t)nCount * sizeof(TYPE));
        for (INT_PTR i = 0; i < nCount; i++)
            ::new ((void*)(p + i)) TYPE;
    }
    static void Destroy(TYPE* p, INT_PTR nCount)
    {
        for (INT_PTR i = 0; i < nCount; i++)
            p[i].~TYPE();
    }
    static void Relocate(TYPE* pDest, TYPE* pSrc, INT_PTR nCount)
    {
        for (INT_PTR i = 0; i < nCount; i++) {
            ::new ((void*)(pDest + i)) TYPE(std::move(pSrc[i]));
            pSrc[i].~TYPE();
        }
    }
};

// ---------------------------------------------------------------------------------------

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10)
        : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_nBlockSize(nBlockSize) {}
    ~CList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pNodeHead->data; }
    const TYPE& GetHead() const { return m_pNodeHead->data; }
    TYPE& GetTail() { return m_pNodeTail->data; }
    const TYPE& GetTail() const { return m_pNodeTail->data; }

    TYPE RemoveHead()
    {
        CNode* pOld = m_pNodeHead;
        TYPE returnValue(std::move(pOld->data));
        m_pNodeHead = pOld->pNext;
        if (m_pNodeHead != NULL)
            m_pNodeHead->pPrev = NULL;
        else
            m_pNodeTail = NULL;
        FreeNode(pOld);
        return returnValue;
    }

    TYPE RemoveTail()
    {
        CNode* pOld = m_pNodeTail;
        TYPE returnValue(std::move(pOld->data));
        m_pNodeTail = pOld->pPrev;
        if (m_pNodeTail != NULL)
            m_pNodeTail->pNext = NULL;
        else
            m_pNodeHead = NULL;
        FreeNode(pOld);
        return returnValue;
    }

    POSITION AddHead(ARG_TYPE newElement)
    {
        CNode* pNewNode = NewNode(NULL, m_pNodeHead, newElement);
        if (m_pNodeHead != NULL)
            m_pNodeHead->pPrev = pNewNode;
        else
            m_pNodeTail = pNewNode;
        m_pNodeHead = pNewNode;
        return (POSITION)pNewNode;
    }

    POSITION AddTail(ARG_TYPE newElement)
    {
        CNode* pNewNode = NewNode(m_pNodeTail, NULL, newElement);
        if (m_pNodeTail != NULL)
            m_pNodeTail->pNext = pNewNode;
        else
            m_pNodeHead = pNewNode;
        m_pNodeTail = pNewNode;
        return (POSITION)pNewNode;
    }

    void AddHead(CList* pNewList)
    {
        POSITION pos = pNewList->GetTailPosition();
        while (pos != NULL)
            AddHead(pNewList->GetPrev(pos));
    }

    void AddTail(CList* pNewList)
    {
        POSITION pos = pNewList->GetHeadPosition();
        while (pos != NULL)
            AddTail(pNewList->GetNext(pos));
    }

    void RemoveAll()
    {
        CNode* pNode = m_pNodeHead;
        while (pNode != NULL) {
            CNode* pNext = pNode->pNext;
            delete pNode;
            pNode = pNext;
        }
        m_pNodeHead = m_pNodeTail = NULL;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }

    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }

    TYPE& GetAt(POSITION position) { return ((CNode*)position)->data; }
    const TYPE& GetAt(POSITION position) const { return ((CNode*)position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ((CNode*)pos)->data = newElement; }

    void RemoveAt(POSITION position)
    {
        CNode* pOld = (CNode*)position;
        if (pOld == m_pNodeHead)
            m_pNodeHead = pOld->pNext;
        else
            pOld->pPrev->pNext = pOld->pNext;
        if (pOld == m_pNodeTail)
            m_pNodeTail = pOld->pPrev;
        else
            pOld->pNext->pPrev = pOld->pPrev;
        FreeNode(pOld);
    }

    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == NULL)
            return AddHead(newElement);
        CNode* pOld = (CNode*)position;
        CNode* pNewNode = NewNode(pOld->pPrev, pOld, newElement);
        if (pOld->pPrev != NULL)
            pOld->pPrev->pNext = pNewNode;
        else
            m_pNodeHead = pNewNode;
        pOld->pPrev = pNewNode;
        return (POSITION)pNewNode;
    }

    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == NULL)
            return AddTail(newElement);
        CNode* pOld = (CNode*)position;
        CNode* pNewNode = NewNode(pOld, pOld->pNext, newElement);
        if (pOld->pNext != NULL)
            pOld->pNext->pPrev = pNewNode;
        else
            m_pNodeTail = pNewNode;
        pOld->pNext = pNewNode;
        return (POSITION)pNewNode;
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        CNode* pNode = (CNode*)startAfter;
        pNode = pNode == NULL ? m_pNodeHead : pNode->pNext;
        for (; pNode != NULL; pNode = pNode->pNext)
            if (CompareElements<TYPE>(&pNode->data, &searchValue))
                return (POSITION)pNode;
        return NULL;
    }

    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex >= m_nCount || nIndex < 0)
            return NULL;
        CNode* pNode = m_pNodeHead;
        while (nIndex--)
            pNode = pNode->pNext;
        return (POSITION)pNode;
    }

    virtual void Serialize(CArchive& ar)
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(m_nCount);
            for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
                SerializeElements<TYPE>(ar, &pNode->data, 1);
        } else {
            DWORD_PTR nNewCount = ar.ReadCount();
            while (nNewCount--) {
                TYPE newData;
                SerializeElements<TYPE>(ar, &newData, 1);
                AddTail(newData);
            }
        }
    }

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    INT_PTR m_nBlockSize;

    CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
    {
        CNode* pNode = new CNode{pNext, pPrev, TYPE(newElement)};
        m_nCount++;
        return pNode;
    }
    void FreeNode(CNode* pNode)
    {
        delete pNode;
        m_nCount--;
        if (m_nCount == 0)
            m_pNodeHead = m_pNodeTail = NULL;
    }
};

// ---------------------------------------------------------------------------------------

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    class CPair {
    public:
        const KEY key;
        VALUE value;
    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair {
    public:
        CAssoc* pNext;
        UINT nHashValue;
        explicit CAssoc(ARG_KEY key) : CPair(key), pNext(NULL), nHashValue(0) {}
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_nBlockSize(nBlockSize) {}
    ~CMap() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        UINT nHashBucket, nHashValue;
        CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
        if (pAssoc == NULL)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }

    const CPair* PLookup(ARG_KEY key) const
    {
        UINT nHashBucket, nHashValue;
        return GetAssocAt(key, nHashBucket, nHashValue);
    }
    CPair* PLookup(ARG_KEY key)
    {
        UINT nHashBucket, nHashValue;
        return GetAssocAt(key, nHashBucket, nHashValue);
    }

    VALUE& operator[](ARG_KEY key)
    {
        UINT nHashBucket, nHashValue;
        CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
        if (pAssoc == NULL) {
            if (m_pHashTable == NULL)
                InitHashTable(m_nHashTableSize);
            pAssoc = new CAssoc(key);
            pAssoc->nHashValue = nHashValue;
            pAssoc->pNext = m_pHashTable[nHashBucket];
            m_pHashTable[nHashBucket] = pAssoc;
            m_nCount++;
        }
        return pAssoc->value;
    }

    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_pHashTable == NULL)
            return FALSE;
        UINT nHashValue = HashKey<ARG_KEY>(key);
        CAssoc** ppAssocPrev = &m_pHashTable[nHashValue % m_nHashTableSize];
        for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext) {
            if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key)) {
                *ppAssocPrev = pAssoc->pNext;
                delete pAssoc;
                m_nCount--;
                return TRUE;
            }
            ppAssocPrev = &pAssoc->pNext;
        }
        return FALSE;
    }

    void RemoveAll()
    {
        if (m_pHashTable != NULL) {
            for (UINT n = 0; n < m_nHashTableSize; n++) {
                CAssoc* pAssoc = m_pHashTable[n];
                while (pAssoc != NULL) {
                    CAssoc* pNext = pAssoc->pNext;
                    delete pAssoc;
                    pAssoc = pNext;
                }
            }
            delete[] m_pHashTable;
            m_pHashTable = NULL;
        }
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }

    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        CAssoc* pAssocRet = NextAssoc((CAssoc*)rNextPosition);
        rNextPosition = (POSITION)FollowingAssoc(pAssocRet);
        rKey = pAssocRet->key;
        rValue = pAssocRet->value;
    }

    const CPair* PGetFirstAssoc() const { return m_nCount == 0 ? NULL : NextAssoc((CAssoc*)BEFORE_START_POSITION); }
    CPair* PGetFirstAssoc() { return m_nCount == 0 ? NULL : NextAssoc((CAssoc*)BEFORE_START_POSITION); }
    const CPair* PGetNextAssoc(const CPair* pAssoc) const { return FollowingAssoc((CAssoc*)pAssoc); }
    CPair* PGetNextAssoc(const CPair* pAssoc) { return FollowingAssoc((CAssoc*)pAssoc); }

    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Sets the bucket count; only while the map is empty (entries would be lost otherwise).
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        if (m_nCount != 0 || hashSize == 0)
            return;
        delete[] m_pHashTable;
        m_pHashTable = NULL;
        if (bAllocNow) {
            m_pHashTable = new CAssoc*[hashSize];
            memset(m_pHashTable, 0, sizeof(CAssoc*) * hashSize);
        }
        m_nHashTableSize = hashSize;
    }

    virtual void Serialize(CArchive& ar)
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(m_nCount);
            if (m_nCount == 0)
                return;
            for (UINT n = 0; n < m_nHashTableSize; n++)
                for (CAssoc* pAssoc = m_pHashTable[n]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
                    KEY key(pAssoc->key);
                    SerializeElements<KEY>(ar, &key, 1);
                    SerializeElements<VALUE>(ar, &pAssoc->value, 1);
                }
        } else {
            DWORD_PTR nNewCount = ar.ReadCount();
            while (nNewCount--) {
                KEY newKey;
                VALUE newValue;
                SerializeElements<KEY>(ar, &newKey, 1);
                SerializeElements<VALUE>(ar, &newValue, 1);
                SetAt(newKey, newValue);
            }
        }
    }

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    INT_PTR m_nBlockSize;

    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const
    {
        nHashValue = HashKey<ARG_KEY>(key);
        nHashBucket = nHashValue % m_nHashTableSize;
        if (m_pHashTable == NULL)
            return NULL;
        for (CAssoc* pAssoc = m_pHashTable[nHashBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext)
            if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key))
                return pAssoc;
        return NULL;
    }

    // The entry at a position: BEFORE_START_POSITION stands for the first entry.
    CAssoc* NextAssoc(CAssoc* pAssoc) const
    {
        if (pAssoc == (CAssoc*)BEFORE_START_POSITION) {
            for (UINT n = 0; n < m_nHashTableSize; n++)
                if (m_pHashTable[n] != NULL)
                    return m_pHashTable[n];
            return NULL;
        }
        return pAssoc;
    }

    CAssoc* FollowingAssoc(CAssoc* pAssoc) const
    {
        if (pAssoc->pNext != NULL)
            return pAssoc->pNext;
        for (UINT n = pAssoc->nHashValue % m_nHashTableSize + 1; n < m_nHashTableSize; n++)
            if (m_pHashTable[n] != NULL)
                return m_pHashTable[n];
        return NULL;
    }
};

