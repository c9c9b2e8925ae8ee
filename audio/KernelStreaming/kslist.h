#pragma once
#include <windows.h>
#include <new>

// A doubly linked list of object pointers. It never owns its elements: an owner
// deletes them itself while emptying the list.
template <class T>
class CKsPtrList {
public:
    struct Node {
        Node* pNext;
        Node* pPrev;
        T* pData;
    };

    CKsPtrList() : m_pHead(nullptr), m_pTail(nullptr), m_nCount(0) {}
    CKsPtrList(const CKsPtrList&) = delete;
    CKsPtrList& operator=(const CKsPtrList&) = delete;

    Node* GetHead() const { return m_pHead; }
    Node* GetTail() const { return m_pTail; }
    ULONG GetCount() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }

    // Null, with the list unchanged, when no node could be allocated.
    Node* AddTail(T* element)
    {
        Node* node = new (std::nothrow) Node{nullptr, m_pTail, element};
        if (!node)
            return nullptr;
        if (m_pTail)
            m_pTail->pNext = node;
        else
            m_pHead = node;
        m_pTail = node;
        ++m_nCount;
        return node;
    }

    BOOL RemoveHead(T** element)
    {
        if (!element || !m_pHead)
            return FALSE;
        Node* old = m_pHead;
        *element = old->pData;
        Unlink(old);
        return TRUE;
    }

    // Unlinks the first node holding the element; the element itself is untouched.
    BOOL Remove(T* element)
    {
        for (Node* node = m_pHead; node; node = node->pNext) {
            if (node->pData == element) {
                Unlink(node);
                return TRUE;
            }
        }
        return FALSE;
    }

    // Empties the list, deleting each element.
    void DeleteAll()
    {
        T* element = nullptr;
        while (RemoveHead(&element))
            delete element;
    }

    // Empties the list without touching the elements.
    void RemoveAll()
    {
        T* element = nullptr;
        while (RemoveHead(&element)) {}
    }

private:
    void Unlink(Node* node)
    {
        if (node->pPrev)
            node->pPrev->pNext = node->pNext;
        else
            m_pHead = node->pNext;
        if (node->pNext)
            node->pNext->pPrev = node->pPrev;
        else
            m_pTail = node->pPrev;
        delete node;
        --m_nCount;
    }

    Node* m_pHead;
    Node* m_pTail;
    ULONG m_nCount;
};
