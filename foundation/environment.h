// What the program knows of its surroundings, its own name on disk, and the boxes through which
// every subsystem informs the player or asks a question.
#pragma once

#include <functional>
#include <string>

#include "foundation/dyn_string.h"

namespace tamblo {

struct Environment {
    DynString modulePath;   // the running executable, with "/" separators
    DynString commandLine;  // the argument text, the module path removed
    int screenWidth = 0;
    int screenHeight = 0;
    DynString buildDate;    // yyyymmdd
    DynString boxCaption;   // the window title
};

Environment& environment();

void startUp(TextRef windowTitle);
// yyyymmdd from a compiler date such as "Apr  1 2021"; computed once per run for the build.
std::string buildDateStamp(TextRef compilerDate);
const DynString& buildDate();

// The executable suffix of this platform (none on Linux).
const char* executableSuffix();
// True when the running executable already bears the base name (ignoring case), or when a copy
// under that name was started (and this process is ending).
bool ensureCanonicalName(TextRef baseName, bool allowRelaunch);
bool launch(TextRef programPath, TextRef argumentText, bool wait);
void launchAndExit(TextRef programPath, TextRef argumentText);
bool removeWhenFree(TextRef path, int delayMs);

// Tests replace how processes start and how the program ends.
using LaunchHook = std::function<bool(const std::string& program, const std::string& arguments, bool wait)>;
using ExitHook = std::function<void(int code)>;
void setLaunchHook(LaunchHook hook);
void setExitHook(ExitHook hook);

int inform(TextRef text, unsigned style = 0);
bool askYesNo(TextRef text, unsigned style = 0);
bool askOkCancel(TextRef text, unsigned style = 0);

}  // namespace tamblo
