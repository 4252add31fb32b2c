// mciSendString: the command-string interpreter over the open devices (only "cdaudio" here).
#include "CdAudioDevice.h"

#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct OpenDevice {
    UINT id;
    std::unique_ptr<mivo::CdAudioDevice> device;
};

struct Devices {
    std::mutex mutex;
    std::map<std::string, OpenDevice> byAlias;
    UINT nextId = 1;
};

Devices& AllDevices()
{
    static Devices* devices = new Devices;
    return *devices;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    return text;
}

// Words separated by blanks; double quotes keep blanks inside a word. Keywords are compared
// without case, so every word but a quoted one is lowered.
bool Split(const char* command, std::vector<std::string>& words)
{
    const char* p = command;
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string word;
        if (*p == '"') {
            const char* close = strchr(p + 1, '"');
            if (!close)
                return false;
            word.assign(p + 1, close);
            p = close + 1;
        } else {
            const char* end = p;
            while (*end && *end != ' ' && *end != '\t')
                ++end;
            word = Lower(std::string(p, end));
            p = end;
        }
        words.push_back(word);
    }
    return true;
}

MCIERROR OpenCommand(Devices& devices, const std::vector<std::string>& words, std::string& answer, UINT& id)
{
    std::string type = words[1], alias = words[1];
    for (size_t i = 2; i < words.size(); ++i) {
        if (words[i] == "alias" && i + 1 < words.size())
            alias = Lower(words[++i]);
        else if (words[i] != "shareable")
            return MCIERR_UNRECOGNIZED_KEYWORD;
    }
    if (type != "cdaudio")
        return MCIERR_INVALID_DEVICE_NAME;
    if (devices.byAlias.count(alias))
        return MCIERR_DEVICE_OPEN;
    std::shared_ptr<mivo::CdDrive> drive = mivo::OpenCdDrive();
    if (!drive)
        return MCIERR_DEVICE_NOT_INSTALLED;
    id = devices.nextId++;
    devices.byAlias[alias] = OpenDevice{id, std::unique_ptr<mivo::CdAudioDevice>(new mivo::CdAudioDevice(drive))};
    answer = std::to_string(id);
    return 0;
}

MCIERROR Run(const char* command, std::string& answer, UINT& id, bool& notify)
{
    std::vector<std::string> words;
    if (!command)
        return MCIERR_MISSING_COMMAND_STRING;
    if (!Split(command, words))
        return MCIERR_EXTRA_CHARACTERS;
    std::vector<std::string> kept;
    for (const std::string& w : words) {
        if (w == "notify")
            notify = true;
        else if (w != "wait")
            kept.push_back(w);
    }
    if (kept.empty())
        return MCIERR_MISSING_COMMAND_STRING;
    if (kept.size() < 2)
        return MCIERR_MISSING_DEVICE_NAME;
    Devices& devices = AllDevices();
    std::lock_guard<std::mutex> lock(devices.mutex);
    if (kept[0] == "open") {
        MCIERROR rc = OpenCommand(devices, kept, answer, id);
        auto found = devices.byAlias.find(kept[1]);
        if (found != devices.byAlias.end())
            found->second.device->Drive().Note(command);
        return rc;
    }
    auto found = devices.byAlias.find(kept[1]);
    if (found == devices.byAlias.end())
        return MCIERR_INVALID_DEVICE_NAME;
    id = found->second.id;
    found->second.device->Drive().Note(command);
    std::vector<std::string> rest(kept.begin() + 2, kept.end());
    MCIERROR rc = found->second.device->Execute(kept[0], rest, answer);
    if (kept[0] == "close" && rc == 0)
        devices.byAlias.erase(found);
    return rc;
}

}  // namespace

MCIERROR mciSendString(LPCSTR lpszCommand, LPSTR lpszReturnString, UINT cchReturn, HWND hwndCallback)
{
    if (lpszReturnString && cchReturn)
        lpszReturnString[0] = 0;
    std::string answer;
    UINT id = 0;
    bool notify = false;
    MCIERROR rc = Run(lpszCommand, answer, id, notify);
    if (rc == 0 && !answer.empty() && lpszReturnString && cchReturn) {
        snprintf(lpszReturnString, cchReturn, "%s", answer.c_str());
        if (answer.size() >= cchReturn)
            rc = MCIERR_PARAM_OVERFLOW;
    }
    if (notify && hwndCallback)
        PostMessage(hwndCallback, MM_MCINOTIFY, rc ? MCI_NOTIFY_FAILURE : MCI_NOTIFY_SUCCESSFUL, (LPARAM)id);
    return rc;
}
