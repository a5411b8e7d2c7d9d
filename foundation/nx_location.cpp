#include "foundation/nx_location.h"

#include <vector>

#include "platform/native_path.h"
#include "platform/text_codepage.h"

namespace {

NX_String AnsiOf(const GS::UniString& text) {
    const std::size_t length = text.ToCStr(nullptr, 0, GS::CC_Default);
    std::vector<char> bytes(length + 1, '\0');
    text.ToCStr(bytes.data(), bytes.size(), GS::CC_Default);
    return NX_String(bytes.data());
}

std::string Utf8Of(const GS::UniString& text) {
    const std::size_t length = text.ToCStr(nullptr, 0, GS::CC_UTF8);
    std::vector<char> bytes(length + 1, '\0');
    text.ToCStr(bytes.data(), bytes.size(), GS::CC_UTF8);
    return std::string(bytes.data(), length);
}

// The host's text of a location in UTF-8, one trailing "\" removed; empty on a host error.
std::string ExactTextOf(const IO::Location& location) {
    GS::UniString text;
    if (location.ToPath(&text) != NoError) {
        return {};
    }
    std::string utf8 = Utf8Of(text);
    if (!utf8.empty() && utf8.back() == '\\') {
        utf8.pop_back();
    }
    return utf8;
}

}  // namespace

NX_Location::NX_Location(const char* text)
    : path(text != nullptr ? text : ""), exact(PathToLocation(path.GetText())) {}

NX_Location::NX_Location(const IO::Location& location) : path("") {
    const std::string text = ExactTextOf(location);
    if (text.empty()) {
        return;
    }
    const GS::UniString wide(text.c_str(), GS::CC_UTF8);
    exact = IO::Location(wide);
    path = AnsiOf(wide);
}

std::string NX_Location::GetExactText() const {
    return ExactTextOf(exact);
}

std::string NX_Location::GetExactName() const {
    const std::string text = GetExactText();
    const std::size_t separator = text.find_last_of('\\');
    return separator == std::string::npos ? text : text.substr(separator + 1);
}

bool NX_Location::IsExactText() const {
    return GS::UniString(path.GetText(), GS::CC_Default)
        .IsEqual(GS::UniString(GetExactText().c_str(), GS::CC_UTF8));
}

NX_Location NX_Location::Join(const char* name) const {
    IO::Location entry = exact;
    entry.AppendToLocal(GS::UniString(name, GS::CC_Default));
    return NX_Location(entry);
}

NX_Location NX_Location::Folder() const {
    IO::Location parent = exact;
    if (parent.MoveLastLocalName(nullptr) != NoError) {
        return {};
    }
    return NX_Location(parent);
}

IO::Location PathToLocation(const char* path) {
    return IO::Location(GS::UniString(path != nullptr ? path : "", GS::CC_Default));
}

void LocationToPath(const IO::Location& location, NX_String& path) {
    GS::UniString text;
    if (location.ToPath(&text) != NoError) {
        path = NX_String();
        return;
    }
    path = AnsiOf(text);
    if (path.EndsWith("\\")) {
        path = path.Mid(0, NX_String::Length(path.GetText()) - 1);
    }
}

GSErrCode GetSettingsFolder(NX_Location& folder) {
    IO::Location location;
    const GSErrCode error =
        IO::FileSystem::GetSpecialLocation(IO::FileSystem::UserPreferences, &location);
    folder = error == NoError ? NX_Location(location) : NX_Location();
    if (error != NoError) {
        return error;
    }
    return folder.GetExactText().empty() ? IOErr_General : NoError;
}

GSErrCode GetSettingsFolderPath(NX_String& path) {
    NX_Location folder;
    GSErrCode error = GetSettingsFolder(folder);
    // A best-fitted text would name another folder: better no path than that one.
    if (error == NoError && !folder.IsExactText()) {
        error = IOErr_General;
    }
    path = error == NoError ? folder.GetPath() : NX_String();
    return error;
}

NX_String JoinPath(const char* folder, const char* name) {
    return NX_String(folder != nullptr ? folder : "") + "\\" + (name != nullptr ? name : "");
}

NX_String GetFileName(const NX_String& path) {
    const int separator = path.ReverseFind("\\");
    return separator < 0 ? path : path.Mid(separator + 1);
}

NX_String GetFileExtension(const NX_String& path) {
    const int dot = path.ReverseFind(".");
    if (dot < 0 || dot < path.ReverseFind("\\")) {
        return NX_String("");
    }
    return path.Mid(dot + 1);
}

NX_String GetFolderPath(const NX_String& path, bool withSeparator) {
    if (path.IsNull()) {
        return {};
    }
    const int separator = path.ReverseFind("\\");
    const NX_String folder = separator < 0 ? NX_String("") : path.Mid(0, separator);
    return withSeparator ? folder + "\\" : folder;
}

std::string NativePathOfLocation(const NX_Location& location) {
    return platform::NativePathFromLocationText(location.GetExactText());
}
