// Builds dialog templates (DIALOG and DIALOGEX layouts) in memory for tests.
#pragma once

#include <win32.h>
#include "mivo/resources.h"
#include "mivo/templatelayout.h"

#include <string>
#include <vector>

namespace mivo::test {

// Predefined control classes of templates.
enum class ItemClass : WORD { Button = 0x80, Edit = 0x81, Static = 0x82, ListBox = 0x83, ScrollBar = 0x84, ComboBox = 0x85 };

class DialogTemplateBuilder {
public:
    DialogTemplateBuilder(DWORD style, short x, short y, short cx, short cy, const std::u16string& title,
                          bool extended = true);

    // Adds DS_SETFONT with the face and size.
    DialogTemplateBuilder& Font(WORD pointSize, const std::u16string& face, WORD weight = FW_NORMAL,
                                BYTE charset = HANGUL_CHARSET);
    DialogTemplateBuilder& Item(ItemClass cls, const std::u16string& text, DWORD id, short x, short y, short cx,
                                short cy, DWORD style, DWORD exStyle = 0);
    DialogTemplateBuilder& Item(const std::u16string& cls, const std::u16string& text, DWORD id, short x, short y,
                                short cx, short cy, DWORD style, DWORD exStyle = 0);
    // An item whose title is a resource ordinal (an icon of a static).
    DialogTemplateBuilder& ItemWithOrdinalTitle(ItemClass cls, WORD ordinal, DWORD id, short x, short y, short cx,
                                                short cy, DWORD style);

    std::vector<BYTE> Bytes() const;
    // The built template, valid while the builder lives and is not changed.
    LPCDLGTEMPLATE Get();

private:
    mivo::DialogTemplateInfo m_template;
    std::vector<DWORD> m_storage;  // DWORD-aligned copy handed out by Get()
};

// DLGINIT data: records of control id, message, and text (CP949).
std::vector<BYTE> DialogInitData(const std::vector<std::pair<WORD, std::string>>& comboStrings,
                                 WORD message = 0x0403);

// A dialog template registered as the program's resource for as long as this lives.
class ProgramDialogTemplate {
public:
    ProgramDialogTemplate(WORD id, std::vector<BYTE> bytes);
    ~ProgramDialogTemplate();
    ProgramDialogTemplate(const ProgramDialogTemplate&) = delete;
    ProgramDialogTemplate& operator=(const ProgramDialogTemplate&) = delete;

private:
    std::vector<BYTE> m_bytes;
    mivo::ResourceEntry m_entry;
    mivo::ResourceTable m_table;
};

}  // namespace mivo::test
