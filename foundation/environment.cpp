#include "foundation/environment.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "foundation/files.h"
#include "foundation/text.h"
#include "platform/winsys/message_box.h"
#include "platform/winsys/services.h"

namespace tamblo {

namespace {

LaunchHook& launchHook() {
    static LaunchHook h;
    return h;
}
ExitHook& exitHook() {
    static ExitHook h;
    return h;
}

std::string slashed(std::string s) {
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

// The file name with its extension; a name without extension keeps no trailing dot.
std::string fileNameOf(TextRef path) {
    PathParts parts;
    parts.split(path);
    DynString out;
    parts.compose("FX", out);
    std::string s = out.str();
    if (parts.extension().isEmpty() && !s.empty() && s.back() == '.') s.pop_back();
    return s;
}

bool sameBytes(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (std::filesystem::file_size(a, ec) != std::filesystem::file_size(b, ec) || ec) return false;
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    if (!fa || !fb) return false;
    return std::equal(std::istreambuf_iterator<char>(fa), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(fb), std::istreambuf_iterator<char>());
}

std::string directoryOf(const std::string& path) {
    std::error_code ec;
    auto p = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
    return p.parent_path().string();
}

}  // namespace

Environment& environment() {
    static Environment e;
    return e;
}

std::string buildDateStamp(TextRef compilerDate) {
    DynString d(compilerDate);
    d.replaceAll(" ", ",");
    while (contains(d, ",,")) d.replaceAll(",,", ",");
    DynString month;
    month.popItemUpper(d);
    DynString months(TextRef("jan,feb,mar,apr,may,jun,jul,aug,sep,oct,nov,dec"));
    int m = 0;
    for (int i = 1; i <= 12; ++i) {
        DynString name;
        name.popItem(months);
        if (name.equals(month)) {
            m = i;
            break;
        }
    }
    int day = popInt(d);
    int year = popInt(d);
    return intTextPadded(year, 4) + intTextPadded(m, 2) + intTextPadded(day, 2);
}

const DynString& buildDate() {
    static DynString stamp(TextRef(buildDateStamp(__DATE__)));
    return stamp;
}

void startUp(TextRef windowTitle) {
    Environment& e = environment();
    e.boxCaption.set(windowTitle);
    // The full path is kept however long it is: a cut path would name another file.
    e.modulePath.set(slashed(winsys::modulePath()));
    DynString line(TextRef(slashed(winsys::commandLine())));
    if (e.modulePath.notEmpty()) line.replaceFirst(e.modulePath, "");
    std::string trimmed = line.str();
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.erase(0, 1);
    e.commandLine.set(trimmed);
    e.buildDate.set(buildDate());
    winsys::Size s = winsys::screenSize();
    e.screenWidth = s.cx;
    e.screenHeight = s.cy;
}

const char* executableSuffix() { return ""; }

bool removeWhenFree(TextRef path, int delayMs) {
    if (!fileExists(path)) return true;
    if (delayMs > 0) winsys::sleepMs(static_cast<std::uint32_t>(delayMs));
    removeFile(path);
    return !fileExists(path);
}

void setLaunchHook(LaunchHook hook) { launchHook() = std::move(hook); }
void setExitHook(ExitHook hook) { exitHook() = std::move(hook); }

bool launch(TextRef programPath, TextRef argumentText, bool wait) {
    std::string program(programPath.view()), arguments(argumentText.view());
    if (launchHook()) return launchHook()(program, arguments, wait);
    return winsys::startProcess(program, arguments, wait);
}

void launchAndExit(TextRef programPath, TextRef argumentText) {
    launch(programPath, argumentText, false);
    if (exitHook()) exitHook()(0);
    else std::exit(0);
}

bool ensureCanonicalName(TextRef baseName, bool allowRelaunch) {
    const Environment& e = environment();
    std::string target(baseName.view());
    const std::string suffix = executableSuffix();
    if (!suffix.empty() && !endsWithNoCase(target, suffix)) target += suffix;
    std::string targetFile = fileNameOf(target);
    std::string currentFile = fileNameOf(e.modulePath);

    // A copy started by a relaunch removes the program it replaces, but only a file that really
    // is a copy of this program, beside it: the argument must never make us delete anything else.
    DynString args(e.commandLine);
    std::vector<char> buffer(args.view().begin(), args.view().end());
    buffer.push_back('\0');
    if (stripPrefix(buffer.data(), "killexe=") && buffer[0] != '\0') {
        std::string old = buffer.data();
        std::string module = e.modulePath.str();
        std::error_code ec;
        bool isSelf = std::filesystem::equivalent(old, module, ec);
        if (!isSelf && fileExists(old) && directoryOf(old) == directoryOf(module) && sameBytes(old, module))
            removeWhenFree(old, 300);
    }

    if (equalsNoCase(currentFile, targetFile)) return true;
    if (!allowRelaunch || e.modulePath.isEmpty()) return false;
    // Copy the running program itself (wherever it was started from) into the current folder.
    if (!copyFile(e.modulePath, targetFile) || !fileExists(targetFile)) return false;
    std::error_code ec;
    std::filesystem::permissions(targetFile, std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                                                 std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add, ec);
    std::string targetPath = std::filesystem::absolute(targetFile, ec).string();
    launchAndExit(targetPath, "killexe=" + e.modulePath.str());
    return true;
}

namespace {
int showBox(TextRef text, unsigned flags) {
    winsys::BoxResult r = winsys::messageBox(winsys::WindowHandle{}, text.view(), environment().boxCaption.view(),
                                             winsys::boxStyleFromFlags(flags));
    return static_cast<int>(r);
}
}  // namespace

int inform(TextRef text, unsigned style) { return showBox(text, style == 0 ? 0x1030u : (style | 0x1000u)); }

bool askYesNo(TextRef text, unsigned style) {
    return showBox(text, style == 0 ? 0x1024u : (style | 0x1004u)) == static_cast<int>(winsys::BoxResult::Yes);
}

bool askOkCancel(TextRef text, unsigned style) {
    return showBox(text, style == 0 ? 0x1021u : (style | 0x1001u)) == static_cast<int>(winsys::BoxResult::Ok);
}

}  // namespace tamblo
