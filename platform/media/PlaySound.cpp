// PlaySound and sndPlaySound: the sound's bytes from a file, a resource or memory, handed to
// the one sound player.
#include "SoundPlayer.h"
#include "win32.h"
#include "mivo/paths.h"

#include <cstdio>
#include <cstring>

namespace {

const size_t kMaxSoundFile = 256u << 20;

bool ReadFileBytes(LPCSTR path, std::vector<uint8_t>& out)
{
    FILE* f = mivo::FOpen(path, "rb");
    if (!f)
        return false;
    uint8_t buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0 && out.size() <= kMaxSoundFile)
        out.insert(out.end(), buffer, buffer + n);
    fclose(f);
    return out.size() <= kMaxSoundFile;
}

bool ReadResourceBytes(HMODULE module, LPCSTR name, std::vector<uint8_t>& out)
{
    HRSRC found = FindResourceA(module, name, "WAVE");
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const uint8_t* bytes = loaded ? (const uint8_t*)LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    out.assign(bytes, bytes + SizeofResource(module, found));
    return true;
}

// A sound in memory says its own size in its RIFF header.
bool ReadMemoryBytes(LPCSTR image, std::vector<uint8_t>& out)
{
    const auto* p = (const uint8_t*)image;
    if (memcmp(p, "RIFF", 4) != 0)
        return false;
    uint32_t length = (uint32_t)p[4] | (uint32_t)p[5] << 8 | (uint32_t)p[6] << 16 | (uint32_t)p[7] << 24;
    if (length > kMaxSoundFile)
        return false;
    out.assign(p, p + 8 + (size_t)length);
    return true;
}

}  // namespace

BOOL PlaySound(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound)
{
    mivo::SoundPlayer& player = mivo::SoundPlayer::Instance();
    if (!pszSound || (fdwSound & SND_PURGE)) {
        player.Stop();
        return TRUE;
    }
    if ((fdwSound & SND_NOSTOP) && player.Playing())
        return FALSE;
    std::vector<uint8_t> bytes;
    bool read;
    if ((fdwSound & SND_RESOURCE) == SND_RESOURCE)
        read = ReadResourceBytes(hmod, pszSound, bytes);
    else if (fdwSound & SND_MEMORY)
        read = ReadMemoryBytes(pszSound, bytes);
    else if ((fdwSound & SND_ALIAS) && !(fdwSound & SND_FILENAME))
        read = false;  // no system sounds here
    else
        read = ReadFileBytes(pszSound, bytes);
    if (!read) {
        player.Stop();
        return FALSE;
    }
    return player.Play(std::move(bytes), (fdwSound & SND_ASYNC) != 0, (fdwSound & SND_LOOP) && (fdwSound & SND_ASYNC));
}

BOOL sndPlaySound(LPCSTR lpszSound, UINT fuSound)
{
    DWORD flags = fuSound & (SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_LOOP | SND_NOSTOP);
    if (!(flags & SND_MEMORY))
        flags |= SND_FILENAME;
    return PlaySound(lpszSound, nullptr, flags);
}
