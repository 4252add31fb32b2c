// CArray: a growable array of TYPE passed in as ARG_TYPE.
// Elements are real objects: constructed when the array grows, destroyed when it
// shrinks, and moved (never copied byte-wise) when the storage is reallocated.
#pragma once

#include "win32/types.h"
#include "mfc/afxdefs.h"
#include "mfc/Object.h"
#include "mfc/InvalidArgException.h"
#include "mfc/MemoryException.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    ~CArray() override { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // nGrowBy >= 0 sets how many elements each reallocation adds (0: a share of the size).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    // Out-of-range indexes raise CInvalidArgException.
    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[checkedIndex(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[checkedIndex(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[checkedIndex(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    // Returns the index of the first appended element. An array may append itself.
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

protected:
    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;

private:
    INT_PTR checkedIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
        return nIndex;
    }
    // True when the argument refers to one of our own elements, which growing would move.
    bool ownsElement(ARG_TYPE element) const
    {
        if constexpr (std::is_reference<ARG_TYPE>::value) {
            const void* p = std::addressof(element);
            std::less<const void*> less;
            return m_pData != nullptr && !less(p, m_pData) && less(p, m_pData + m_nSize);
        } else {
            (void)element;
            return false;
        }
    }
    static TYPE* allocate(INT_PTR nCount);
    static void deallocate(TYPE* p);
    void reallocate(INT_PTR nNewMax);
    static void constructRange(TYPE* p, INT_PTR nCount);
    static void destroyRange(TYPE* p, INT_PTR nCount);
};

template <class TYPE, class ARG_TYPE>
TYPE* CArray<TYPE, ARG_TYPE>::allocate(INT_PTR nCount)
{
    if (nCount <= 0)
        return nullptr;
    if ((uint64_t)nCount > (uint64_t)PTRDIFF_MAX / sizeof(TYPE))
        AfxThrowMemoryException();
    const size_t bytes = (size_t)nCount * sizeof(TYPE);
    void* p;
    if constexpr (alignof(TYPE) > __STDCPP_DEFAULT_NEW_ALIGNMENT__)
        p = ::operator new(bytes, std::align_val_t(alignof(TYPE)), std::nothrow);
    else
        p = ::operator new(bytes, std::nothrow);
    if (p == nullptr)
        AfxThrowMemoryException();
    return static_cast<TYPE*>(p);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::deallocate(TYPE* p)
{
    if constexpr (alignof(TYPE) > __STDCPP_DEFAULT_NEW_ALIGNMENT__)
        ::operator delete(p, std::align_val_t(alignof(TYPE)));
    else
        ::operator delete(p);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::constructRange(TYPE* p, INT_PTR nCount)
{
    INT_PTR i = 0;
    try {
        for (; i < nCount; i++)
            ::new (static_cast<void*>(p + i)) TYPE();  // value-initialised: numbers and pointers start at 0
    } catch (...) {
        destroyRange(p, i);
        throw;
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::destroyRange(TYPE* p, INT_PTR nCount)
{
    if constexpr (!std::is_trivially_destructible<TYPE>::value)
        for (INT_PTR i = 0; i < nCount; i++)
            p[i].~TYPE();
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::reallocate(INT_PTR nNewMax)
{
    TYPE* pNewData = allocate(nNewMax);
    for (INT_PTR i = 0; i < m_nSize; i++) {
        ::new (static_cast<void*>(pNewData + i)) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    deallocate(m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0) {
        destroyRange(m_pData, m_nSize);
        deallocate(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (nNewSize > m_nMaxSize) {
        INT_PTR nNewMax;
        if (m_pData == nullptr) {
            nNewMax = max(nNewSize, m_nGrowBy);
        } else {
            INT_PTR growBy = m_nGrowBy;
            if (growBy == 0)  // grow by an eighth, at least 4 and at most 1024 elements
                growBy = min((INT_PTR)1024, max((INT_PTR)4, m_nSize / 8));
            nNewMax = max(nNewSize, m_nMaxSize + growBy);
        }
        reallocate(nNewMax);
    }
    if (nNewSize > m_nSize)
        constructRange(m_pData + m_nSize, nNewSize - m_nSize);
    else
        destroyRange(m_pData + nNewSize, m_nSize - nNewSize);
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0) {
        deallocate(m_pData);
        m_pData = nullptr;
        m_nMaxSize = 0;
        return;
    }
    reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= m_nSize) {
        if (ownsElement(newElement)) {
            TYPE kept(newElement);
            SetSize(nIndex + 1, -1);
            m_pData[nIndex] = std::move(kept);
            return;
        }
        SetSize(nIndex + 1, -1);
    }
    m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    const INT_PTR nOldSize = m_nSize;
    const INT_PTR nCount = src.m_nSize;
    SetSize(nOldSize + nCount, -1);
    // Read through src only after growing: when appending to itself, src's storage moved too.
    for (INT_PTR i = 0; i < nCount; i++)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize, -1);
    for (INT_PTR i = 0; i < m_nSize; i++)
        m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0)
        AfxThrowInvalidArgException();
    if (nCount == 0)
        return;
    if (ownsElement(newElement)) {
        TYPE kept(newElement);
        InsertAt(nIndex, kept, nCount);
        return;
    }
    const INT_PTR nOldSize = m_nSize;
    if (nIndex >= nOldSize) {
        SetSize(nIndex + nCount, -1);  // the gap up to nIndex holds default elements
    } else {
        SetSize(nOldSize + nCount, -1);
        for (INT_PTR i = nOldSize - 1; i >= nIndex; i--)
            m_pData[i + nCount] = std::move(m_pData[i]);
    }
    for (INT_PTR i = 0; i < nCount; i++)
        m_pData[nIndex + i] = newElement;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
{
    if (pNewArray == nullptr || nStartIndex < 0)
        AfxThrowInvalidArgException();
    if (pNewArray == this) {
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    const INT_PTR nCount = pNewArray->GetSize();
    if (nCount == 0)
        return;
    InsertAt(nStartIndex, pNewArray->GetAt(0), nCount);
    for (INT_PTR i = 1; i < nCount; i++)
        m_pData[nStartIndex + i] = pNewArray->m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex)
        AfxThrowInvalidArgException();
    const INT_PTR nMoveFrom = nIndex + nCount;
    for (INT_PTR i = nMoveFrom; i < m_nSize; i++)
        m_pData[i - nCount] = std::move(m_pData[i]);
    destroyRange(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}
