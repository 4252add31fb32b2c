#include "ResourceSet.h"

namespace rc {

void ResourceSet::Add(Resource r)
{
    auto key = std::make_pair(r.type, r.name);
    auto it = seen_.find(key);
    if (it != seen_.end())
        throw RcError(r.loc, "resource " + r.name.Describe() + " of type " + r.type.Describe() +
                                 " is already defined at line " + std::to_string(it->second.line));
    seen_[key] = r.loc;
    items_.push_back(std::move(r));
}

}  // namespace rc
