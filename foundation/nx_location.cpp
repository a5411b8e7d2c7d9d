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

}  // namespace

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

GSErrCode GetSettingsFolderPath(NX_String& path) {
    IO::Location folder;
    const GSErrCode error =
        IO::FileSystem::GetSpecialLocation(IO::FileSystem::UserPreferences, &folder);
    if (error != NoError) {
        path = NX_String();
        return error;
    }
    LocationToPath(folder, path);
    return path.IsNull() ? IOErr_General : NoError;
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

std::string NativePathOfLocation(const NX_String& locationText) {
    const char* ansi = locationText.GetText();
    const int wideCount = platform::MultiByteToWide(platform::CodePage::Ansi, ansi, -1, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(wideCount), u'\0');
    platform::MultiByteToWide(platform::CodePage::Ansi, ansi, -1, wide.data(), wideCount);
    const int utf8Size =
        platform::WideToMultiByte(platform::CodePage::Utf8, wide.c_str(), -1, nullptr, 0);
    std::string utf8(static_cast<std::size_t>(utf8Size), '\0');
    platform::WideToMultiByte(platform::CodePage::Utf8, wide.c_str(), -1, utf8.data(), utf8Size);
    utf8.resize(utf8.empty() ? 0 : utf8.size() - 1);
    return platform::NativePathFromLocationText(utf8);
}
