#include "tools/velmora-host/session.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "acapi/dg.h"
#include "host/dialog_control.h"
#include "host/dialog_render.h"
#include "host/host_control.h"
#include "platform/module_self.h"
#include "platform/utf8_path.h"
#include "tools/velmora-host/module_clock.h"
#include "tools/velmora-host/report.h"
#include "tools/velmora-host/shell_interception.h"

namespace velmora_host {

namespace {

constexpr const char* kHubMenuTitle = "Velmora";

std::string AbsoluteFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(platform::PathOfUtf8(path), error);
    return platform::Utf8OfPath(absolute.lexically_normal());
}

std::string Hex(long value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value) & 0xFFFFFFFFUL);
    return text;
}

// Words separated by blanks; a text in double quotes is one word.
std::optional<std::vector<Word>> Words(const std::string& line) {
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ' || line[at] == '\t') {
            ++at;
        } else if (line[at] == '"') {
            const std::size_t end = line.find('"', at + 1);
            if (end == std::string::npos) {
                return std::nullopt;
            }
            words.push_back({line.substr(at + 1, end - at - 1), true});
            at = end + 1;
        } else {
            const std::size_t end = line.find_first_of(" \t", at);
            words.push_back({line.substr(at, end - at), false});
            at = end == std::string::npos ? line.size() : end;
        }
    }
    return words;
}

// The host quits, restarts or loses a module only once the user has left every modal dialog:
// the module's code must not go while one of its dialogs runs.
bool EndsModules(const std::string& line) {
    const std::string command = line.substr(0, line.find_first_of(" \t"));
    return command == "quit" || command == "restart" || command == "unload";
}

