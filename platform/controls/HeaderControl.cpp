// Header items, order, layout, tracking and painting.
#include "controls/HeaderControl.h"
#include "controls/CommonNotify.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

const int kTextMargin = 6;

bool HasText(LPCSTR text)
{
    return text && text != LPSTR_TEXTCALLBACKA;
}

}  // namespace

LRESULT HeaderControl::Notify(UINT code, int index, int button, HDITEMA* item)
{
    NMHEADERA nm = {};
    nm.iItem = index;
    nm.iButton = button;
    nm.pitem = item;
    return SendNotify(hwnd_, code, &nm.hdr);
}

int HeaderControl::Insert(int index, const HDITEMA& in)
{
    if (Count() >= kMaxItems)
        return -1;
    index = std::max(0, std::min(index, Count()));
    HeaderItem item;
    if (in.mask & HDI_TEXT) {
        item.callbackText = in.pszText == LPSTR_TEXTCALLBACKA;
        if (HasText(in.pszText))
            item.text = in.pszText;
    }
    if (in.mask & HDI_WIDTH)
        item.width = std::max(0, in.cxy);
    if (in.mask & HDI_FORMAT)
        item.fmt = in.fmt;
    if (in.mask & HDI_BITMAP)
        item.bitmap = in.hbm;
    if (in.mask & HDI_LPARAM)
        item.data = in.lParam;
    if (in.mask & HDI_IMAGE)
        item.image = in.iImage;
    items_.insert(items_.begin() + index, item);
    for (int& o : order_)
        if (o >= index)
            ++o;
    int order = (in.mask & HDI_ORDER) ? std::max(0, std::min(in.iOrder, Count() - 1)) : index;
    order = std::min(order, (int)order_.size());
    order_.insert(order_.begin() + order, index);
    Redraw();
    return index;
}

bool HeaderControl::Delete(int index)
{
    if (!Valid(index))
        return false;
    items_.erase(items_.begin() + index);
    order_.erase(std::find(order_.begin(), order_.end(), index));
    for (int& o : order_)
        if (o > index)
            --o;
    Redraw();
    return true;
}

bool HeaderControl::Get(int index, HDITEMA& out) const
{
    if (!Valid(index))
        return false;
    const HeaderItem& item = items_[(size_t)index];
    if (out.mask & HDI_TEXT) {
        if (item.callbackText) {
            out.pszText = LPSTR_TEXTCALLBACKA;
        } else if (out.pszText && out.cchTextMax > 0) {
            size_t n = std::min(item.text.size(), (size_t)out.cchTextMax - 1);
            n = CharStartAtOrBefore(item.text, n);
            memcpy(out.pszText, item.text.data(), n);
            out.pszText[n] = '\0';
        }
    }
    if (out.mask & HDI_WIDTH)
        out.cxy = item.width;
    if (out.mask & HDI_FORMAT)
        out.fmt = item.fmt;
    if (out.mask & HDI_BITMAP)
        out.hbm = item.bitmap;
    if (out.mask & HDI_LPARAM)
        out.lParam = item.data;
    if (out.mask & HDI_IMAGE)
        out.iImage = item.image;
    if (out.mask & HDI_ORDER)
        out.iOrder = IndexToOrder(index);
    return true;
}

bool HeaderControl::Set(int index, const HDITEMA& in)
{
    if (!Valid(index))
        return false;
    HDITEMA copy = in;
    if (Notify(HDN_ITEMCHANGINGA, index, 0, &copy))
        return false;
    Commit(index, in);
    copy = in;
    Notify(HDN_ITEMCHANGEDA, index, 0, &copy);
    return true;
}

bool HeaderControl::Commit(int index, const HDITEMA& in)
{
    HeaderItem& item = items_[(size_t)index];
    if (in.mask & HDI_TEXT) {
        item.callbackText = in.pszText == LPSTR_TEXTCALLBACKA;
        item.text = HasText(in.pszText) ? in.pszText : "";
    }
    if (in.mask & HDI_WIDTH)
        item.width = std::max(0, in.cxy);
    if (in.mask & HDI_FORMAT)
        item.fmt = in.fmt;
    if (in.mask & HDI_BITMAP)
        item.bitmap = in.hbm;
    if (in.mask & HDI_LPARAM)
        item.data = in.lParam;
    if (in.mask & HDI_IMAGE)
        item.image = in.iImage;
    if (in.mask & HDI_ORDER)
        MoveToOrder(index, in.iOrder);
    Redraw();
    return true;
}

int HeaderControl::Height() const
{
    if (Style() & HDS_HIDDEN)
        return 0;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm = {};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return tm.tmHeight + 6;
}

