#include "shell/documents.h"

#include <string>

#include "foundation/nx_files.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "foundation/nx_location.h"
#include "platform/shell_open.h"
#include "resources/resource_ids.h"

namespace {

constexpr short kUnknownDocumentText = 28;
// The shell is given at most this many characters of a path.
constexpr int kShellPathLength = 319;

const char* DocumentName(ShippedDocument document) {
    switch (document) {
        case ShippedDocument::UserGuide:
            return "Velmora User Manual.pdf";
        case ShippedDocument::NewFeatures:
            return "Velmora - New features.pdf";
        case ShippedDocument::License:
            return "SOFTWARE LICENSE.pdf";
    }
    return "";
}

NX_Location DocumentPath(const char* name) {
    IO::Location own;
    if (HostInterface::GetOwnLocation(&own) != NoError) {
        return {};
    }
    const NX_Location module(own);
    if (module.GetExactText().empty()) {
        return {};
    }
    const NX_Location folder = module.Folder();
    return folder.GetExactText().empty() ? NX_Location(name) : folder.Join(name);
}

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, int count) {
    std::size_t end = 0;
    for (int taken = 0; end < text.size() && taken < count; ++taken) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    return text.substr(0, end);
}

}  // namespace

bool OpenDocument(const NX_Location& path) {
    IO::File* file = nullptr;
    const FileResult opened = OpenFile(file, path, IO::File::ReadMode);
    CloseFile(file);
    if (opened != 0) {
        return false;
    }
    platform::OpenFileInShell(FirstCharacters(path.GetExactText(), kShellPathLength));
    return true;
}

void OpenShippedDocument(ShippedDocument document) {
    if (!OpenDocument(DocumentPath(DocumentName(document)))) {
        const NX_String text =
            NX_GetString(static_cast<short>(resource_ids::kGeneralStrings + LanguageIndex),
                         kUnknownDocumentText);
        NX_Alert(-1, nullptr, NX_MakeMessage(text.GetText(), true, ": ", true).GetText(), nullptr);
    }
}