template <typename Integer>
std::optional<Integer> Number(const Word& word) {
    Integer value{};
    const char* end = word.text.data() + word.text.size();
    const auto [stop, error] = std::from_chars(word.text.data(), end, value);
    if (word.quoted || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// "handles N of B bytes, pointers N of B bytes, threads N, files N, windows N"
std::string CountsText(const host::ModuleLeaks& counts) {
    return "handles " + std::to_string(counts.handles) + " of " +
           std::to_string(counts.handleBytes) + " bytes, pointers " +
           std::to_string(counts.pointers) + " of " + std::to_string(counts.pointerBytes) +
           " bytes, threads " + std::to_string(counts.threads) + ", files " +
           std::to_string(counts.files) + ", windows " + std::to_string(counts.windows);
}

const std::map<std::string, host::FileOperation> kFileOperations = {
    {"open", host::FileOperation::Open},     {"write", host::FileOperation::Write},
    {"rename", host::FileOperation::Rename}, {"delete", host::FileOperation::Delete},
    {"close", host::FileOperation::Close},
};

// A session's files for another session are named as the script names them: relative to the
// current folder, or starting with <user>.
void MakeEmptyFile(const std::filesystem::path& path) {
    std::ofstream(path, std::ios::binary).close();
}

std::string DefaultAddonsFolder() {
    const std::string runner = platform::OwnModulePath();
    return platform::Utf8OfPath(platform::PathOfUtf8(runner).parent_path() / "addons");
}

}  // namespace

Session::Session(const Options& options, std::istream& script, std::FILE* output)
    : options_(options), script_(script) {
    out_.WriteTo(output);
    commands_ = {
        {"menu", &Session::Menu},
        {"handlers", &Session::Handlers},
        {"choose", &Session::Choose},
        {"dialogs", &Session::Dialogs},
        {"click", &Session::Click},
        {"select", &Session::Select},
        {"close", &Session::Close},
        {"save-as", &Session::SaveAs},
        {"cancel", &Session::Cancel},
        {"answer", &Session::Answer},
        {"wait", &Session::Wait},
        {"files", &Session::Files},
        {"downloads", &Session::Downloads},
        {"unload", &Session::Unload},
        {"restart", &Session::Restart},
        {"quit", &Session::Quit},
        {"popup", &Session::Select},
        {"host-hide", &Session::HostHide},
        {"host-show", &Session::HostShow},
        {"host-disable", &Session::HostDisable},
        {"host-enable", &Session::HostEnable},
        {"file-fault", &Session::FileFault},
        {"file-calls", &Session::FileCalls},
        {"host-fault", &Session::HostFault},
        {"conversions", &Session::Conversions},
        {"holdings", &Session::Holdings},
        {"screenshot", &Session::Screenshot},
        {"screenshot-all", &Session::ScreenshotAll},
        {"pixels", &Session::Pixels},
        {"signal", &Session::Signal},
        {"wait-for", &Session::WaitFor},
        {"copy", &Session::Copy},
    };
    if (!options_.userFolder.empty()) {
        host::SetUserFolder(AbsoluteFolder(options_.userFolder));
    }
    userFolder_ = host::UserFolder();
    out_.NameFolder("<user>", userFolder_);
    out_.NameFolder("<addons>",
                    AbsoluteFolder(options_.addonsFolder.empty() ? DefaultAddonsFolder()
                                                                 : options_.addonsFolder));
    host::SetEnvironment({options_.applicationCode, options_.mainVersion, 0});
    host::SetAlertHandler(
        [this](const std::string& title, const std::string& large, const std::string& small) {
            out_.Drain();
            out_.Line("ALERT: " + ShowLineBreaks(title) + " | " +
                      ShowLineBreaks(small.empty() ? large : large + "\n" + small));
            const short button = nextAlertButton_;
            nextAlertButton_ = 1;
            return button;
        });
    host::SetFileDialogObserver([this](const host::FileDialogInfo& dialog) {
        out_.Drain();
        std::string line = dialog.kind == DG_FILEDIALOG_SAVE
                               ? "SAVE DIALOG: "
                               : "FILE DIALOG " + std::to_string(dialog.kind) + ": ";
        line += dialog.title + " | filters: ";
        for (std::size_t i = 0; i < dialog.filters.size(); ++i) {
            line += (i == 0 ? "" : ", ") + dialog.filters[i];
        }
        if (!dialog.folder.empty()) {
            line += " | folder: " + dialog.folder;
        }
        out_.Line(line + " | name: " + dialog.proposedName);
    });
    host::SetModalDriver([this] { return Step(true); });
    host::SetUnloadObserver([this](const std::string& addon, const host::ModuleLeaks& leaks) {
        ShowLeaks(addon, leaks);
    });
    if (options_.traceEntryPoints) {
        host::SetEntryPointObserver(
            [this](const std::string& addon, const std::string& entryPoint, long result) {
                out_.Drain();
                out_.Line("ENTRY: " + addon + " " + entryPoint + " -> " + std::to_string(result) +
                          " | user folder: " + FileNames(userFolder_));
            });
    }
    if (!options_.reallyOpen) {
        InterceptShellOpens();
    }
    if (options_.date) {
        SetModulesDate(options_.date->year, options_.date->month, options_.date->day);
    }
}

Session::~Session() {
    host::SetModalDriver(nullptr);
    host::SetAlertHandler(nullptr);
    host::SetFileDialogObserver(nullptr);
    host::SetEntryPointObserver(nullptr);
    host::SetUnloadObserver(nullptr);
}

bool Session::Run() {
    LoadAddons();
    while (Step(false)) {
    }
    if (!quitting_) {
        UnloadAddons();
    }
    return !failed_;
}

void Session::LoadAddons() {
    const std::string folder = out_.ExpandFolders("<addons>");
    for (const host::LoadResult& result : host::LoadAddonsFrom(folder)) {
        out_.Drain();
        if (result.problem.empty()) {
            InterceptShellOpensOf(host::AddonNativePath(result.name));
            InterceptClockOf(host::AddonNativePath(result.name));
            out_.Line("LOADED " + result.name);
        } else {
            out_.Line("NOT LOADED " + result.name + ": " + result.problem);
        }
    }
    out_.Drain();
}

void Session::UnloadAddons() {
    host::UnloadAll();
    out_.Drain();
}

bool Session::Step(bool insideModal) {
    std::string line;
    if (heldLine_) {
        line = *heldLine_;
        heldLine_.reset();
    } else {
        while (true) {
            if (!std::getline(script_, line)) {
                return false;
            }
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            const std::size_t first = line.find_first_not_of(" \t");
            if (first != std::string::npos && line[first] != '#') {
                line.erase(0, first);
                break;
            }
        }
    }
    if (insideModal && EndsModules(line)) {
        heldLine_ = line;
        return false;
    }
    Execute(line);
    return !quitting_;
}

void Session::Execute(const std::string& line) {
    out_.Line("> " + line);
    const std::optional<std::vector<Word>> words = Words(line);
    if (!words || words->empty()) {
        Fail("a quotation mark is not closed");
        return;
    }
    const auto command = commands_.find(words->front().text);
    if (command == commands_.end()) {
        Fail("unknown command " + words->front().text);
        return;
    }
    (this->*(command->second))({words->begin() + 1, words->end()});
    out_.Drain();
}

void Session::Fail(const std::string& problem) {
    out_.Drain();
    out_.Line("ERROR: " + problem);
    failed_ = true;
}

std::optional<short> Session::DialogArgument(const std::vector<Word>& arguments,
                                             std::size_t index) {
    if (index < arguments.size()) {
        const std::optional<short> id = Number<short>(arguments[index]);
        if (!id) {
            Fail("not a dialog id: " + arguments[index].text);
        }
        return id;
    }
    // The front dialog is the front one the user sees: a hidden window, as the update results
    // while a check runs, is never in front.
    const std::vector<host::DialogInfo> dialogs = host::OpenDialogs();
    const auto front = std::ranges::find_if(dialogs, &host::DialogInfo::visible);
    if (front == dialogs.end()) {
        Fail(dialogs.empty() ? "no dialog is open" : "no dialog is visible");
        return std::nullopt;
    }
    return front->id;
}

std::optional<short> Session::ItemArgument(short dialog, const Word& word) {
    if (!word.quoted) {
        const std::optional<short> item = Number<short>(word);
        if (!item) {
            Fail("not an item number: " + word.text);
        }
        return item;
    }
    for (const host::DialogInfo& info : host::OpenDialogs()) {
        if (info.id != dialog) {
            continue;
        }
        for (const host::DialogItemInfo& item : info.items) {
            if (item.text == word.text) {
                return item.number;
            }
        }
    }
    Fail("no item \"" + word.text + "\" in dialog " + std::to_string(dialog));
    return std::nullopt;
}

void Session::Menu(const std::vector<Word>& /*arguments*/) {
    ShowMenus(out_);
}

void Session::Handlers(const std::vector<Word>& /*arguments*/) {
    ShowMenuHandlers(out_);
}

// "choose N" is item N of the hub's menu; "choose "Title" N" of another menu.
void Session::Choose(const std::vector<Word>& arguments) {
    const bool titled = arguments.size() == 2 && arguments[0].quoted;
    const std::optional<std::int32_t> item =
        arguments.empty() ? std::nullopt : Number<std::int32_t>(arguments.back());
    if (!item || arguments.size() != (titled ? 2U : 1U)) {
        Fail("usage: choose [\"menu title\"] ITEM");
        return;
    }
    const GSErrCode result =
        host::ChooseMenuItem(titled ? arguments[0].text : kHubMenuTitle, *item);
    if (result != NoError) {
        out_.Drain();
        out_.Line("RESULT " + Hex(result));
    }
}

void Session::Dialogs(const std::vector<Word>& /*arguments*/) {
    ShowDialogs(out_);
}

void Session::Click(const std::vector<Word>& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        Fail("usage: click ITEM [DIALOG]");
        return;
    }
    const std::optional<short> dialog = DialogArgument(arguments, 1);
    const std::optional<short> item = dialog ? ItemArgument(*dialog, arguments[0]) : std::nullopt;
    if (item && !host::ClickDialogItem(*dialog, *item)) {
        Fail("item " + arguments[0].text + " cannot be clicked");
    }
}

