// Message boxes: modal top-level windows of the layer with a text, an icon and buttons labelled
// in the system's language. A box runs its own message loop: other windows keep receiving
// paints, timers and mouse messages while it is open (only its owner, when given, is disabled).
#pragma once

#include "platform/winsys/window.h"

#include <string>
#include <string_view>
#include <vector>

namespace winsys {

enum class BoxButtons { Ok, OkCancel, YesNo };
enum class BoxIcon { None, Information, Question, Exclamation, Stop };
// The button pressed (values as the game compares them).
enum class BoxResult { None = 0, Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct BoxStyle {
    BoxButtons buttons = BoxButtons::Ok;
    BoxIcon icon = BoxIcon::None;
    int defaultButton = 0;  // 0 for the first button, 1 for the second
    bool systemModal = false;
};

// The classic style flags: 0x0 OK, 0x1 OK/Cancel, 0x4 Yes/No; 0x10 stop, 0x20 question,
// 0x30 exclamation, 0x40 information; 0x100 second button default; 0x1000 system modal.
// Other button kinds fall back to OK.
BoxStyle boxStyleFromFlags(unsigned flags);

enum class BoxLanguage { English, French };
// French when the locale (LC_ALL, LC_MESSAGES, LANG: the first that is set and not empty)
// starts with "fr"; English otherwise.
BoxLanguage boxLanguage();
std::string buttonLabel(BoxResult button, BoxLanguage language);

// Shows the box, waits for an answer and returns it. Enter presses the default button, Escape
// and the close box give Cancel (OK/Cancel), No (Yes/No) or OK. When the loop ends by quit
// (the quit is passed on to the outer loop) or a forced stop, the answer is that same one.
BoxResult messageBox(WindowHandle owner, std::string_view text, std::string_view caption, const BoxStyle& style);

// What tests and drivers see of an open box.
struct BoxInfo {
    WindowHandle window;
    std::string text;
    std::string caption;
    BoxIcon icon = BoxIcon::None;
    std::vector<BoxResult> buttons;
    std::vector<std::string> labels;
    std::vector<WindowHandle> buttonWindows;
    BoxResult defaultButton = BoxResult::None;
    // The text as laid out: one entry per line shown.
    std::vector<std::string> lines;
};
// Open boxes, the innermost last.
std::vector<BoxInfo> openBoxes();
// Every box shown since the layer started, in order (for the test driver's record).
std::vector<BoxInfo> boxHistory();

// Wraps the text into lines no wider than maxWidth for the font: at the given line breaks,
// then between words, and inside a word that is wider than the line by itself. Every byte of
// the text but the breaking spaces and newlines is on some line.
std::vector<std::string> wrapText(std::string_view text, const Font& font, int maxWidth);

}  // namespace winsys
