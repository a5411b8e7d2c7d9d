#include "shell/documents.h"

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

NX_String DocumentPath(const char* name) {
    IO::Location own;
    NX_String modulePath;
    if (HostInterface::GetOwnLocation(&own) == NoError) {
        LocationToPath(own, modulePath);
    }
    if (modulePath.GetText()[0] == '\0') {
        return NX_String("");
    }
    const int lastSeparator = modulePath.ReverseFind("\\");
    if (lastSeparator < 0) {
        return NX_String(name);
    }
    return modulePath.Mid(0, lastSeparator) + "\\" + name;
}

}  // namespace

bool OpenDocument(const NX_String& path) {
    IO::File* file = nullptr;
    const FileResult opened = OpenFile(file, path.GetText(), IO::File::ReadMode);
    CloseFile(file);
    if (opened != 0) {
        return false;
    }
    const NX_String shellPath = NX_String(path.GetText(), kShellPathLength);
    platform::OpenInShell(shellPath.GetText());
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
