// CMap: a hash map from KEY (passed as ARG_KEY) to VALUE (passed as ARG_VALUE).
// Keys hash with HashKey<ARG_KEY> and compare with CompareElements.
#pragma once

#include "win32/types.h"
#include "mfc/afxdefs.h"
#include "mfc/Object.h"
#include "mfc/Position.h"
#include "mfc/CollectionHelpers.h"
#include "mfc/InvalidArgException.h"
#include "mfc/MemoryException.h"

#include <new>

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
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
        explicit CAssoc(ARG_KEY keyval) : CPair(keyval) {}
        CAssoc* pNext = nullptr;
        UINT nHashValue = 0;
    };

public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    // The block size is accepted for compatibility; entries are allocated one by one.
    explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* pAssoc = find(key);
        if (pAssoc == nullptr)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }
    const CPair* PLookup(ARG_KEY key) const { return find(key); }
    CPair* PLookup(ARG_KEY key) { return find(key); }
    // The value for key, added (value-initialised) when the key is new.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    // Returns the entry at rNextPosition and steps on; removing that entry afterwards is safe.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;
    const CPair* PGetFirstAssoc() const { return firstAssoc(); }
    CPair* PGetFirstAssoc() { return firstAssoc(); }
    const CPair* PGetNextAssoc(const CPair* pAssoc) const { return nextAssoc(static_cast<const CAssoc*>(pAssoc)); }
    CPair* PGetNextAssoc(const CPair* pAssoc) { return nextAssoc(static_cast<const CAssoc*>(pAssoc)); }

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets (a prime about 20% above the expected count works best).
    // Entries already present are kept.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

protected:
    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;

private:
    CAssoc* find(ARG_KEY key) const
    {
        if (m_pHashTable == nullptr)
            return nullptr;
        const UINT nHash = HashKey<ARG_KEY>(key);
        for (CAssoc* pAssoc = m_pHashTable[nHash % m_nHashTableSize]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
            if (pAssoc->nHashValue == nHash && CompareElements(&pAssoc->key, &key))
                return pAssoc;
        return nullptr;
    }
    CAssoc* firstAssoc() const { return scanFrom(0); }
    CAssoc* scanFrom(UINT nBucket) const
    {
        if (m_pHashTable == nullptr)
            return nullptr;
        for (; nBucket < m_nHashTableSize; nBucket++)
            if (m_pHashTable[nBucket] != nullptr)
                return m_pHashTable[nBucket];
        return nullptr;
    }
    CAssoc* nextAssoc(const CAssoc* pAssoc) const
    {
        if (pAssoc == nullptr)
            return nullptr;
        if (pAssoc->pNext != nullptr)
            return pAssoc->pNext;
        return scanFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
    }
    static CAssoc** newTable(UINT nSize)
    {
        CAssoc** pTable = new (std::nothrow) CAssoc*[nSize]();
        if (pTable == nullptr)
            AfxThrowMemoryException();
        return pTable;
    }
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    if (CAssoc* pAssoc = find(key))
        return pAssoc->value;
    if (m_pHashTable == nullptr)
        m_pHashTable = newTable(m_nHashTableSize);
    CAssoc* pAssoc = new (std::nothrow) CAssoc(key);
    if (pAssoc == nullptr)
        AfxThrowMemoryException();
    pAssoc->nHashValue = HashKey<ARG_KEY>(key);
    CAssoc*& rBucket = m_pHashTable[pAssoc->nHashValue % m_nHashTableSize];
    pAssoc->pNext = rBucket;
    rBucket = pAssoc;
    m_nCount++;
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == nullptr)
        return FALSE;
    const UINT nHash = HashKey<ARG_KEY>(key);
    for (CAssoc** ppAssoc = &m_pHashTable[nHash % m_nHashTableSize]; *ppAssoc != nullptr;
         ppAssoc = &(*ppAssoc)->pNext) {
        CAssoc* pAssoc = *ppAssoc;
        if (pAssoc->nHashValue == nHash && CompareElements(&pAssoc->key, &key)) {
            *ppAssoc = pAssoc->pNext;
            delete pAssoc;
            m_nCount--;
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != nullptr) {
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; nBucket++) {
            CAssoc* pAssoc = m_pHashTable[nBucket];
            while (pAssoc != nullptr) {
                CAssoc* pNext = pAssoc->pNext;
                delete pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
    }
    m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    CAssoc* pAssoc = rNextPosition == BEFORE_START_POSITION ? firstAssoc() : (CAssoc*)rNextPosition;
    if (pAssoc == nullptr)
        AfxThrowInvalidArgException();
    rNextPosition = (POSITION)nextAssoc(pAssoc);
    rKey = pAssoc->key;
    rValue = pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    if (hashSize == 0)
        AfxThrowInvalidArgException();
    CAssoc** pNewTable = (bAllocNow || m_nCount > 0) ? newTable(hashSize) : nullptr;
    if (m_pHashTable != nullptr) {
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; nBucket++) {
            CAssoc* pAssoc = m_pHashTable[nBucket];
            while (pAssoc != nullptr) {
                CAssoc* pNext = pAssoc->pNext;
                CAssoc*& rBucket = pNewTable[pAssoc->nHashValue % hashSize];
                pAssoc->pNext = rBucket;
                rBucket = pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] m_pHashTable;
    }
    m_pHashTable = pNewTable;
    m_nHashTableSize = hashSize;
}
