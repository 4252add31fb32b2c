// The out-bar's folder and item records; the out-bar owns them.
#pragma once

#include "controls/VXOutBarCtrl.h"

class CVXOutBarCtrl::CBarItem {
public:
    CBarItem(const char* label, int imageIndex, DWORD itemData)
        : image(imageIndex), text(label ? label : ""), data(itemData), selState(0)
    {
    }
    int image;
    CString text;
    DWORD data;
    int selState;
};

class CVXOutBarCtrl::CBarFolder {
public:
    CBarFolder(const char* label, DWORD folderData)
        : name(label ? label : ""), data(folderData), largeList(nullptr), smallList(nullptr), child(nullptr)
    {
    }
    ~CBarFolder()
    {
        for (INT_PTR i = 0; i < items.GetSize(); ++i)
            delete static_cast<CBarItem*>(items[i]);
    }
    CBarFolder(const CBarFolder&) = delete;
    CBarFolder& operator=(const CBarFolder&) = delete;

    int GetItemCount() const { return (int)items.GetSize(); }
    CBarItem* ItemAt(int index) const
    {
        return index >= 0 && index < items.GetSize() ? static_cast<CBarItem*>(items[index]) : nullptr;
    }
    // Below 0 or past the end appends; returns the position used.
    int InsertItem(int index, const char* text, int image, DWORD itemData)
    {
        if (index < 0 || index > GetItemCount())
            index = GetItemCount();
        items.InsertAt(index, new CBarItem(text, image, itemData));
        return index;
    }
    void RemoveItem(int index)
    {
        delete ItemAt(index);
        items.RemoveAt(index);
    }
    void SetName(const char* text) { name = text ? text : ""; }

    CString name;
    DWORD data;
    CImageList* largeList;  // null: the bar's list
    CImageList* smallList;
    CPtrArray items;
    CWnd* child;  // shown instead of items; not owned
};
