// The resources of one module, each type and number at most once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics.h"

namespace rescomp {

using Bytes = std::vector<unsigned char>;

struct Resource {
    std::string type;  // four characters
    std::int32_t id = 0;
    Bytes payload;
    SourcePosition origin;
};

class ResourceSet {
public:
    // A type and number that is already in the set is a fault at the new resource's origin.
    void Add(Resource resource);
    // Ordered by type, then by number, so that the outputs do not depend on the source order.
    std::vector<Resource> Sorted() const;
    const Resource* Find(const std::string& type, std::int32_t id) const;

private:
    std::vector<Resource> resources_;
};

}  // namespace rescomp
