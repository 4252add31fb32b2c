// Checked readers of dialog and menu templates (see win32/resources.h for the layouts).
#include "win32/resources.h"
#include "mivo/templates.h"

namespace {

constexpr DWORD kDsSetFont = 0x40;
constexpr int kMaxMenuDepth = 16;

// Reads little-endian fields and never steps past the end of the template.
class Cursor {
public:
    Cursor(const void* data, size_t size) : p_(static_cast<const BYTE*>(data)), size_(data ? size : 0) {}

    bool U8(BYTE& v)
    {
        if (pos_ + 1 > size_)
            return false;
        v = p_[pos_++];
        return true;
    }
    bool U16(WORD& v)
    {
        if (pos_ + 2 > size_)
            return false;
        v = (WORD)(p_[pos_] | (p_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }
    bool U32(DWORD& v)
    {
        WORD lo, hi;
        if (!U16(lo) || !U16(hi))
            return false;
        v = lo | ((DWORD)hi << 16);
        return true;
    }
    bool I16(short& v)
    {
        WORD w;
        if (!U16(w))
            return false;
        v = (short)w;
        return true;
    }
    bool Text(std::u16string& out)
    {
        out.clear();
        WORD c;
        while (U16(c)) {
            if (c == 0)
                return true;
            out.push_back((char16_t)c);
        }
        return false;
    }
    // sz_Or_Ord: 0x0000 none, 0xFFFF then an ordinal, else a string.
    bool TextOrOrdinal(mivo::TemplateText& out, bool& present)
    {
        out = mivo::TemplateText();
        WORD first;
        if (pos_ + 2 > size_)
            return false;
        first = (WORD)(p_[pos_] | (p_[pos_ + 1] << 8));
        if (first == 0x0000) {
            pos_ += 2;
            present = false;
            return true;
        }
        present = true;
        if (first == 0xFFFF) {
            pos_ += 2;
            out.isOrdinal = true;
            return U16(out.ordinal);
        }
        return Text(out.text);
    }
    bool Bytes(size_t n, std::vector<BYTE>& out)
    {
        if (n > size_ - pos_)
            return false;
        out.assign(p_ + pos_, p_ + pos_ + n);
        pos_ += n;
        return true;
    }
    void Align4() { pos_ = (pos_ + 3) & ~size_t(3); }
    void Seek(size_t pos) { pos_ = pos; }
    size_t Pos() const { return pos_; }

private:
    const BYTE* p_;
    size_t size_;
    size_t pos_ = 0;
};

bool ReadItem(Cursor& c, bool extended, mivo::DialogItemInfo& item)
{
    c.Align4();
    if (extended) {
        if (!c.U32(item.helpId) || !c.U32(item.exStyle) || !c.U32(item.style))
            return false;
    } else if (!c.U32(item.style) || !c.U32(item.exStyle)) {
        return false;
    }
    if (!c.I16(item.x) || !c.I16(item.y) || !c.I16(item.cx) || !c.I16(item.cy))
        return false;
    if (extended) {
        if (!c.U32(item.id))
            return false;
    } else {
        WORD id;
        if (!c.U16(id))
            return false;
        item.id = id;
    }
    bool present;
    if (!c.TextOrOrdinal(item.windowClass, present) || !c.TextOrOrdinal(item.title, present))
        return false;
    WORD extra;
    if (!c.U16(extra))
        return false;
    size_t dataSize = extra;
    if (!extended && extra != 0) {
        if (extra < 2)
            return false;
        dataSize = extra - 2u;  // the size word counts itself
    }
    return c.Bytes(dataSize, item.creationData);
}

bool ReadPlainItems(Cursor& c, std::vector<mivo::MenuTemplateItem>& out, int depth)
{
    if (depth > kMaxMenuDepth)
        return false;
    while (true) {
        mivo::MenuTemplateItem item;
        WORD flags;
        if (!c.U16(flags))
            return false;
        item.popup = (flags & MF_POPUP) != 0;
        if (!item.popup) {
            WORD id;
            if (!c.U16(id))
                return false;
            item.id = id;
        }
        if (!c.Text(item.text))
            return false;
        item.flags = flags & ~(DWORD)(MF_POPUP | MF_END);
        item.separator = !item.popup && ((flags & MF_SEPARATOR) || (item.flags == 0 && item.id == 0 && item.text.empty()));
        if (item.popup && !ReadPlainItems(c, item.children, depth + 1))
            return false;
        out.push_back(std::move(item));
        if (flags & MF_END)
            return true;
    }
}

bool ReadExtendedItems(Cursor& c, std::vector<mivo::MenuTemplateItem>& out, int depth)
{
    if (depth > kMaxMenuDepth)
        return false;
    while (true) {
        mivo::MenuTemplateItem item;
        WORD resInfo;
        c.Align4();
        if (!c.U32(item.flags) || !c.U32(item.state) || !c.U32(item.id) || !c.U16(resInfo) || !c.Text(item.text))
            return false;
        item.popup = (resInfo & 0x01) != 0;
        item.separator = (item.flags & MF_SEPARATOR) != 0;
        if (item.popup) {
            c.Align4();
            if (!c.U32(item.helpId) || !ReadExtendedItems(c, item.children, depth + 1))
                return false;
        }
        out.push_back(std::move(item));
        if (resInfo & 0x80)
            return true;
    }
}

}  // namespace

namespace mivo {

bool ReadDialogTemplate(const void* data, size_t size, DialogTemplateInfo& out)
{
    out = DialogTemplateInfo();
    Cursor c(data, size);
    WORD first, second;
    if (!c.U16(first) || !c.U16(second))
        return false;
    out.extended = first == 1 && second == 0xFFFF;
    WORD count;
    if (out.extended) {
        if (!c.U32(out.helpId) || !c.U32(out.exStyle) || !c.U32(out.style))
            return false;
    } else {
        c.Seek(0);
        if (!c.U32(out.style) || !c.U32(out.exStyle))
            return false;
    }
    if (!c.U16(count) || !c.I16(out.x) || !c.I16(out.y) || !c.I16(out.cx) || !c.I16(out.cy))
        return false;
    if (!c.TextOrOrdinal(out.menu, out.hasMenu) || !c.TextOrOrdinal(out.windowClass, out.hasClass) ||
        !c.Text(out.title))
        return false;
    if (out.style & kDsSetFont) {
        out.hasFont = true;
        if (!c.U16(out.pointSize))
            return false;
        if (out.extended && (!c.U16(out.weight) || !c.U8(out.italic) || !c.U8(out.charset)))
            return false;
        if (!c.Text(out.typeface))
            return false;
    }
    for (WORD i = 0; i < count; ++i) {
        DialogItemInfo item;
        if (!ReadItem(c, out.extended, item))
            return false;
        out.items.push_back(std::move(item));
    }
    return true;
}

bool ReadMenuTemplate(const void* data, size_t size, MenuTemplateInfo& out)
{
    out = MenuTemplateInfo();
    Cursor c(data, size);
    WORD version, offset;
    if (!c.U16(version) || !c.U16(offset))
        return false;
    if (version == 0) {
        c.Seek(4 + (size_t)offset);
        return ReadPlainItems(c, out.items, 0);
    }
    if (version != 1 || offset < 4)
        return false;
    if (!c.U32(out.helpId))
        return false;
    c.Seek(4 + (size_t)offset);
    out.extended = true;
    return ReadExtendedItems(c, out.items, 0);
}

}  // namespace mivo
