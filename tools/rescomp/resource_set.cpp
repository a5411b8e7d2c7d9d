#include "resource_set.h"

#include <algorithm>

namespace rescomp {

void ResourceSet::Add(Resource resource) {
    if (const Resource* existing = Find(resource.type, resource.id)) {
        throw CompileError(resource.origin, resource.type + " " + std::to_string(resource.id) +
                                                " is defined twice; first at " +
                                                existing->origin.file + ":" +
                                                std::to_string(existing->origin.line));
    }
    resources_.push_back(std::move(resource));
}

std::vector<Resource> ResourceSet::Sorted() const {
    std::vector<Resource> sorted = resources_;
    std::sort(sorted.begin(), sorted.end(), [](const Resource& a, const Resource& b) {
        return a.type != b.type ? a.type < b.type : a.id < b.id;
    });
    return sorted;
}

const Resource* ResourceSet::Find(const std::string& type, std::int32_t id) const {
    const auto found = std::find_if(resources_.begin(), resources_.end(), [&](const Resource& r) {
        return r.type == type && r.id == id;
    });
    return found == resources_.end() ? nullptr : &*found;
}

}  // namespace rescomp
