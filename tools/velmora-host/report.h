// How the runner shows the host's state: menus, menu handlers, dialogs and the user folder.
#pragma once

#include <string>

#include "tools/velmora-host/transcript.h"

namespace velmora_host {

void ShowMenus(const Transcript& out);
void ShowMenuHandlers(const Transcript& out);
void ShowDialogs(const Transcript& out);
// The files of the folder with their sizes, by name.
void ShowFiles(const Transcript& out, const std::string& folderNativePath);
// The modules with running threads ("THREADS name: N"), then the folder's files that are being
// downloaded ("DOWNLOADING name: N bytes", for each "name.download"); "NO DOWNLOADS" when none.
void ShowDownloads(const Transcript& out, const std::string& folderNativePath);
// The file names of the folder on one line, for following it between entry points.
std::string FileNames(const std::string& folderNativePath);

}  // namespace velmora_host
