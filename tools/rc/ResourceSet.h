// The compiled resources of one script, in the order they were defined.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Token.h"

namespace rc {

// A type or name: an integer id, or an upper-case CP949 name.
struct ResourceId {
    bool isName = false;
    uint16_t id = 0;
    std::string name;

    static ResourceId Number(uint16_t n)
    {
        ResourceId r;
        r.id = n;
        return r;
    }
    static ResourceId Named(const std::string& s)
    {
        ResourceId r;
        r.isName = true;
        r.name = s;
        return r;
    }
    bool operator<(const ResourceId& o) const
    {
        if (isName != o.isName)
            return !isName;
        return isName ? name < o.name : id < o.id;
    }
    std::string Describe() const { return isName ? "\"" + name + "\"" : std::to_string(id); }
};

struct Resource {
    ResourceId type;
    ResourceId name;
    std::vector<uint8_t> data;
    Location loc;
};

class ResourceSet {
public:
    // Fails on a second resource of the same type and name.
    void Add(Resource r);
    const std::vector<Resource>& Items() const { return items_; }
    // Ids for the images that icon and cursor files are split into.
    uint16_t NextIconId() { return ++lastIconId_; }
    uint16_t NextCursorId() { return ++lastCursorId_; }

private:
    std::vector<Resource> items_;
    std::map<std::pair<ResourceId, ResourceId>, Location> seen_;
    uint16_t lastIconId_ = 0;
    uint16_t lastCursorId_ = 0;
};

}  // namespace rc
