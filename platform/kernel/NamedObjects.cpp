#include "kernel/NamedObjects.h"

#include <map>
#include <mutex>

namespace mivo {

namespace {

struct Registry {
    std::mutex lock;
    std::map<std::string, std::weak_ptr<Waitable>> objects;
};

Registry& TheRegistry()
{
    static Registry* registry = new Registry;  // never destroyed: handles may close during exit
    return *registry;
}

void DropExpired(Registry& r)
{
    for (auto it = r.objects.begin(); it != r.objects.end();) {
        if (it->second.expired())
            it = r.objects.erase(it);
        else
            ++it;
    }
}

}  // namespace

NamedLookup FindOrMakeNamed(const std::string& name, const std::function<std::shared_ptr<Waitable>()>& make)
{
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    NamedLookup result;
    auto it = r.objects.find(name);
    if (it != r.objects.end()) {
        result.object = it->second.lock();
        if (result.object) {
            result.existed = true;
            return result;
        }
    }
    result.object = make();
    if (result.object) {
        DropExpired(r);
        r.objects[name] = result.object;
    }
    return result;
}

}  // namespace mivo
