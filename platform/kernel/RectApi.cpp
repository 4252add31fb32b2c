#include "win32/rect.h"

namespace {

RECT emptyRect()
{
    return RECT{0, 0, 0, 0};
}

bool spansWholeHeight(const RECT& part, const RECT& whole)
{
    return part.top == whole.top && part.bottom == whole.bottom;
}

bool spansWholeWidth(const RECT& part, const RECT& whole)
{
    return part.left == whole.left && part.right == whole.right;
}

}  // namespace

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom)
{
    if (lprc == nullptr)
        return FALSE;
    *lprc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc)
{
    if (lprc == nullptr)
        return FALSE;
    *lprc = emptyRect();
    return TRUE;
}

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc)
{
    if (lprcDst == nullptr || lprcSrc == nullptr)
        return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc)
{
    return lprc == nullptr || lprc->right <= lprc->left || lprc->bottom <= lprc->top;
}

BOOL EqualRect(const RECT* lprc1, const RECT* lprc2)
{
    if (lprc1 == nullptr || lprc2 == nullptr)
        return FALSE;
    return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
           lprc1->bottom == lprc2->bottom;
}

BOOL PtInRect(const RECT* lprc, POINT pt)
{
    if (lprc == nullptr)
        return FALSE;
    return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == nullptr)
        return FALSE;
    lprc->left += dx;
    lprc->right += dx;
    lprc->top += dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == nullptr)
        return FALSE;
    lprc->left -= dx;
    lprc->right += dx;
    lprc->top -= dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (lprcDst == nullptr)
        return FALSE;
    if (IsRectEmpty(lprcSrc1) || IsRectEmpty(lprcSrc2)) {
        *lprcDst = emptyRect();
        return FALSE;
    }
    RECT r;
    r.left = max(lprcSrc1->left, lprcSrc2->left);
    r.top = max(lprcSrc1->top, lprcSrc2->top);
    r.right = min(lprcSrc1->right, lprcSrc2->right);
    r.bottom = min(lprcSrc1->bottom, lprcSrc2->bottom);
    if (IsRectEmpty(&r)) {
        *lprcDst = emptyRect();
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (lprcDst == nullptr)
        return FALSE;
    const bool empty1 = IsRectEmpty(lprcSrc1);
    const bool empty2 = IsRectEmpty(lprcSrc2);
    if (empty1 && empty2) {
        *lprcDst = emptyRect();
        return FALSE;
    }
    if (empty1) {
        *lprcDst = *lprcSrc2;
        return TRUE;
    }
    if (empty2) {
        *lprcDst = *lprcSrc1;
        return TRUE;
    }
    RECT r;
    r.left = min(lprcSrc1->left, lprcSrc2->left);
    r.top = min(lprcSrc1->top, lprcSrc2->top);
    r.right = max(lprcSrc1->right, lprcSrc2->right);
    r.bottom = max(lprcSrc1->bottom, lprcSrc2->bottom);
    *lprcDst = r;
    return TRUE;
}

// Only a part of the first rectangle that is covered from edge to edge in one
// direction can be cut away; any other overlap leaves the first rectangle whole.
BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (lprcDst == nullptr)
        return FALSE;
    if (IsRectEmpty(lprcSrc1)) {
        *lprcDst = emptyRect();
        return FALSE;
    }
    const RECT src = *lprcSrc1;
    RECT result = src;
    RECT overlap;
    if (IntersectRect(&overlap, &src, lprcSrc2)) {
        if (EqualRect(&overlap, &src)) {
            *lprcDst = emptyRect();
            return FALSE;
        }
        if (spansWholeHeight(overlap, src)) {
            if (overlap.left == src.left)
                result.left = overlap.right;
            else if (overlap.right == src.right)
                result.right = overlap.left;
        } else if (spansWholeWidth(overlap, src)) {
            if (overlap.top == src.top)
                result.top = overlap.bottom;
            else if (overlap.bottom == src.bottom)
                result.bottom = overlap.top;
        }
    }
    *lprcDst = result;
    return !IsRectEmpty(&result);
}
