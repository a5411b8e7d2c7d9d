#include <cstring>
#include <new>
#include <string>

#include "acapi/gs_memory.h"
#include "acapi/io.h"
#include "host/io_text.h"
#include "host/module_holdings.h"

namespace IO {

namespace {
char* CopyText(const std::string& text) {
    auto* copy = new char[text.size() + 1];
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}
}  // namespace

Location::Location() : path(CopyText("")) {}
Location::Location(const GS::UniString& text) : path(CopyText(host::Utf8Of(text))) {}
Location::Location(const Location& other) : path(CopyText(other.path)) {}

Location& Location::operator=(const Location& other) {
    if (this != &other) {
        char* copy = CopyText(other.path);
        delete[] path;
        path = copy;
    }
    return *this;
}

Location::~Location() {
    delete[] path;
}

GSErrCode Location::GetStatus() const {
    return path[0] != '\0' ? NoError : IOErr_General;
}

GSErrCode Location::ToPath(GS::UniString* text) const {
    if (text == nullptr || path[0] == '\0') {
        return IOErr_General;
    }
    *text = GS::UniString(path, GS::CC_UTF8);
    return NoError;
}

GSErrCode Location::MoveLastLocalName(GS::UniString* lastName) {
    const std::string text = path;
    const std::size_t separator = text.find_last_of('\\');
    if (separator == std::string::npos || separator + 1 >= text.size()) {
        return IOErr_General;
    }
    if (lastName != nullptr) {
        *lastName = GS::UniString(text.substr(separator + 1).c_str(), GS::CC_UTF8);
    }
    // A drive's root keeps its separator: "C:\a" splits into "C:\" and "a".
    const std::size_t keep = separator == 2 && text[1] == ':' ? separator + 1 : separator;
    char* parent = CopyText(text.substr(0, keep));
    delete[] path;
    path = parent;
    return NoError;
}

GSErrCode Location::AppendToLocal(const GS::UniString& name) {
    std::string text = path;
    if (!text.empty() && text.back() != '\\') {
        text += '\\';
    }
    char* appended = CopyText(text + host::Utf8Of(name));
    delete[] path;
    path = appended;
    return NoError;
}

void* Location::operator new(std::size_t size) {
    const host::TakingFor caller(__builtin_return_address(0));
    return host::HostObjectMemory(size);
}
void Location::operator delete(void* pointer) {
    GS::DeleteOperator(pointer);
}

}  // namespace IO
