// Writers of the binary resource layouts the platform reads (kernel/TemplateReader.cpp, the
// string, accelerator and toolbar loaders): dialog and menu templates, string blocks, accelerator
// tables and toolbars. Header-only and free of the Win32 headers, so the resource compiler and the
// tests' resource builders write the same bytes.
#pragma once

#include "mivo/templatelayout.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mivo {

// A little-endian byte buffer.
class TemplateBytes {
public:
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v)
    {
        U8((uint8_t)(v & 0xFF));
        U8((uint8_t)(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16((uint16_t)(v & 0xFFFF));
        U16((uint16_t)(v >> 16));
    }
    void Bytes(const std::string& s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    void Bytes(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void Bytes(const uint8_t* p, size_t n) { bytes_.insert(bytes_.end(), p, p + n); }
    // UTF-16 text without a terminator.
    void Units(const std::u16string& s)
    {
        for (char16_t c : s)
            U16((uint16_t)c);
    }
    // UTF-16 text with its terminating zero.
    void Utf16z(const std::u16string& s)
    {
        Units(s);
        U16(0);
    }
    // An ordinal (0xFFFF, then the WORD) or text with its terminator.
    void Field(const TemplateText& t)
    {
        if (t.isOrdinal) {
            U16(0xFFFF);
            U16(t.ordinal);
        } else {
            Utf16z(t.text);
        }
    }
    void AlignTo(size_t n)
    {
        while (bytes_.size() % n)
            U8(0);
    }
    void Patch16(size_t offset, uint16_t v)
    {
        bytes_[offset] = (uint8_t)(v & 0xFF);
        bytes_[offset + 1] = (uint8_t)(v >> 8);
    }
    size_t Size() const { return bytes_.size(); }
    const std::vector<uint8_t>& Data() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

namespace templatewriter_detail {

inline void DialogItem(TemplateBytes& w, const DialogItemInfo& c, bool extended)
{
    w.AlignTo(4);
    if (extended) {
        w.U32(c.helpId);
        w.U32(c.exStyle);
        w.U32(c.style);
    } else {
        w.U32(c.style);
        w.U32(c.exStyle);
    }
    w.U16((uint16_t)c.x);
    w.U16((uint16_t)c.y);
    w.U16((uint16_t)c.cx);
    w.U16((uint16_t)c.cy);
    if (extended)
        w.U32(c.id);
    else
        w.U16((uint16_t)c.id);
    w.Field(c.windowClass);
    w.Field(c.title);
    // The creation data's size counts itself in a DLGTEMPLATE, not in a DLGTEMPLATEEX.
    if (c.creationData.empty())
        w.U16(0);
    else
        w.U16((uint16_t)(c.creationData.size() + (extended ? 0 : 2)));
    w.Bytes(c.creationData);
}

inline void PlainMenuItems(TemplateBytes& w, const std::vector<MenuTemplateItem>& items)
{
    const uint16_t kPopup = 0x0010, kEnd = 0x0080;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuTemplateItem& item = items[i];
        uint16_t flags = (uint16_t)((uint16_t)item.flags | (i + 1 == items.size() ? kEnd : 0));
        if (item.popup) {
            w.U16(flags | kPopup);
            w.Utf16z(item.text);
            PlainMenuItems(w, item.children);
        } else {
            w.U16(flags);
            w.U16((uint16_t)item.id);
            w.Utf16z(item.text);
        }
    }
}

inline void ExtendedMenuItems(TemplateBytes& w, const std::vector<MenuTemplateItem>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuTemplateItem& item = items[i];
        w.U32(item.flags);
        w.U32(item.state);
        w.U32(item.id);
        w.U16((uint16_t)((i + 1 == items.size() ? 0x80 : 0) | (item.popup ? 0x01 : 0)));
        w.Utf16z(item.text);
        w.AlignTo(4);
        if (item.popup) {
            w.U32(item.helpId);
            ExtendedMenuItems(w, item.children);
        }
    }
}

}  // namespace templatewriter_detail

// A DLGTEMPLATE or, when `extended`, a DLGTEMPLATEEX with its items.
inline std::vector<uint8_t> WriteDialogTemplate(const DialogTemplateInfo& d)
{
    TemplateBytes w;
    if (d.extended) {
        w.U16(1);
        w.U16(0xFFFF);
        w.U32(d.helpId);
        w.U32(d.exStyle);
        w.U32(d.style);
    } else {
        w.U32(d.style);
        w.U32(d.exStyle);
    }
    w.U16((uint16_t)d.items.size());
    w.U16((uint16_t)d.x);
    w.U16((uint16_t)d.y);
    w.U16((uint16_t)d.cx);
    w.U16((uint16_t)d.cy);
    if (d.hasMenu)
        w.Field(d.menu);
    else
        w.U16(0);
    if (d.hasClass)
        w.Field(d.windowClass);
    else
        w.U16(0);
    w.Utf16z(d.title);
    if (d.hasFont) {
        w.U16(d.pointSize);
        if (d.extended) {
            w.U16(d.weight);
            w.U8(d.italic);
            w.U8(d.charset);
        }
        w.Utf16z(d.typeface);
    }
    for (const DialogItemInfo& item : d.items)
        templatewriter_detail::DialogItem(w, item, d.extended);
    return w.Take();
}

// A MENU template or, when `extended`, a MENUEX template (each item padded to a DWORD).
inline std::vector<uint8_t> WriteMenuTemplate(const MenuTemplateInfo& m)
{
    TemplateBytes w;
    if (m.extended) {
        w.U16(1);  // version
        w.U16(4);  // offset of the items from the end of these two words
        w.U32(m.helpId);
        templatewriter_detail::ExtendedMenuItems(w, m.items);
    } else {
        w.U16(0);
        w.U16(0);
        templatewriter_detail::PlainMenuItems(w, m.items);
    }
    return w.Take();
}

// RT_STRING: one block of 16 strings, each a WORD length and its UTF-16 text without a terminator.
inline std::vector<uint8_t> WriteStringBlock(const std::u16string (&slots)[16])
{
    TemplateBytes w;
    for (const std::u16string& text : slots) {
        w.U16((uint16_t)text.size());
        w.Units(text);
    }
    return w.Take();
}

// RT_ACCELERATOR: records of flags, key, command and padding; the last is marked with 0x80.
struct AcceleratorEntry {
    uint16_t flags = 0;
    uint16_t key = 0;
    uint16_t id = 0;
};

inline std::vector<uint8_t> WriteAcceleratorTable(const std::vector<AcceleratorEntry>& entries)
{
    TemplateBytes w;
    for (size_t i = 0; i < entries.size(); ++i) {
        w.U16((uint16_t)(entries[i].flags | (i + 1 == entries.size() ? 0x80 : 0)));
        w.U16(entries[i].key);
        w.U16(entries[i].id);
        w.U16(0);
    }
    return w.Take();
}

// RT_TOOLBAR: version 1, the button image size, then the command ids (0 = separator).
inline std::vector<uint8_t> WriteToolBarResource(uint16_t width, uint16_t height, const std::vector<uint16_t>& ids)
{
    TemplateBytes w;
    w.U16(1);
    w.U16(width);
    w.U16(height);
    w.U16((uint16_t)ids.size());
    for (uint16_t id : ids)
        w.U16(id);
    return w.Take();
}

}  // namespace mivo
