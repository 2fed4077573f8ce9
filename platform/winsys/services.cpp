// System services over the backend and the operating system.
#include "platform/winsys/services.h"

#include "platform/winsys/backend.h"

#include <cerrno>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace winsys {
namespace {

std::vector<std::string>& arguments() {
    static std::vector<std::string> args;
    return args;
}

}  // namespace

std::uint32_t tickCount() { return backend().ticks(); }

void sleepMs(std::uint32_t ms) { backend().sleep(ms); }

bool beep(std::uint32_t frequency, std::uint32_t durationMs) {
    if (frequency < 37 || frequency > 32767) return false;
    backend().beep(frequency, durationMs);
    return true;
}

Size screenSize() { return backend().screenSize(); }

Rect workArea() { return backend().workArea(); }

void setProgramArguments(int argc, const char* const* argv) {
    auto& args = arguments();
    args.clear();
    for (int i = 1; argv && i < argc; ++i) {
        if (argv[i]) args.emplace_back(argv[i]);
    }
}

std::string modulePath() {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

std::string commandLine() {
    std::string out;
    for (const std::string& a : arguments()) {
        if (!out.empty()) out += ' ';
        out += a;
    }
    return out;
}

std::vector<std::string> programArguments() { return arguments(); }

bool copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    std::error_code ec;
    if (from.empty() || to.empty()) return false;
    if (!std::filesystem::is_regular_file(from, ec)) return false;
    if (std::filesystem::equivalent(from, to, ec)) return false;
    auto options = failIfExists ? std::filesystem::copy_options::none : std::filesystem::copy_options::overwrite_existing;
    ec.clear();
    bool copied = std::filesystem::copy_file(from, to, options, ec);
    if (ec || !copied) return false;
    std::filesystem::permissions(to, std::filesystem::status(from, ec).permissions(), ec);
    return true;
}

bool startProcess(const std::string& program, std::string_view argumentText, bool wait) {
    if (program.empty()) return false;
    std::string arg(argumentText);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    if (!arg.empty()) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
    if (wait) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    return true;
}

Colour systemColour(SystemColour which) {
    switch (which) {
    case SystemColour::ButtonFace: return rgb(240, 240, 240);
    case SystemColour::ButtonText: return rgb(0, 0, 0);
    case SystemColour::ButtonShadow: return rgb(160, 160, 160);
    case SystemColour::ButtonHighlight: return rgb(255, 255, 255);
    case SystemColour::Window: return rgb(255, 255, 255);
    case SystemColour::WindowText: return rgb(0, 0, 0);
    case SystemColour::Caption: return rgb(0, 84, 153);
    case SystemColour::CaptionText: return rgb(255, 255, 255);
    }
    return rgb(240, 240, 240);
}

IconHandle loadSystemIcon(SystemIcon which) { return IconHandle{static_cast<std::uint32_t>(which) + 1}; }

SystemIcon iconKind(IconHandle icon) {
    if (icon.value >= 1 && icon.value <= 5) return static_cast<SystemIcon>(icon.value - 1);
    return SystemIcon::Application;
}

}  // namespace winsys