bool HeaderControl::Layout(HDLAYOUT* layout) const
{
    if (!layout || !layout->prc || !layout->pwpos)
        return false;
    int h = Height();
    WINDOWPOS& wp = *layout->pwpos;
    wp = {};
    wp.hwnd = hwnd_;
    wp.x = layout->prc->left;
    wp.y = layout->prc->top;
    wp.cx = layout->prc->right - layout->prc->left;
    wp.cy = h;
    wp.flags = SWP_NOZORDER | SWP_NOACTIVATE;
    layout->prc->top += h;
    return true;
}

bool HeaderControl::ItemRect(int index, RECT& rc) const
{
    if (!Valid(index))
        return false;
    RECT client;
    GetClientRect(hwnd_, &client);
    int x = 0;
    for (int i : order_) {
        if (i == index) {
            rc = {x, 0, x + items_[(size_t)i].width, client.bottom};
            return true;
        }
        x += items_[(size_t)i].width;
    }
    return false;
}

int HeaderControl::OrderToIndex(int order) const
{
    return order >= 0 && order < (int)order_.size() ? order_[(size_t)order] : order;
}

int HeaderControl::IndexToOrder(int index) const
{
    auto it = std::find(order_.begin(), order_.end(), index);
    return it == order_.end() ? -1 : (int)(it - order_.begin());
}

bool HeaderControl::GetOrder(int count, int* out) const
{
    if (!out || count != Count())
        return false;
    std::copy(order_.begin(), order_.end(), out);
    return true;
}

bool HeaderControl::SetOrder(int count, const int* order)
{
    if (!order || count != Count())
        return false;
    std::vector<int> next(order, order + count);
    std::vector<int> sorted = next;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < count; ++i)
        if (sorted[(size_t)i] != i)
            return false;  // not a permutation: refused rather than corrupting the order
    order_ = next;
    Redraw();
    return true;
}

void HeaderControl::MoveToOrder(int index, int order)
{
    int from = IndexToOrder(index);
    if (from < 0)
        return;
    order = std::max(0, std::min(order, Count() - 1));
    order_.erase(order_.begin() + from);
    order_.insert(order_.begin() + order, index);
    Redraw();
}

int HeaderControl::DividerAt(int x) const
{
    // The right edge of the last item whose divider is in reach wins, so a
    // zero-width column can still be pulled open.
    int edge = 0, found = -1;
    for (int i : order_) {
        edge += items_[(size_t)i].width;
        if (x >= edge - kDividerSlop && x <= edge + kDividerSlop)
            found = i;
        else if (edge - kDividerSlop > x)
            break;
    }
    return found;
}

int HeaderControl::HitTest(HDHITTESTINFO& info) const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    info.iItem = -1;
    info.flags = 0;
    POINT pt = info.pt;
    if (pt.y < client.top)
        info.flags |= HHT_ABOVE;
    if (pt.y >= client.bottom)
        info.flags |= HHT_BELOW;
    if (pt.x < client.left)
        info.flags |= HHT_TOLEFT;
    if (pt.x >= client.right)
        info.flags |= HHT_TORIGHT;
    if (info.flags)
        return -1;
    int divider = DividerAt(pt.x);
    if (divider >= 0) {
        info.iItem = divider;
        info.flags = items_[(size_t)divider].width == 0 ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
        return divider;
    }
    int x = 0;
    for (int i : order_) {
        int w = items_[(size_t)i].width;
        if (pt.x >= x && pt.x < x + w) {
            info.iItem = i;
            info.flags = HHT_ONHEADER;
            return i;
        }
        x += w;
    }
    info.flags = HHT_NOWHERE;
    return -1;
}

int HeaderControl::DropDividerAt(int x) const
{
    int edge = 0, position = 0;
    for (int i : order_) {
        int w = items_[(size_t)i].width;
        if (x < edge + w / 2)
            return position;
        edge += w;
        ++position;
    }
    return position;
}

int HeaderControl::SetHotDivider(bool byPoint, DWORD value)
{
    int divider = byPoint ? DropDividerAt((short)LOWORD(value)) : (int)value;
    if (divider != hotDivider_) {
        hotDivider_ = divider;
        Redraw();
    }
    return hotDivider_;
}

HIMAGELIST HeaderControl::SetImageList(HIMAGELIST list)
{
    HIMAGELIST old = images_;
    images_ = list;
    Redraw();
    return old;
}

