// The per-dialog state table. Handles are keys: a stale handle finds nothing.
#include "dialogs/DialogInternal.h"

#include <map>
#include <mutex>

namespace mivo {

namespace {

std::mutex& TableLock()
{
    static std::mutex* lock = new std::mutex;
    return *lock;
}

std::map<HWND, std::shared_ptr<DialogState>>& Table()
{
    static auto* table = new std::map<HWND, std::shared_ptr<DialogState>>;
    return *table;
}

}  // namespace

bool DialogEndedWith(HWND hDlg, INT_PTR* result)
{
    auto state = FindDialogState(hDlg);
    if (!state || !state->ended)
        return false;
    *result = state->result;
    return true;
}

std::shared_ptr<DialogState> FindDialogState(HWND hDlg)
{
    if (!hDlg)
        return nullptr;
    std::lock_guard<std::mutex> guard(TableLock());
    auto it = Table().find(hDlg);
    return it == Table().end() ? nullptr : it->second;
}

std::shared_ptr<DialogState> CreateDialogState(HWND hDlg)
{
    auto state = std::make_shared<DialogState>();
    std::lock_guard<std::mutex> guard(TableLock());
    // Entries of windows that went away without their last message.
    for (auto it = Table().begin(); it != Table().end();) {
        if (!IsWindow(it->first))
            it = Table().erase(it);
        else
            ++it;
    }
    Table()[hDlg] = state;
    return state;
}

void DropDialogState(HWND hDlg)
{
    std::shared_ptr<DialogState> gone;
    {
        std::lock_guard<std::mutex> guard(TableLock());
        auto it = Table().find(hDlg);
        if (it == Table().end())
            return;
        gone = it->second;
        Table().erase(it);
    }
    if (gone->ownsFont && gone->font)
        DeleteObject(gone->font);
    gone->font = nullptr;
}

std::string WindowTextOf(HWND hwnd)
{
    int len = GetWindowTextLength(hwnd);
    if (len <= 0)
        return std::string();
    std::string text((size_t)len + 1, '\0');
    int got = GetWindowText(hwnd, &text[0], len + 1);
    text.resize(got > 0 ? (size_t)got : 0);
    return text;
}

}  // namespace mivo