void Session::Select(const std::vector<Word>& arguments) {
    if (arguments.size() < 2 || arguments.size() > 3) {
        Fail("usage: select ITEM N [DIALOG]");
        return;
    }
    const std::optional<short> entry = Number<short>(arguments[1]);
    const std::optional<short> dialog = DialogArgument(arguments, 2);
    const std::optional<short> item = dialog ? ItemArgument(*dialog, arguments[0]) : std::nullopt;
    if (item && (!entry || !host::SelectDialogItem(*dialog, *item, *entry))) {
        Fail("entry " + arguments[1].text + " of item " + arguments[0].text +
             " cannot be selected");
    }
}

void Session::Close(const std::vector<Word>& arguments) {
    const std::optional<short> dialog = DialogArgument(arguments, 0);
    if (dialog && !host::CloseDialogBox(*dialog)) {
        Fail("dialog " + std::to_string(*dialog) + " cannot be closed");
    }
}

void Session::SaveAs(const std::vector<Word>& arguments) {
    if (arguments.size() != 1) {
        Fail("usage: save-as PATH");
        return;
    }
    host::AnswerNextFileDialog(true, out_.ExpandFolders(arguments[0].text));
}

void Session::Cancel(const std::vector<Word>& /*arguments*/) {
    host::AnswerNextFileDialog(false, "");
}

