#include "AlsaMixer.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <mutex>

namespace mivo {
namespace {

class AlsaMixer : public MixerBackend {
public:
    AlsaMixer(snd_mixer_t* handle, std::string name) : handle_(handle), name_(std::move(name))
    {
        if (pipe(wake_) == 0) {
            fcntl(wake_[0], F_SETFL, O_NONBLOCK);
            fcntl(wake_[1], F_SETFL, O_NONBLOCK);
        }
        Collect();
    }
    ~AlsaMixer() override
    {
        snd_mixer_close(handle_);
        for (int fd : wake_)
            if (fd >= 0)
                close(fd);
    }

    bool Usable() const { return !infos_.empty(); }
    std::string Name() const override { return name_; }
    std::vector<MixerElementInfo> Elements() override { return infos_; }

    bool GetVolume(size_t element, unsigned channel, long& raw) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (element >= elems_.size())
            return false;
        auto ch = (snd_mixer_selem_channel_id_t)channel;
        bool capture = infos_[element].role == MixerElementInfo::Role::Capture;
        return (capture ? snd_mixer_selem_get_capture_volume(elems_[element], ch, &raw)
                        : snd_mixer_selem_get_playback_volume(elems_[element], ch, &raw)) == 0;
    }

    bool SetVolume(size_t element, long raw) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (element >= elems_.size())
            return false;
        bool capture = infos_[element].role == MixerElementInfo::Role::Capture;
        return (capture ? snd_mixer_selem_set_capture_volume_all(elems_[element], raw)
                        : snd_mixer_selem_set_playback_volume_all(elems_[element], raw)) == 0;
    }

    bool GetSwitch(size_t element, bool& on) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (element >= elems_.size() || !infos_[element].hasSwitch)
            return false;
        int value = 0;
        bool capture = infos_[element].role == MixerElementInfo::Role::Capture;
        int rc = capture ? snd_mixer_selem_get_capture_switch(elems_[element], SND_MIXER_SCHN_FRONT_LEFT, &value)
                         : snd_mixer_selem_get_playback_switch(elems_[element], SND_MIXER_SCHN_FRONT_LEFT, &value);
        on = value != 0;
        return rc == 0;
    }

    bool SetSwitch(size_t element, bool on) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (element >= elems_.size() || !infos_[element].hasSwitch)
            return false;
        bool capture = infos_[element].role == MixerElementInfo::Role::Capture;
        return (capture ? snd_mixer_selem_set_capture_switch_all(elems_[element], on)
                        : snd_mixer_selem_set_playback_switch_all(elems_[element], on)) == 0;
    }

    bool WaitForChange(int timeoutMs) override
    {
        std::vector<pollfd> fds;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            int n = snd_mixer_poll_descriptors_count(handle_);
            fds.resize(n > 0 ? (size_t)n : 0);
            if (n > 0)
                snd_mixer_poll_descriptors(handle_, fds.data(), (unsigned)n);
        }
        fds.push_back({wake_[0], POLLIN, 0});
        if (poll(fds.data(), fds.size(), timeoutMs) <= 0)
            return false;
        char drain[64];
        while (read(wake_[0], drain, sizeof drain) > 0) {
        }
        std::lock_guard<std::mutex> lock(mutex_);
        snd_mixer_handle_events(handle_);
        return true;
    }

    void Wake() override
    {
        if (wake_[1] >= 0 && write(wake_[1], "w", 1) < 0) {
            // A full pipe already wakes the watcher.
        }
    }

private:
    void Collect()
    {
        bool haveMaster = false;
        for (snd_mixer_elem_t* e = snd_mixer_first_elem(handle_); e; e = snd_mixer_elem_next(e)) {
            if (!snd_mixer_selem_is_active(e))
                continue;
            std::string name = snd_mixer_selem_get_name(e);
            MixerElementInfo info;
            info.name = name;
            if (snd_mixer_selem_has_playback_volume(e) && (name == "Master" || name == "PCM")) {
                info.role = name == "Master" ? MixerElementInfo::Role::Master : MixerElementInfo::Role::Pcm;
                haveMaster |= name == "Master";
                info.channels = snd_mixer_selem_is_playback_mono(e) ? 1 : 2;
                snd_mixer_selem_get_playback_volume_range(e, &info.minimum, &info.maximum);
                info.hasSwitch = snd_mixer_selem_has_playback_switch(e);
            } else if (snd_mixer_selem_has_capture_volume(e)) {
                info.role = MixerElementInfo::Role::Capture;
                info.channels = snd_mixer_selem_is_capture_mono(e) ? 1 : 2;
                snd_mixer_selem_get_capture_volume_range(e, &info.minimum, &info.maximum);
                info.hasSwitch = snd_mixer_selem_has_capture_switch(e);
            } else {
                continue;
            }
            if (info.maximum <= info.minimum)
                continue;
            infos_.push_back(info);
            elems_.push_back(e);
        }
        // A card without "Master" lets its PCM element stand for the speakers.
        if (!haveMaster)
            for (MixerElementInfo& info : infos_)
                if (info.role == MixerElementInfo::Role::Pcm) {
                    info.role = MixerElementInfo::Role::Master;
                    break;
                }
    }

    snd_mixer_t* handle_;
    std::string name_;
    std::mutex mutex_;
    int wake_[2] = {-1, -1};
    std::vector<MixerElementInfo> infos_;
    std::vector<snd_mixer_elem_t*> elems_;
};

snd_mixer_t* AttachMixer(const char* device)
{
    snd_mixer_t* handle = nullptr;
    if (snd_mixer_open(&handle, 0) < 0)
        return nullptr;
    if (snd_mixer_attach(handle, device) < 0 || snd_mixer_selem_register(handle, nullptr, nullptr) < 0 ||
        snd_mixer_load(handle) < 0) {
        snd_mixer_close(handle);
        return nullptr;
    }
    return handle;
}

}  // namespace

std::shared_ptr<MixerBackend> OpenAlsaMixer()
{
    int card = -1;
    if (snd_card_next(&card) < 0 || card < 0)
        return nullptr;
    std::string name = "ALSA Mixer";
    char* cardName = nullptr;
    if (snd_card_get_name(card, &cardName) == 0 && cardName) {
        name = cardName;
        free(cardName);
    }
    std::string hw = "hw:" + std::to_string(card);
    snd_mixer_t* handle = AttachMixer(hw.c_str());
    if (!handle)
        return nullptr;
    auto mixer = std::make_shared<AlsaMixer>(handle, name);
    if (!mixer->Usable())
        return nullptr;
    return mixer;
}

}  // namespace mivo
