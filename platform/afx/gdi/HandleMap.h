// Handle maps of the framework's GDI wrappers: attached (permanent) wrappers
// for the whole process, temporary ones per thread until DeleteTempMap.
#pragma once

#include <mutex>
#include <unordered_map>

namespace mivo {
namespace gdi {

template <class Wrapper>
class HandleMap {
public:
    using Detacher = void (*)(Wrapper*);

    explicit HandleMap(Detacher detach) : detach_(detach) {}

    void SetPermanent(void* h, Wrapper* w)
    {
        std::lock_guard<std::mutex> guard(lock_);
        permanent_[h] = w;
    }
    void RemovePermanent(void* h, Wrapper* w)
    {
        std::lock_guard<std::mutex> guard(lock_);
        auto it = permanent_.find(h);
        if (it != permanent_.end() && it->second == w)
            permanent_.erase(it);
    }
    Wrapper* Find(void* h)
    {
        {
            std::lock_guard<std::mutex> guard(lock_);
            auto it = permanent_.find(h);
            if (it != permanent_.end())
                return it->second;
        }
        auto& temp = Temporary();
        auto it = temp.wrappers.find(h);
        return it != temp.wrappers.end() ? it->second : nullptr;
    }
    // The wrapper for h, making a temporary one with `create` when none exists.
    template <class Create>
    Wrapper* FromHandle(void* h, Create create)
    {
        if (h == nullptr)
            return nullptr;
        if (Wrapper* w = Find(h))
            return w;
        Wrapper* w = create(h);
        Temporary().wrappers[h] = w;
        return w;
    }
    void DeleteTemporary()
    {
        auto& temp = Temporary();
        auto wrappers = std::move(temp.wrappers);
        temp.wrappers.clear();
        for (auto& entry : wrappers) {
            detach_(entry.second);
            delete entry.second;
        }
    }

private:
    struct Temp {
        Detacher detach = nullptr;
        std::unordered_map<void*, Wrapper*> wrappers;
        ~Temp()
        {
            for (auto& entry : wrappers) {
                detach(entry.second);
                delete entry.second;
            }
        }
    };
    Temp& Temporary()
    {
        thread_local Temp temp;
        temp.detach = detach_;
        return temp;
    }

    Detacher detach_;
    std::mutex lock_;
    std::unordered_map<void*, Wrapper*> permanent_;
};

}  // namespace gdi
}  // namespace mivo
