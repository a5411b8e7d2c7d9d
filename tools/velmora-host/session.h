// A scripted session: the modules are loaded into the emulated host, then each script line acts
// as the user would, and everything the host and the modules show is written to the transcript.
#pragma once

#include <cstdio>
#include <functional>
#include <istream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/host_control.h"
#include "tools/velmora-host/options.h"
#include "tools/velmora-host/transcript.h"

namespace velmora_host {

struct Word {
    std::string text;
    bool quoted;
};

class Session {
public:
    // The transcript goes to `output`.
    Session(const Options& options, std::istream& script, std::FILE* output);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Runs the script to its end or to "quit"; answers whether every command succeeded.
    bool Run();

private:
    using Command = void (Session::*)(const std::vector<Word>& arguments);

    void LoadAddons();
    void UnloadAddons();
    // Reads and runs the next command. Inside a modal dialog "quit", "restart", "unload" and the
    // script's end leave the dialog to its close box first; answers false when the caller's loop
    // should end.
    bool Step(bool insideModal);
    void Execute(const std::string& line);
    void Fail(const std::string& problem);
    std::optional<short> DialogArgument(const std::vector<Word>& arguments, std::size_t index);
    std::optional<short> ItemArgument(short dialog, const Word& word);

    void Menu(const std::vector<Word>& arguments);
    void Handlers(const std::vector<Word>& arguments);
    void Choose(const std::vector<Word>& arguments);
    void Dialogs(const std::vector<Word>& arguments);
    void Click(const std::vector<Word>& arguments);
    void Select(const std::vector<Word>& arguments);
    void Close(const std::vector<Word>& arguments);
    void SaveAs(const std::vector<Word>& arguments);
    void Cancel(const std::vector<Word>& arguments);
    void Answer(const std::vector<Word>& arguments);
    void Wait(const std::vector<Word>& arguments);
    void Files(const std::vector<Word>& arguments);
    void Downloads(const std::vector<Word>& arguments);
    void Unload(const std::vector<Word>& arguments);
    void Restart(const std::vector<Word>& arguments);
    void Quit(const std::vector<Word>& arguments);
    // The host hides its palettes for a while (begin and end) or greys out their items.
    void HostHide(const std::vector<Word>& arguments);
    void HostShow(const std::vector<Word>& arguments);
    void HostDisable(const std::vector<Word>& arguments);
    void HostEnable(const std::vector<Word>& arguments);
    void FileFault(const std::vector<Word>& arguments);
    void FileCalls(const std::vector<Word>& arguments);
    void Conversions(const std::vector<Word>& arguments);
    void Holdings(const std::vector<Word>& arguments);
    // Two sessions on one user folder meet through files: one makes a file, the other waits for
    // it. A copy writes a file as another program would.
    void Signal(const std::vector<Word>& arguments);
    void WaitFor(const std::vector<Word>& arguments);
    void Copy(const std::vector<Word>& arguments);
    // `file-fault pause OPERATION N NAME SECONDS`.
    void PauseFileCall(const std::vector<Word>& arguments);
    void ShowLeaks(const std::string& addon, const host::ModuleLeaks& leaks);
    // Until no module thread runs, without running the main-thread queue; false after 60 s.
    bool WaitForThreadsToEnd();
    // Dialogs as PNG files.
    void Screenshot(const std::vector<Word>& arguments);
    void ScreenshotAll(const std::vector<Word>& arguments);
    void Pixels(const std::vector<Word>& arguments);
    void WriteScreenshot(short dialog, const std::string& file);

    const Options options_;
    std::istream& script_;
    Transcript out_;
    std::string userFolder_;
    std::map<std::string, Command> commands_;
    std::optional<std::string> heldLine_;
    short nextAlertButton_ = 1;
    bool quitting_ = false;
    bool failed_ = false;
};

}  // namespace velmora_host
