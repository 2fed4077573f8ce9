// Message boxes: a topmost caption window with icon, wrapped text and buttons, and its own loop.
#include "platform/winsys/message_box.h"

#include "platform/winsys/services.h"
#include "platform/winsys/window_internal.h"

#include <algorithm>
#include <cstdlib>

namespace winsys {

using detail::find;
using detail::state;
using detail::WindowRecord;

namespace {

constexpr int kMargin = 14;
constexpr int kIconSide = 32;
constexpr int kIconGap = 12;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 10;
constexpr int kButtonsAbove = 16;
constexpr std::string_view kBoxClass = "winsys.box";

Font boxFont() { return stockGuiFont(); }

std::vector<BoxResult> buttonsOf(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::OkCancel: return {BoxResult::Ok, BoxResult::Cancel};
    case BoxButtons::YesNo: return {BoxResult::Yes, BoxResult::No};
    case BoxButtons::Ok: break;
    }
    return {BoxResult::Ok};
}

// What Escape, the close box or an ended loop answer.
BoxResult escapeAnswer(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::OkCancel: return BoxResult::Cancel;
    case BoxButtons::YesNo: return BoxResult::No;
    case BoxButtons::Ok: break;
    }
    return BoxResult::Ok;
}

BoxInfo* infoOf(WindowHandle box) {
    for (BoxInfo& info : state().openBoxes) {
        if (info.window == box) return &info;
    }
    return nullptr;
}

BoxButtons buttonsKindOf(const BoxInfo& info) {
    if (info.buttons.size() == 2 && info.buttons[0] == BoxResult::Yes) return BoxButtons::YesNo;
    if (info.buttons.size() == 2) return BoxButtons::OkCancel;
    return BoxButtons::Ok;
}

void drawBoxIcon(DeviceContext& dc, BoxIcon icon, Point at) {
    if (icon == BoxIcon::None) return;
    Rect box{at.x, at.y, at.x + kIconSide, at.y + kIconSide};
    Pen oldPen = dc.select(stockBlackPen());
    Brush oldBrush = dc.select(stockNullBrush());
    Colour glyphColour = rgb(255, 255, 255);
    std::string glyph;
    if (icon == BoxIcon::Exclamation) {
        Brush yellow = Brush::solid(rgb(255, 204, 0));
        dc.select(yellow);
        Point tri[3] = {{at.x + kIconSide / 2, at.y + 1}, {at.x + kIconSide - 1, at.y + kIconSide - 2}, {at.x, at.y + kIconSide - 2}};
        dc.polygon(tri, 3);
        glyph = "!";
        glyphColour = rgb(0, 0, 0);
    } else {
        Brush fill = Brush::solid(icon == BoxIcon::Stop ? rgb(204, 0, 0) : rgb(0, 102, 204));
        dc.select(fill);
        dc.ellipse(box);
        if (icon == BoxIcon::Stop) {
            Pen cross = Pen::solid(3, glyphColour);
            dc.select(cross);
            dc.moveTo(at.x + 10, at.y + 10);
            dc.lineTo(at.x + 22, at.y + 22);
            dc.moveTo(at.x + 22, at.y + 10);
            dc.lineTo(at.x + 10, at.y + 22);
        } else {
            glyph = icon == BoxIcon::Question ? "?" : "i";
        }
    }
    if (!glyph.empty()) {
        static Font glyphFont = Font::create(-22, 0, 0, 700, false, "Arial");
        Font oldFont = dc.select(glyphFont);
        dc.setTextAlign(TextAlign::CentreTop);
        dc.setBackgroundMode(BackgroundMode::Transparent);
        dc.setTextColour(glyphColour);
        int h = dc.textMetrics().height;
        dc.textOut(at.x + kIconSide / 2, at.y + (kIconSide - h) / 2 + 2, glyph);
        dc.select(oldFont);
    }
    dc.select(oldPen);
    dc.select(oldBrush);
}

// Lays the text out for the screen: a comfortable width first; when that makes the box taller
// than the work area, as wide as the work area allows.
std::vector<std::string> layoutLines(std::string_view text, const Font& font, int extraWidth, int extraHeight, int& textWidth) {
    Rect area = workArea();
    int comfortable = std::clamp(area.width() / 2 - 80, 240, 560);
    std::vector<std::string> lines = wrapText(text, font, comfortable);
    int lineHeight = std::max(1, font.metrics().height);
    if (static_cast<int>(lines.size()) * lineHeight + extraHeight > area.height()) {
        int widest = std::max(comfortable, area.width() - extraWidth - 20);
        lines = wrapText(text, font, widest);
    }
    textWidth = 0;
    for (const std::string& line : lines) textWidth = std::max(textWidth, font.textExtent(line).cx);
    return lines;
}

}  // namespace

