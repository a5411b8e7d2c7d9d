#include "tools/velmora-host/report.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "host/dialog_control.h"
#include "host/host_control.h"
#include "platform/utf8_path.h"
#include "update/download_file_names.h"

namespace velmora_host {

namespace {

template <typename Integer>
std::string Number(Integer value) {
    return std::to_string(value);
}

const char* KindName(DialogItemKind kind) {
    switch (kind) {
        case DialogItemKind::Button:
            return "button";
        case DialogItemKind::StaticText:
            return "text";
        case DialogItemKind::EmphasisedStaticText:
            return "bold-text";
        case DialogItemKind::List:
            return "list";
        case DialogItemKind::ListWithHeader:
            return "list-with-header";
        case DialogItemKind::PopUp:
            return "popup";
        case DialogItemKind::Icon:
            return "icon";
        case DialogItemKind::Picture:
            return "picture";
        case DialogItemKind::UserItem:
            return "user-item";
        case DialogItemKind::Separator:
            return "separator";
        case DialogItemKind::MultiLineText:
            return "multiline-text";
        case DialogItemKind::IconButton:
            return "icon-button";
    }
    return "unknown";
}

std::string Quoted(const std::string& text) {
    return "\"" + ShowLineBreaks(text) + "\"";
}

std::string ItemStates(const host::DialogItemInfo& item) {
    std::string states;
    if (!item.enabled) {
        states += " disabled";
    }
    if (!item.visible) {
        states += " hidden";
    }
    return states;
}

void ShowListRows(const Transcript& out, const host::DialogItemInfo& item) {
    if (!item.headerTexts.empty()) {
        std::string header = "      header:";
        for (const std::string& text : item.headerTexts) {
            header += " " + Quoted(text);
        }
        out.Line(header);
    }
    for (std::size_t row = 0; row < item.rows.size(); ++row) {
        const bool selected = static_cast<std::size_t>(item.selected) == row + 1;
        std::string line = std::string("    ") + (selected ? '*' : ' ') + " " + Number(row + 1);
        const host::ListRowInfo& info = item.rows[row];
        for (std::size_t field = 0; field < info.texts.size(); ++field) {
            line += " " + Quoted(info.texts[field]);
            if (field < info.icons.size() && info.icons[field] != 0) {
                line += " icon " + Number(info.icons[field]);
            }
        }
        out.Line(line);
    }
}

void ShowPopupItems(const Transcript& out, const host::DialogItemInfo& item) {
    for (std::size_t entry = 0; entry < item.popupItems.size(); ++entry) {
        const bool selected = static_cast<std::size_t>(item.selected) == entry + 1;
        out.Line(std::string("    ") + (selected ? '*' : ' ') + " " + Number(entry + 1) + " " +
                 Quoted(item.popupItems[entry]));
    }
}

void ShowItem(const Transcript& out, const host::DialogItemInfo& item) {
    std::string line = "  " + Number(item.number) + " " + KindName(item.kind) + " (" +
                       Number(item.x) + "," + Number(item.y) + " " + Number(item.width) + "x" +
                       Number(item.height) + ")";
    if (item.resource != 0) {
        line += " resource " + Number(item.resource);
    }
    if (!item.text.empty()) {
        line += " " + Quoted(item.text);
    }
    out.Line(line + ItemStates(item));
    if (item.kind == DialogItemKind::List || item.kind == DialogItemKind::ListWithHeader) {
        ShowListRows(out, item);
    } else if (item.kind == DialogItemKind::PopUp) {
        ShowPopupItems(out, item);
    }
}

struct FileEntry {
    std::string name;
    std::uintmax_t size;
};

std::vector<FileEntry> FilesOf(const std::string& folderNativePath) {
    std::vector<FileEntry> files;
    std::error_code error;
    const std::filesystem::path folder = platform::PathOfUtf8(folderNativePath);
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error)) {
            files.push_back(
                {platform::Utf8OfPath(entry.path().filename()), entry.file_size(error)});
        }
    }
    std::ranges::sort(files, {}, &FileEntry::name);
    return files;
}

}  // namespace

