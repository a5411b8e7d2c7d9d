// The file type manager: the types that modules register, each under the name of its manager.
#include <string>
#include <vector>

#include "acapi/ftm.h"
#include "host/dialog_control.h"
#include "host/io_text.h"

namespace {

struct Registration {
    std::string manager;
    FTM::GroupID group;
    FTM::FileType type;
};

// Identifiers are positions in this list plus one; a registration is never taken back.
std::vector<Registration>& Registrations() {
    static std::vector<Registration> registrations;
    return registrations;
}

bool SameType(const FTM::FileType& a, const FTM::FileType& b) {
    return a.description.IsEqual(b.description) && a.extension.IsEqual(b.extension) &&
           a.creator == b.creator && a.type == b.type && a.iconId == b.iconId;
}

}  // namespace

namespace FTM {

TypeID RegisterFileType(const char* managerName, GroupID group, const FileType& type) {
    if (managerName == nullptr || managerName[0] == '\0' || type.description.GetLength() == 0 ||
        type.extension.GetLength() == 0) {
        return UnknownType;
    }
    std::vector<Registration>& registrations = Registrations();
    for (std::size_t i = 0; i < registrations.size(); ++i) {
        const Registration& entry = registrations[i];
        if (entry.manager == managerName && entry.group == group && SameType(entry.type, type)) {
            return static_cast<TypeID>(i + 1);
        }
    }
    registrations.push_back({managerName, group, type});
    return static_cast<TypeID>(registrations.size());
}

bool GetFileType(TypeID id, FileType* type) {
    const std::vector<Registration>& registrations = Registrations();
    if (id < 1 || static_cast<std::size_t>(id) > registrations.size() || type == nullptr) {
        return false;
    }
    *type = registrations[static_cast<std::size_t>(id) - 1].type;
    return true;
}

}  // namespace FTM

namespace host {

std::vector<FileTypeRegistration> FileTypeRegistrations() {
    std::vector<FileTypeRegistration> list;
    for (const Registration& entry : Registrations()) {
        list.push_back({entry.manager, entry.group, Utf8Of(entry.type.description),
                        Utf8Of(entry.type.extension), entry.type.creator, entry.type.type,
                        entry.type.iconId});
    }
    return list;
}

}  // namespace host