namespace detail {

std::intptr_t boxProcedure(WindowHandle window, const Message& message) {
    WindowRecord* w = find(window);
    if (!w) return 0;
    BoxInfo* info = infoOf(window);
    switch (message.id) {
    case MessageId::Paint: {
        PaintSession session = beginPainting(window);
        if (!session.isValid()) return 0;
        DeviceContext& dc = session.dc();
        Rect client = clientRect(window);
        dc.fillRect(client, systemColour(SystemColour::ButtonFace));
        if (info) {
            drawBoxIcon(dc, info->icon, {kMargin, kMargin});
            Font font = boxFont();
            Font oldFont = dc.select(font);
            dc.setTextAlign(TextAlign::LeftTop);
            dc.setBackgroundMode(BackgroundMode::Transparent);
            dc.setTextColour(systemColour(SystemColour::WindowText));
            int lineHeight = font.metrics().height;
            int textHeight = lineHeight * static_cast<int>(info->lines.size());
            int x = kMargin + (info->icon == BoxIcon::None ? 0 : kIconSide + kIconGap);
            int y = kMargin + (info->icon != BoxIcon::None && textHeight < kIconSide ? (kIconSide - textHeight) / 2 : 0);
            for (const std::string& line : info->lines) {
                dc.textOut(x, y, line);
                y += lineHeight;
            }
            dc.select(oldFont);
        }
        endPainting(session);
        return 0;
    }
    case MessageId::Command:
        if (info && message.code == 0) {
            BoxResult answer = static_cast<BoxResult>(message.itemId);
            if (std::find(info->buttons.begin(), info->buttons.end(), answer) != info->buttons.end()) w->boxAnswer = answer;
        }
        return 0;
    case MessageId::Close:
        if (info) w->boxAnswer = escapeAnswer(buttonsKindOf(*info));
        return 0;
    case MessageId::KeyDown:
        if (info && message.itemId == key::Return) w->boxAnswer = info->defaultButton;
        if (info && message.itemId == key::Escape) w->boxAnswer = escapeAnswer(buttonsKindOf(*info));
        return 0;
    default:
        return defaultProcedure(window, message);
    }
}

}  // namespace detail

BoxStyle boxStyleFromFlags(unsigned flags) {
    BoxStyle style;
    switch (flags & 0xFu) {
    case 0x1: style.buttons = BoxButtons::OkCancel; break;
    case 0x4: style.buttons = BoxButtons::YesNo; break;
    default: style.buttons = BoxButtons::Ok; break;
    }
    switch (flags & 0xF0u) {
    case 0x10: style.icon = BoxIcon::Stop; break;
    case 0x20: style.icon = BoxIcon::Question; break;
    case 0x30: style.icon = BoxIcon::Exclamation; break;
    case 0x40: style.icon = BoxIcon::Information; break;
    default: style.icon = BoxIcon::None; break;
    }
    style.defaultButton = (flags & 0xF00u) == 0x100u ? 1 : 0;
    style.systemModal = (flags & 0x1000u) != 0;
    return style;
}

BoxLanguage boxLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        bool french = (value[0] == 'f' || value[0] == 'F') && (value[1] == 'r' || value[1] == 'R');
        return french ? BoxLanguage::French : BoxLanguage::English;
    }
    return BoxLanguage::English;
}

std::string buttonLabel(BoxResult button, BoxLanguage language) {
    bool fr = language == BoxLanguage::French;
    switch (button) {
    case BoxResult::Ok: return "OK";
    case BoxResult::Cancel: return fr ? "Annuler" : "Cancel";
    case BoxResult::Yes: return fr ? "Oui" : "Yes";
    case BoxResult::No: return fr ? "Non" : "No";
    case BoxResult::None: break;
    }
    return {};
}

