// System services: clock, sleep, beeps, screen metrics, the program's own path and command
// line, file copy, process start, system colours and icons.
#pragma once

#include "platform/winsys/types.h"
#include "platform/winsys/window.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace winsys {

// Milliseconds, unsigned 32-bit, wrapping; differences are taken in unsigned arithmetic.
std::uint32_t tickCount();
// Takes its time on the clock (the headless clock is virtual: no real waiting).
void sleepMs(std::uint32_t ms);
// A tone of the frequency (37 to 32767 Hz) for the duration; returns after the tone. False,
// silently and at once, for a frequency outside that range.
bool beep(std::uint32_t frequency, std::uint32_t durationMs);

Size screenSize();
// The screen less what the desktop keeps for itself (a taskbar).
Rect workArea();

// Kept at start: argv[0] is the program, the rest its arguments.
void setProgramArguments(int argc, const char* const* argv);
// Full path of the running executable (from /proc/self/exe); empty when it cannot be read.
std::string modulePath();
// The program's arguments (without the program itself) joined by single spaces, so a process
// started with one argument text sees exactly that text.
std::string commandLine();
std::vector<std::string> programArguments();

// Copies contents and permissions. With failIfExists an existing target makes it fail.
bool copyFile(const std::string& from, const std::string& to, bool failIfExists);
// Starts the program with the argument text as its one argument (none when empty). With wait,
// returns when the process has ended. False when it could not be started.
bool startProcess(const std::string& program, std::string_view argumentText, bool wait);

enum class SystemColour { ButtonFace, ButtonText, ButtonShadow, ButtonHighlight, Window, WindowText, Caption, CaptionText };
Colour systemColour(SystemColour which);

enum class SystemIcon { Application, Information, Question, Exclamation, Stop };
IconHandle loadSystemIcon(SystemIcon which);
// The kind behind an icon handle (Application for unknown ones).
SystemIcon iconKind(IconHandle icon);

}  // namespace winsys
