// The "SysTreeView32" control: the item tree, expansion, selection, the
// visible rows, hit tests, check boxes, label editing, drag images and
// painting. The window procedure and its messages are in TreeView.cpp.
#pragma once

#include "controls/ControlsInternal.h"
#include "controls/LabelEditor.h"
#include "win32/commctrl.h"

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace mivo {

struct TreeNode {
    std::string text;
    bool textCallback = false;
    int image = 0;
    int selectedImage = 0;
    UINT state = 0;
    LPARAM data = 0;
    int children = kChildrenUnset;  // TVIF_CHILDREN as given; unset: whether it has any
    TreeNode* parent = nullptr;
    TreeNode* first = nullptr;
    TreeNode* next = nullptr;
    TreeNode* prev = nullptr;

    static const int kChildrenUnset = -2;
};

// The handle, state and data of a node (or nothing) for a notification.
inline void FillItem(TVITEMA& out, TreeNode* node)
{
    out.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    out.hItem = reinterpret_cast<HTREEITEM>(node);
    out.state = node ? node->state : 0;
    out.stateMask = 0xFFFF;
    out.lParam = node ? node->data : 0;
}

class TreeViewControl {
public:
    static const int kMaxItems = 1 << 22;
    static const int kCheckWidth = 16;
    static const int kMaxLevels = 1024;
    static const UINT kEditTimer = 0x5456;  // a click on the selected label starts editing after a pause
    static const int kButtonSize = 9;
    static const int kImageGap = 3;

    explicit TreeViewControl(HWND hwnd) : hwnd_(hwnd) {}
    ~TreeViewControl();

    HWND Handle() const { return hwnd_; }
    DWORD Style() const { return (DWORD)GetWindowLong(hwnd_, GWL_STYLE); }
    void Create();
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static HTREEITEM H(TreeNode* n) { return reinterpret_cast<HTREEITEM>(n); }
    TreeNode* Node(HTREEITEM h) const;
    bool Checkboxes() const { return (Style() & TVS_CHECKBOXES) != 0; }

    // Items
    HTREEITEM Insert(const TVINSERTSTRUCTA& ins);
    void Link(TreeNode* node, TreeNode* parent, TreeNode* after);
    void Unlink(TreeNode* node);
    bool Delete(TreeNode* node);
    void DeleteTree(TreeNode* node);
    bool SetItem(const TVITEMEXA& item);
    bool GetItem(TVITEMEXA& item);
    std::string Text(TreeNode* node);
    int Image(TreeNode* node, bool selected);
    bool HasButton(TreeNode* node);
    int Compare(TreeNode* a, TreeNode* b);
    bool SortChildren(TreeNode* parent, PFNTVCOMPARE compare, LPARAM param, bool recurse);
    TreeNode* NextItem(TreeNode* node, UINT code);
    int Level(const TreeNode* node) const;

    // Expansion and selection
    bool Expand(TreeNode* node, UINT action, bool notify = true);
    bool Select(TreeNode* node, UINT code, UINT cause);
    bool SelectCaret(TreeNode* node, UINT cause);
    void SetDropHilite(TreeNode* node);
    LRESULT TreeNotify(UINT code, UINT action, TreeNode* oldNode, TreeNode* newNode, POINT pt = {0, 0});
    void CheckboxesChanged();
    void ToggleCheck(TreeNode* node);

    // Rows and geometry
    const std::vector<TreeNode*>& Rows();
    void RowsChanged();
    int RowOf(TreeNode* node);
    int PerPage() const;
    int ItemX(TreeNode* node) const;
    bool ItemRect(TreeNode* node, bool textOnly, RECT& rc);
    TreeNode* HitTest(TVHITTESTINFO& info);
    bool EnsureVisible(TreeNode* node);
    void ScrollTo(int top, int x);
    void UpdateScrollBars();
    void UpdateHorizontalBar();
    void Scroll(int bar, WPARAM wParam);
    void InvalidateNode(TreeNode* node);

    // Painting
    void Paint(HDC hdc, const RECT& dirty);
    void PaintRow(HDC hdc, TreeNode* node, int y);
    void DrawLines(HDC hdc, TreeNode* node, int y);
    HIMAGELIST CreateDragImage(TreeNode* node);

    // Input
    void MouseDown(POINT pt, bool doubleClick, bool right);
    void MouseMove(POINT pt, UINT keys);
    void MouseUp(POINT pt, bool right);
    void KeyDown(WPARAM vk);
    HWND EditLabel(TreeNode* node);
    void EndEdit(TreeNode* node, const char* text);

    HWND hwnd_;
    TreeNode root_;
    std::unordered_set<TreeNode*> live_;
    std::vector<TreeNode*> rows_;
    bool rowsValid_ = false;
    TreeNode* caret_ = nullptr;
    TreeNode* drop_ = nullptr;
    HIMAGELIST normal_ = nullptr;
    HIMAGELIST stateImages_ = nullptr;
    HFONT font_ = nullptr;
    int indent_ = 19;
    int itemHeight_ = 16;
    bool customHeight_ = false;
    COLORREF bk_ = CLR_NONE;
    COLORREF text_ = CLR_NONE;
    int top_ = 0;
    int scrollX_ = 0;
    int widest_ = 0;  // right edge of the widest label painted so far, unscrolled
    bool focused_ = false;
    bool hadCheckboxes_ = false;

    TreeNode* pressed_ = nullptr;
    UINT pressFlags_ = 0;
    POINT pressPoint_ = {0, 0};
    bool pressRight_ = false;
    bool dragStarted_ = false;
    TreeNode* editCandidate_ = nullptr;
    LabelEditor editor_;
    TreeNode* editNode_ = nullptr;
};

}  // namespace mivo