void HeaderControl::DrawItem(HDC hdc, int index, const RECT& rc, bool pressed)
{
    const HeaderItem& item = items_[(size_t)index];
    if (item.fmt & HDF_OWNERDRAW) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_HEADER;
        dis.CtlID = (UINT)GetDlgCtrlID(hwnd_);
        dis.itemID = (UINT)index;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = pressed ? ODS_SELECTED : 0;
        dis.hwndItem = hwnd_;
        dis.hDC = hdc;
        dis.rcItem = rc;
        dis.itemData = (ULONG_PTR)item.data;
        SendMessage(GetParent(hwnd_), WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
        return;
    }
    RECT face = rc;
    if (Style() & HDS_BUTTONS)
        DrawFrameControl(hdc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));
    else
        DrawEdge(hdc, &face, EDGE_ETCHED, BF_RIGHT | BF_BOTTOM);
    RECT room = {rc.left + kTextMargin, rc.top + 1, rc.right - kTextMargin, rc.bottom - 1};
    if (pressed)
        OffsetRect(&room, 1, 1);
    int cx = 0, cy = 0;
    if ((item.fmt & HDF_IMAGE) && item.image >= 0 && ImageList_GetIconSize(images_, &cx, &cy)) {
        if (room.left + cx <= room.right)
            ImageList_Draw(images_, item.image, hdc, room.left, room.top + (room.bottom - room.top - cy) / 2,
                           ILD_TRANSPARENT);
        room.left += cx + kTextMargin / 2;
    }
    if ((item.fmt & HDF_BITMAP) && item.bitmap) {
        BITMAP bm = {};
        GetObject(item.bitmap, sizeof(bm), &bm);
        int x = (item.fmt & HDF_BITMAP_ON_RIGHT) ? room.right - bm.bmWidth : room.left;
        HDC mem = CreateCompatibleDC(hdc);
        HGDIOBJ old = SelectObject(mem, item.bitmap);
        int w = std::min((int)bm.bmWidth, (int)(room.right - room.left));
        if (w > 0)
            BitBlt(hdc, x, room.top + (room.bottom - room.top - bm.bmHeight) / 2, w, bm.bmHeight, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        if (item.fmt & HDF_BITMAP_ON_RIGHT)
            room.right -= bm.bmWidth + kTextMargin / 2;
        else
            room.left += bm.bmWidth + kTextMargin / 2;
    }
    if ((item.fmt & HDF_STRING) || !(item.fmt & (HDF_BITMAP | HDF_IMAGE))) {
        UINT align = (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                     : (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                  : DT_LEFT;
        std::string text = item.text;
        if (item.callbackText) {
            // Header text callbacks are not used here; nothing is shown rather than garbage.
            text.clear();
        }
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
        DrawText(hdc, text.c_str(), (int)text.size(), &room,
                 align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

void HeaderControl::Paint(HDC hdc)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(hdc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    int x = 0;
    for (int i : order_) {
        RECT rc = {x, 0, x + items_[(size_t)i].width, client.bottom};
        x = rc.right;
        if (rc.right <= rc.left)
            continue;
        bool pressed = mode_ == Mode::Pressed && active_ == i && pressedInside_;
        HRGN clip = CreateRectRgnIndirect(&rc);
        SaveDC(hdc);
        ExtSelectClipRgn(hdc, clip, RGN_AND);
        DeleteObject(clip);
        DrawItem(hdc, i, rc, pressed);
        RestoreDC(hdc, -1);
    }
    if (x < client.right) {
        RECT rest = {x, 0, client.right, client.bottom};
        if (Style() & HDS_BUTTONS)
            DrawFrameControl(hdc, &rest, DFC_BUTTON, DFCS_BUTTONPUSH);
        else
            DrawEdge(hdc, &rest, EDGE_ETCHED, BF_BOTTOM);
    }
    if (hotDivider_ >= 0) {
        int edge = 0, position = 0;
        for (int i : order_) {
            if (position++ == hotDivider_)
                break;
            edge += items_[(size_t)i].width;
        }
        RECT mark = {edge - 1, 0, edge + 1, client.bottom};
        FillRect(hdc, &mark, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    SelectObject(hdc, oldFont);
}

void HeaderControl::MouseDown(POINT pt, bool doubleClick)
{
    HDHITTESTINFO hit = {pt};
    int index = HitTest(hit);
    if (index < 0)
        return;
    if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        if (doubleClick) {
            Notify(HDN_DIVIDERDBLCLICKA, index);
            return;
        }
        HDITEMA item = {HDI_WIDTH};
        item.cxy = items_[(size_t)index].width;
        if (Notify(HDN_BEGINTRACKA, index, 0, &item))
            return;
        RECT rc;
        ItemRect(index, rc);
        mode_ = Mode::Tracking;
        active_ = index;
        trackStartWidth_ = items_[(size_t)index].width;
        trackOffset_ = pt.x - rc.right;
        SetCapture(hwnd_);
        return;
    }
    if (doubleClick) {
        Notify(HDN_ITEMDBLCLICKA, index);
        return;
    }
    if (!(Style() & (HDS_BUTTONS | HDS_DRAGDROP)))
        return;
    mode_ = Mode::Pressed;
    active_ = index;
    pressPoint_ = pt;
    pressedInside_ = (Style() & HDS_BUTTONS) != 0;
    SetCapture(hwnd_);
    Redraw();
}

void HeaderControl::MouseMove(POINT pt)
{
    if (mode_ == Mode::Tracking && Valid(active_)) {
        RECT rc;
        ItemRect(active_, rc);
        int width = std::max(0, (int)(pt.x - trackOffset_ - rc.left));
        HDITEMA item = {HDI_WIDTH};
        item.cxy = width;
        if (Notify(HDN_TRACKA, active_, 0, &item))
            return;
        if (Style() & HDS_FULLDRAG)
            Set(active_, item);
        items_[(size_t)active_].width = width;
        Redraw();
        return;
    }
    if (mode_ == Mode::Pressed && Valid(active_)) {
        int slop = GetSystemMetrics(SM_CXDRAG);
        if ((Style() & HDS_DRAGDROP) &&
            (abs(pt.x - pressPoint_.x) > slop || abs(pt.y - pressPoint_.y) > GetSystemMetrics(SM_CYDRAG))) {
            HDITEMA item = {HDI_ORDER};
            item.iOrder = IndexToOrder(active_);
            if (Notify(HDN_BEGINDRAG, active_, 0, &item)) {
                mode_ = Mode::Idle;
                active_ = -1;
                ReleaseCapture();
                Redraw();
                return;
            }
            mode_ = Mode::Dragging;
        } else {
            RECT rc;
            ItemRect(active_, rc);
            bool inside = PtInRect(&rc, pt) != 0 && (Style() & HDS_BUTTONS);
            if (inside != pressedInside_) {
                pressedInside_ = inside;
                Redraw();
            }
            return;
        }
    }
    if (mode_ == Mode::Dragging) {
        RECT client;
        GetClientRect(hwnd_, &client);
        SetHotDivider(true, MAKELONG(pt.x, pt.y));
    }
}

void HeaderControl::EndTrack(bool commit)
{
    int index = active_;
    int width = items_[(size_t)index].width;
    items_[(size_t)index].width = trackStartWidth_;
    HDITEMA item = {HDI_WIDTH};
    item.cxy = width;
    Notify(HDN_ENDTRACKA, index, 0, &item);
    if (commit)
        Set(index, item);
    Redraw();
}

void HeaderControl::MouseUp(POINT pt)
{
    Mode mode = mode_;
    int index = active_;
    mode_ = Mode::Idle;
    active_ = -1;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (!Valid(index))
        return;
    if (mode == Mode::Tracking) {
        active_ = index;
        EndTrack(true);
        active_ = -1;
    } else if (mode == Mode::Dragging) {
        RECT client;
        GetClientRect(hwnd_, &client);
        int divider = PtInRect(&client, pt) ? DropDividerAt(pt.x) : -1;
        hotDivider_ = -1;
        int from = IndexToOrder(index);
        int to = divider < 0 ? -1 : (divider > from ? divider - 1 : divider);
        HDITEMA item = {HDI_ORDER};
        item.iOrder = to;
        if (!Notify(HDN_ENDDRAG, index, 0, &item) && to >= 0 && to != from)
            MoveToOrder(index, to);
    } else if (mode == Mode::Pressed) {
        RECT rc;
        ItemRect(index, rc);
        if (PtInRect(&rc, pt) && (Style() & HDS_BUTTONS))
            Notify(HDN_ITEMCLICKA, index, 0);
    }
    Redraw();
}

void HeaderControl::CancelMode()
{
    if (mode_ == Mode::Tracking && Valid(active_))
        EndTrack(false);
    mode_ = Mode::Idle;
    active_ = -1;
    hotDivider_ = -1;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    Redraw();
}

void HeaderControl::RightClick()
{
    SendNotify(hwnd_, NM_RCLICK);
}

bool HeaderControl::SetCursorForPoint(POINT pt)
{
    HDHITTESTINFO hit = {pt};
    HitTest(hit);
    if (!(hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)))
        return false;
    SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
    return true;
}

}  // namespace mivo