std::vector<std::string> wrapText(std::string_view text, const Font& font, int maxWidth) {
    std::vector<std::string> lines;
    auto width = [&](const std::string& s) { return font.textExtent(s).cx; };
    auto isContinuation = [](unsigned char c) { return (c & 0xC0) == 0x80; };
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find('\n', start);
        std::string_view paragraph = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        std::string line;
        bool lineUsed = false;
        std::size_t pos = 0;
        while (pos <= paragraph.size()) {
            std::size_t space = paragraph.find(' ', pos);
            std::string word(paragraph.substr(pos, space == std::string_view::npos ? std::string_view::npos : space - pos));
            std::string candidate = lineUsed ? line + " " + word : word;
            if (width(candidate) <= maxWidth) {
                line = candidate;
                lineUsed = true;
            } else {
                if (lineUsed) lines.push_back(line);
                line.clear();
                lineUsed = false;
                // A word wider than a line is cut between characters.
                std::string piece;
                for (std::size_t i = 0; i < word.size();) {
                    std::size_t next = i + 1;
                    while (next < word.size() && isContinuation(static_cast<unsigned char>(word[next]))) ++next;
                    std::string grown = piece + word.substr(i, next - i);
                    if (!piece.empty() && width(grown) > maxWidth) {
                        lines.push_back(piece);
                        piece = word.substr(i, next - i);
                    } else {
                        piece = grown;
                    }
                    i = next;
                }
                line = piece;
                lineUsed = true;
            }
            if (space == std::string_view::npos) break;
            pos = space + 1;
        }
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

std::vector<BoxInfo> openBoxes() { return state().openBoxes; }

std::vector<BoxInfo> boxHistory() { return state().boxHistory; }

BoxResult messageBox(WindowHandle owner, std::string_view text, std::string_view caption, const BoxStyle& boxStyle) {
    BoxResult escape = escapeAnswer(boxStyle.buttons);
    if (stopRequested()) return escape;
    detail::ensureBuiltInClasses();

    BoxInfo info;
    info.text = std::string(text);
    info.caption = std::string(caption);
    info.icon = boxStyle.icon;
    info.buttons = buttonsOf(boxStyle.buttons);
    BoxLanguage language = boxLanguage();
    for (BoxResult b : info.buttons) info.labels.push_back(buttonLabel(b, language));
    int defaultIndex = std::clamp(boxStyle.defaultButton, 0, static_cast<int>(info.buttons.size()) - 1);
    info.defaultButton = info.buttons[static_cast<std::size_t>(defaultIndex)];

    // Size: the text decides, the buttons and the caption set a floor.
    Font font = boxFont();
    int iconWidth = boxStyle.icon == BoxIcon::None ? 0 : kIconSide + kIconGap;
    int buttonCount = static_cast<int>(info.buttons.size());
    int rowWidth = buttonCount * kButtonWidth + (buttonCount - 1) * kButtonGap;
    int frameWidth = 2 * kFrameBorder;
    int frameHeight = 2 * kFrameBorder + kCaptionHeight;
    int textWidth = 0;
    info.lines = layoutLines(text, font, frameWidth + 2 * kMargin + iconWidth,
                             frameHeight + 2 * kMargin + kButtonsAbove + kButtonHeight, textWidth);
    int lineHeight = font.metrics().height;
    int textHeight = lineHeight * static_cast<int>(info.lines.size());
    int clientWidth = std::max({2 * kMargin + iconWidth + textWidth, 2 * kMargin + rowWidth, 200});
    int captionWidth = Font::create(-13, 0, 0, 700, false, "Arial").textExtent(caption).cx + 80;
    clientWidth = std::max(clientWidth, std::min(captionWidth, workArea().width() - frameWidth));
    int contentHeight = std::max(textHeight, boxStyle.icon == BoxIcon::None ? 0 : kIconSide);
    int clientHeight = 2 * kMargin + contentHeight + kButtonsAbove + kButtonHeight;
    int width = clientWidth + frameWidth;
    int height = clientHeight + frameHeight;

    Rect around = isWindow(owner) && isVisible(owner) ? screenRect(owner) : workArea();
    int x = std::max(0, around.left + (around.width() - width) / 2);
    int y = std::max(0, around.top + (around.height() - height) / 2);

    WindowHandle previousFocus = focusWindow();
    WindowHandle previousActive = activeWindow();
    WindowHandle box = createWindow(kBoxClass, caption, style::Caption | style::SysMenu, exstyle::Topmost,
                                    Rect{x, y, x + width, y + height}, owner);
    if (!box) return escape;
    info.window = box;
    int bx = (clientWidth - rowWidth) / 2;
    int by = clientHeight - kMargin - kButtonHeight;
    WindowHandle defaultWindow;
    for (int i = 0; i < buttonCount; ++i) {
        unsigned buttonStyle = style::Child | style::Visible | style::Border | (i == defaultIndex ? style::DefaultButton : 0u);
        int left = bx + i * (kButtonWidth + kButtonGap);
        WindowHandle b = createWindow(kButtonClass, info.labels[static_cast<std::size_t>(i)], buttonStyle, 0,
                                      Rect{left, by, left + kButtonWidth, by + kButtonHeight}, box,
                                      static_cast<int>(info.buttons[static_cast<std::size_t>(i)]));
        info.buttonWindows.push_back(b);
        if (i == defaultIndex) defaultWindow = b;
    }
    state().openBoxes.push_back(info);
    state().boxHistory.push_back(info);

    bool ownerWasEnabled = isWindow(owner) && enableWindow(owner, false);
    showWindow(box, ShowCommand::Show);
    setFocus(defaultWindow ? defaultWindow : box);

    BoxResult answer = escape;
    for (;;) {
        WindowRecord* w = find(box);
        if (!w) break;
        if (w->boxAnswer) {
            answer = *w->boxAnswer;
            break;
        }
        Message m;
        if (!getMessage(m)) {
            // The outer loop must see the quit too.
            if (m.id == MessageId::Quit && !stopRequested()) postQuitMessage(static_cast<int>(m.param1));
            break;
        }
        translateMessage(m);
        dispatchMessage(m);
    }

    if (ownerWasEnabled && isWindow(owner)) enableWindow(owner, true);
    std::erase_if(state().openBoxes, [&](const BoxInfo& b) { return b.window == box; });
    destroyWindow(box);
    if (isWindow(previousActive)) detail::activate(previousActive);
    if (isWindow(previousFocus)) setFocus(previousFocus);
    return answer;
}

}  // namespace winsys