void Session::Answer(const std::vector<Word>& arguments) {
    const std::optional<short> button =
        arguments.size() == 1 ? Number<short>(arguments[0]) : std::nullopt;
    if (!button || *button < 1 || *button > 3) {
        Fail("usage: answer BUTTON (1 to 3)");
        return;
    }
    nextAlertButton_ = *button;
}

// Without a time, the queue runs until no module thread runs and it is empty, so that every
// download has ended and every completion it posted has run; with one, it keeps running for that
// long, for work that other threads hand to the main thread later. "wait threads" only waits for
// the threads to end: what they posted stays queued, as when the main loop is busy meanwhile.
void Session::Wait(const std::vector<Word>& arguments) {
    if (arguments.size() == 1 && arguments[0].text == "threads" && !arguments[0].quoted) {
        if (!WaitForThreadsToEnd()) {
            Fail("module threads still running after 60 s");
        }
        return;
    }
    if (arguments.empty()) {
        constexpr auto kLongest = std::chrono::seconds(60);
        const auto until = std::chrono::steady_clock::now() + kLongest;
        while (true) {
            while (host::RunMainThreadQueue() > 0) {
            }
            if (host::RunningThreadCount() == 0) {
                // A thread may have posted its completion just before it ended.
                while (host::RunMainThreadQueue() > 0) {
                }
                return;
            }
            if (std::chrono::steady_clock::now() >= until) {
                Fail("downloads still running after 60 s");
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    const std::optional<double> seconds =
        arguments.size() == 1 ? Number<double>(arguments[0]) : std::nullopt;
    if (!seconds || *seconds < 0) {
        Fail("usage: wait [SECONDS | threads]");
        return;
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(*seconds);
    while (true) {
        while (host::RunMainThreadQueue() > 0) {
        }
        if (std::chrono::steady_clock::now() >= until) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool Session::WaitForThreadsToEnd() {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (host::RunningThreadCount() != 0) {
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void Session::Files(const std::vector<Word>& /*arguments*/) {
    ShowFiles(out_, userFolder_);
}

void Session::Downloads(const std::vector<Word>& /*arguments*/) {
    ShowDownloads(out_, userFolder_);
}

void Session::Unload(const std::vector<Word>& arguments) {
    if (arguments.size() != 1 || !host::UnloadAddon(arguments[0].text)) {
        Fail("usage: unload NAME (a loaded module)");
    }
}

void Session::HostHide(const std::vector<Word>& /*arguments*/) {
    host::SendToModelessWindows(APIPalMsg_HidePalette_Begin);
}

void Session::HostShow(const std::vector<Word>& /*arguments*/) {
    host::SendToModelessWindows(APIPalMsg_HidePalette_End);
}

void Session::HostDisable(const std::vector<Word>& /*arguments*/) {
    host::SendToModelessWindows(APIPalMsg_DisableItems_Begin);
}

void Session::HostEnable(const std::vector<Word>& /*arguments*/) {
    host::SendToModelessWindows(APIPalMsg_DisableItems_End);
}

// "screenshot [ID] FILE": the dialog (the front one without an id) as a PNG file.
void Session::Screenshot(const std::vector<Word>& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        Fail("usage: screenshot [DIALOG] FILE.png");
        return;
    }
    const std::optional<short> dialog =
        arguments.size() == 2 ? DialogArgument(arguments, 0) : DialogArgument({}, 0);
    if (dialog) {
        WriteScreenshot(*dialog, arguments.back().text);
    }
}

// "screenshot-all FOLDER": every open dialog, named by its resource number (and its dialog id
// after a dash when two dialogs share one).
void Session::ScreenshotAll(const std::vector<Word>& arguments) {
    if (arguments.size() != 1) {
        Fail("usage: screenshot-all FOLDER");
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(platform::PathOfUtf8(out_.ExpandFolders(arguments[0].text)),
                                        error);
    const std::vector<host::DialogInfo> dialogs = host::OpenDialogs();
    for (const host::DialogInfo& dialog : dialogs) {
        const auto shared = std::ranges::count_if(dialogs, [&](const host::DialogInfo& other) {
            return other.resourceId == dialog.resourceId;
        });
        const std::string name = std::to_string(dialog.resourceId) +
                                 (shared > 1 ? "-" + std::to_string(dialog.id) : "") + ".png";
        WriteScreenshot(dialog.id, arguments[0].text + "/" + name);
    }
}

// "pixels ITEM [ID]": the colours that the module paints a user-drawn item with when the dialog
// is shown, each as 0xAARRGGBB with its number of pixels, in the order they first appear.
void Session::Pixels(const std::vector<Word>& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        Fail("usage: pixels ITEM [DIALOG]");
        return;
    }
    const std::optional<short> dialog = DialogArgument(arguments, 1);
    const std::optional<short> item = dialog ? ItemArgument(*dialog, arguments[0]) : std::nullopt;
    if (!item) {
        return;
    }
    host::CaptureDialog(*dialog);
    std::int32_t width = 0;
    std::int32_t height = 0;
    const std::vector<std::uint32_t> pixels = host::UserItemPixels(*dialog, *item, &width, &height);
    if (pixels.empty()) {
        Fail("item " + arguments[0].text + " is not drawn by its module");
        return;
    }
    std::vector<std::pair<std::uint32_t, std::size_t>> colours;
    for (const std::uint32_t pixel : pixels) {
        const auto known =
            std::ranges::find(colours, pixel, &std::pair<std::uint32_t, std::size_t>::first);
        if (known == colours.end()) {
            colours.emplace_back(pixel, 1);
        } else {
            ++known->second;
        }
    }
    std::string line = "PIXELS " + std::to_string(*item) + " " + std::to_string(width) + "x" +
                       std::to_string(height) + ":";
    for (const auto& [colour, count] : colours) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08X", colour);
        line += " " + std::string(hex) + " " + std::to_string(count);
    }
    out_.Line(line);
}

// `file` as the script names it, perhaps with <user>.
void Session::WriteScreenshot(short dialog, const std::string& file) {
    const std::optional<host::Pixmap> picture = host::CaptureDialog(dialog);
    if (!picture) {
        Fail("no dialog " + std::to_string(dialog));
    } else if (!host::WritePngFile(out_.ExpandFolders(file), *picture)) {
        Fail("cannot write " + file);
    }
}

// As when the host is quit and started again with the same user folder.
void Session::Restart(const std::vector<Word>& /*arguments*/) {
    UnloadAddons();
    LoadAddons();
}

void Session::Quit(const std::vector<Word>& /*arguments*/) {
    UnloadAddons();
    quitting_ = true;
}

// Only a module that left something behind is named.
void Session::ShowLeaks(const std::string& addon, const host::ModuleLeaks& leaks) {
    if (leaks.handles == 0 && leaks.pointers == 0 && leaks.threads == 0 && leaks.files == 0 &&
        leaks.windows == 0) {
        return;
    }
    out_.Drain();
    out_.Line("LEAKS " + addon + ": " + CountsText(leaks));
}

// What every loaded module holds now, counted as at an unload, and the host's live allocations
// over all modules, so that a long session can be watched for growth.
void Session::Holdings(const std::vector<Word>& /*arguments*/) {
    for (const std::string& addon : host::LoadedAddonNames()) {
        out_.Line("HOLDINGS " + addon + ": " + CountsText(host::CurrentHoldings(addon)));
    }
    const host::LiveCounts live = host::CountLiveAllocations();
    out_.Line("LIVE: handles " + std::to_string(live.handles) + ", pointers " +
              std::to_string(live.pointers) + ", objects " + std::to_string(live.objects) +
              ", arrays " + std::to_string(live.arrays));
}

// "file-fault open|write|rename|delete|close N": the Nth such call from now fails; "file-fault disk
// N": writes fail once N more bytes are written; with "kill" first, the process ends there instead;
// "file-fault off" clears every fault.
void Session::FileFault(const std::vector<Word>& arguments) {
    if (arguments.size() == 1 && arguments[0].text == "off") {
        host::ClearFileFaults();
        return;
    }
    if (!arguments.empty() && arguments[0].text == "pause") {
        PauseFileCall(arguments);
        return;
    }
    const bool kill = !arguments.empty() && arguments[0].text == "kill";
    const std::size_t at = kill ? 1 : 0;
    const std::optional<std::int64_t> count =
        arguments.size() == at + 2 ? Number<std::int64_t>(arguments[at + 1]) : std::nullopt;
    const std::string what = count ? arguments[at].text : "";
    const auto operation = kFileOperations.find(what);
    if (count && *count >= 0 && what == "disk") {
        if (kill) {
            host::EndProcessAfterBytes(*count);
        } else {
            host::FailWritesAfterBytes(*count);
        }
    } else if (count && *count > 0 && operation != kFileOperations.end()) {
        if (kill) {
            host::EndProcessAtFileCall(operation->second, *count);
        } else {
            host::FailFileCall(operation->second, *count);
        }
    } else {
        Fail(
            "usage: file-fault [kill] open|write|rename|delete|close N, "
            "file-fault [kill] disk BYTES, file-fault pause open|write|rename|delete|close N NAME "
            "SECONDS, file-fault off");
    }
}

// "host-fault OPERATION N [odd]": the Nth call of the host operation from now on fails, or gives
// its odd answer; "host-fault off" clears every such answer.
void Session::HostFault(const std::vector<Word>& arguments) {
    if (arguments.size() == 1 && arguments[0].text == "off") {
        host::ClearHostAnswers();
        return;
    }
    const bool odd = arguments.size() == 3 && arguments[2].text == "odd";
    const std::optional<std::int64_t> call =
        arguments.size() == 2 || odd ? Number<std::int64_t>(arguments[1]) : std::nullopt;
    if (!call || !host::SetHostAnswer(arguments[0].text, *call,
                                      odd ? host::HostAnswer::Odd : host::HostAnswer::Failure)) {
        std::string names;
        for (const std::string& name : host::HostOperationNames()) {
            names += " " + name;
        }
        Fail("usage: host-fault OPERATION N [odd], host-fault off; operations:" + names);
    }
}

void Session::FileCalls(const std::vector<Word>& /*arguments*/) {
    const host::FileCallCounts calls = host::CountFileCalls();
    out_.Line("FILE CALLS: open " + std::to_string(calls.opens) + ", write " +
              std::to_string(calls.writes) + ", rename " + std::to_string(calls.renames) +
              ", delete " + std::to_string(calls.deletes) + ", bytes " +
              std::to_string(calls.writtenBytes));
}

void Session::Signal(const std::vector<Word>& arguments) {
    if (arguments.size() != 1) {
        Fail("usage: signal NAME");
        return;
    }
    MakeEmptyFile(platform::PathOfUtf8(out_.ExpandFolders(arguments[0].text)));
}

// The main-thread queue runs meanwhile, as the host's main loop runs while the user waits.
void Session::WaitFor(const std::vector<Word>& arguments) {
    if (arguments.size() != 1) {
        Fail("usage: wait-for NAME");
        return;
    }
    const std::filesystem::path path = platform::PathOfUtf8(out_.ExpandFolders(arguments[0].text));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::error_code error;
    while (!std::filesystem::exists(path, error)) {
        while (host::RunMainThreadQueue() > 0) {
        }
        if (std::chrono::steady_clock::now() >= until) {
            Fail("no " + arguments[0].text + " after 60 s");
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// The bytes are written into the file in place (emptied first), as an editor or another tool
// writes it.
void Session::Copy(const std::vector<Word>& arguments) {
    std::ifstream from;
    std::ofstream to;
    if (arguments.size() == 2) {
        from.open(platform::PathOfUtf8(out_.ExpandFolders(arguments[0].text)), std::ios::binary);
        if (from) {  // a source that cannot be read leaves the target as it was
            to.open(platform::PathOfUtf8(out_.ExpandFolders(arguments[1].text)),
                    std::ios::binary | std::ios::trunc);
        }
    }
    // Streaming an empty file in counts as a failed write: an empty one is copied by truncating.
    const bool empty = from && from.peek() == std::ifstream::traits_type::eof();
    if (!from || !to || (!empty && !(to << from.rdbuf())) || !to.flush()) {
        Fail("usage: copy FROM TO (a file that can be read, a place that can be written)");
    }
}

// The module's call stops for SECONDS before it does anything, once it has made the file NAME, so
// that another session can act while this one is in the middle of its work.
void Session::PauseFileCall(const std::vector<Word>& arguments) {
    const auto operation =
        arguments.size() == 5 ? kFileOperations.find(arguments[1].text) : kFileOperations.end();
    const std::optional<std::int64_t> call =
        arguments.size() == 5 ? Number<std::int64_t>(arguments[2]) : std::nullopt;
    const std::optional<double> seconds =
        arguments.size() == 5 ? Number<double>(arguments[4]) : std::nullopt;
    if (operation == kFileOperations.end() || !call || *call <= 0 || !seconds || *seconds < 0) {
        Fail("usage: file-fault pause open|write|rename|delete|close N NAME SECONDS");
        return;
    }
    const std::filesystem::path signal =
        platform::PathOfUtf8(out_.ExpandFolders(arguments[3].text));
    host::PauseAtFileCall(operation->second, *call, [signal, pause = *seconds] {
        MakeEmptyFile(signal);
        std::this_thread::sleep_for(std::chrono::duration<double>(pause));
    });
}

// "conversions": what modules asked the host's picture conversions to decode since the last time.
void Session::Conversions(const std::vector<Word>& /*arguments*/) {
    std::string line = "CONVERSIONS:";
    const std::vector<std::string> asked = host::TakePictureConversions();
    for (std::size_t i = 0; i < asked.size(); ++i) {
        line += (i == 0 ? " " : ", ") + asked[i];
    }
    out_.Line(asked.empty() ? line + " none" : line);
}

}  // namespace velmora_host
