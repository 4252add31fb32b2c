// The virtual mixer's elements in memory; changes from "elsewhere" wake the watcher.
#pragma once

#include "MixerBackend.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace mivo {

class VirtualMixerState : public MixerBackend {
public:
    struct Element {
        MixerElementInfo info;
        std::vector<long> values;
        bool on = true;
    };

    std::string Name() const override { return "Virtual Mixer"; }

    std::vector<MixerElementInfo> Elements() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<MixerElementInfo> infos;
        for (const Element& e : elements_)
            infos.push_back(e.info);
        return infos;
    }

    bool GetVolume(size_t element, unsigned channel, long& raw) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (element >= elements_.size() || channel >= elements_[element].values.size())
            return false;
        raw = elements_[element].values[channel];
        return true;
    }

    bool SetVolume(size_t element, long raw) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (element >= elements_.size())
                return false;
            Element& e = elements_[element];
            raw = std::max(e.info.minimum, std::min(e.info.maximum, raw));
            for (long& v : e.values)
                v = raw;
        }
        Wake();
        return true;
    }

    bool GetSwitch(size_t element, bool& on) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (element >= elements_.size() || !elements_[element].info.hasSwitch)
            return false;
        on = elements_[element].on;
        return true;
    }

    bool SetSwitch(size_t element, bool on) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (element >= elements_.size() || !elements_[element].info.hasSwitch)
                return false;
            elements_[element].on = on;
        }
        Wake();
        return true;
    }

    bool WaitForChange(int timeoutMs) override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        bool woken = changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return pending_; });
        pending_ = false;
        return woken;
    }

    void Wake() override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            pending_ = true;
        }
        changed_.notify_all();
    }

    void Add(const MixerElementInfo& info)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Element e;
        e.info = info;
        e.values.assign(info.channels, info.minimum);
        elements_.push_back(e);
    }

    int IndexOf(const std::string& name) const
    {
        for (size_t i = 0; i < elements_.size(); ++i)
            if (elements_[i].info.name == name)
                return (int)i;
        return -1;
    }

    long Raw(const std::string& name, unsigned channel)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        int i = IndexOf(name);
        return i < 0 || channel >= elements_[i].values.size() ? -1 : elements_[i].values[channel];
    }

    bool SwitchOn(const std::string& name)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        int i = IndexOf(name);
        return i >= 0 && elements_[i].on;
    }

    int Find(const std::string& name)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return IndexOf(name);
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool pending_ = false;
    std::vector<Element> elements_;
};

}  // namespace mivo