void ShowMenus(const Transcript& out) {
    const std::vector<host::MenuInfo> menus = host::RegisteredMenus();
    if (menus.empty()) {
        out.Line("MENUS none");
    }
    for (const host::MenuInfo& menu : menus) {
        out.Line("MENU " + Number(menu.listId) + " " + Quoted(menu.title) + " of " + menu.addon);
        for (std::size_t index = 0; index < menu.items.size(); ++index) {
            const host::MenuItemInfo& item = menu.items[index];
            const bool checked = (item.flags & API_MenuItemChecked) != 0;
            std::string line =
                "  " + Number(index + 1) + (checked ? " [x] " : " [ ] ") + Quoted(item.text);
            if (!item.secondText.empty()) {
                line += " / " + Quoted(item.secondText);
            }
            if (!item.markup.empty()) {
                line += " markup " + Quoted(item.markup);
            }
            if ((item.flags & API_MenuItemDisabled) != 0) {
                line += " disabled";
            }
            out.Line(line);
        }
    }
}

void ShowMenuHandlers(const Transcript& out) {
    const std::vector<host::MenuHandlerInfo> handlers = host::InstalledMenuHandlers();
    std::string line = "HANDLERS " + Number(handlers.size()) + ":";
    for (const host::MenuHandlerInfo& handler : handlers) {
        line += " " + Number(handler.listId);
    }
    out.Line(line);
}

void ShowDialogs(const Transcript& out) {
    const std::vector<host::DialogInfo> dialogs = host::OpenDialogs();
    if (dialogs.empty()) {
        out.Line("DIALOGS none");
    }
    for (const host::DialogInfo& dialog : dialogs) {
        out.Line("DIALOG " + Number(dialog.id) + " resource " + Number(dialog.resourceId) +
                 (dialog.modal ? " modal " : " modeless ") + Quoted(dialog.title) + " " +
                 Number(dialog.width) + "x" + Number(dialog.height) +
                 (dialog.visible ? "" : " hidden"));
        for (const host::DialogItemInfo& item : dialog.items) {
            ShowItem(out, item);
        }
    }
}

void ShowFiles(const Transcript& out, const std::string& folderNativePath) {
    const std::vector<FileEntry> files = FilesOf(folderNativePath);
    if (files.empty()) {
        out.Line("FILES none");
    }
    for (const FileEntry& file : files) {
        out.Line("FILE " + Quoted(file.name) + " " + Number(file.size) + " bytes");
    }
}

void ShowDownloads(const Transcript& out, const std::string& folderNativePath) {
    constexpr std::string_view kDownloadSuffix = kPartialFileEnding;
    bool any = false;
    for (const std::string& addon : host::LoadedAddonNames()) {
        if (const std::int64_t threads = host::RunningThreadCount(addon); threads > 0) {
            out.Line("THREADS " + addon + ": " + std::to_string(threads));
            any = true;
        }
    }
    for (const FileEntry& file : FilesOf(folderNativePath)) {
        if (file.name.size() > kDownloadSuffix.size() && file.name.ends_with(kDownloadSuffix)) {
            out.Line("DOWNLOADING " +
                     file.name.substr(0, file.name.size() - kDownloadSuffix.size()) + ": " +
                     Number(file.size) + " bytes");
            any = true;
        }
    }
    if (!any) {
        out.Line("NO DOWNLOADS");
    }
}

std::string FileNames(const std::string& folderNativePath) {
    std::string names;
    for (const FileEntry& file : FilesOf(folderNativePath)) {
        names += (names.empty() ? "" : ", ") + file.name;
    }
    return names.empty() ? "none" : names;
}

}  // namespace velmora_host
