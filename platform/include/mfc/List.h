// CList: a doubly linked list of TYPE walked with POSITIONs.
// A POSITION stays valid until its own element is removed, so a walk may remove
// the element it has just passed.
#pragma once

#include "win32/types.h"
#include "mfc/afxdefs.h"
#include "mfc/Object.h"
#include "mfc/Position.h"
#include "mfc/CollectionHelpers.h"
#include "mfc/InvalidArgException.h"
#include "mfc/MemoryException.h"

#include <new>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
    struct CNode {
        explicit CNode(ARG_TYPE value) : data(value) {}
        CNode* pNext = nullptr;
        CNode* pPrev = nullptr;
        TYPE data;
    };

public:
    // The block size is accepted for compatibility; nodes are allocated one by one.
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Head and tail of an empty list raise CInvalidArgException.
    TYPE& GetHead() { return checkedNode(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return checkedNode(m_pNodeHead)->data; }
    TYPE& GetTail() { return checkedNode(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return checkedNode(m_pNodeTail)->data; }
    TYPE RemoveHead()
    {
        CNode* pNode = checkedNode(m_pNodeHead);
        TYPE value(std::move(pNode->data));
        unlinkAndFree(pNode);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* pNode = checkedNode(m_pNodeTail);
        TYPE value(std::move(pNode->data));
        unlinkAndFree(pNode);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(nullptr, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(nullptr, newElement); }
    // Adding a list to itself adds a copy of its elements.
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    // Return the element at rPosition and step it on; a null position raises CInvalidArgException.
    TYPE& GetNext(POSITION& rPosition) { return step(rPosition, true)->data; }
    const TYPE& GetNext(POSITION& rPosition) const { return step(rPosition, true)->data; }
    TYPE& GetPrev(POSITION& rPosition) { return step(rPosition, false)->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { return step(rPosition, false)->data; }

    TYPE& GetAt(POSITION position) { return checkedNode(position)->data; }
    const TYPE& GetAt(POSITION position) const { return checkedNode(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { checkedNode(pos)->data = newElement; }
    void RemoveAt(POSITION position) { unlinkAndFree(checkedNode(position)); }

    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    POSITION FindIndex(INT_PTR nIndex) const;

protected:
    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;

private:
    static CNode* checkedNode(POSITION position) { return checkedNode((CNode*)position); }
    static CNode* checkedNode(CNode* pNode)
    {
        if (pNode == nullptr)
            AfxThrowInvalidArgException();
        return pNode;
    }
    static CNode* step(POSITION& rPosition, bool forward)
    {
        CNode* pNode = checkedNode(rPosition);
        rPosition = (POSITION)(forward ? pNode->pNext : pNode->pPrev);
        return pNode;
    }
    static CNode* newNode(ARG_TYPE value)
    {
        CNode* pNode = new (std::nothrow) CNode(value);
        if (pNode == nullptr)
            AfxThrowMemoryException();
        return pNode;
    }
    void unlinkAndFree(CNode* pNode);
};

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    CNode* pNext = position ? (CNode*)position : m_pNodeHead;
    CNode* pNode = newNode(newElement);
    CNode* pPrev = pNext ? pNext->pPrev : nullptr;
    pNode->pNext = pNext;
    pNode->pPrev = pPrev;
    (pPrev ? pPrev->pNext : m_pNodeHead) = pNode;
    (pNext ? pNext->pPrev : m_pNodeTail) = pNode;
    m_nCount++;
    return (POSITION)pNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    CNode* pPrev = position ? (CNode*)position : m_pNodeTail;
    CNode* pNode = newNode(newElement);
    CNode* pNext = pPrev ? pPrev->pNext : nullptr;
    pNode->pNext = pNext;
    pNode->pPrev = pPrev;
    (pPrev ? pPrev->pNext : m_pNodeHead) = pNode;
    (pNext ? pNext->pPrev : m_pNodeTail) = pNode;
    m_nCount++;
    return (POSITION)pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::unlinkAndFree(CNode* pNode)
{
    (pNode->pPrev ? pNode->pPrev->pNext : m_pNodeHead) = pNode->pNext;
    (pNode->pNext ? pNode->pNext->pPrev : m_pNodeTail) = pNode->pPrev;
    m_nCount--;
    delete pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    CNode* pNode = m_pNodeHead;
    while (pNode != nullptr) {
        CNode* pNext = pNode->pNext;
        delete pNode;
        pNode = pNext;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    if (pNewList == nullptr)
        AfxThrowInvalidArgException();
    // Walking backwards from the tail keeps the added elements in their order.
    INT_PTR nLeft = pNewList->m_nCount;  // counted first: adding to itself grows the list
    for (CNode* pNode = pNewList->m_pNodeTail; nLeft > 0; pNode = pNode->pPrev, nLeft--)
        AddHead(pNode->data);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    if (pNewList == nullptr)
        AfxThrowInvalidArgException();
    INT_PTR nLeft = pNewList->m_nCount;
    for (CNode* pNode = pNewList->m_pNodeHead; nLeft > 0; pNode = pNode->pNext, nLeft--)
        AddTail(pNode->data);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter ? ((CNode*)startAfter)->pNext : m_pNodeHead;
    for (; pNode != nullptr; pNode = pNode->pNext)
        if (CompareElements(&pNode->data, &searchValue))
            return (POSITION)pNode;
    return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return (POSITION)pNode;
}
