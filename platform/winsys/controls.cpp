// The standard child controls: push buttons and static texts.
#include "platform/winsys/services.h"
#include "platform/winsys/window.h"
#include "platform/winsys/window_internal.h"

namespace winsys::detail {
namespace {

void clickButton(WindowHandle button) {
    WindowRecord* w = find(button);
    if (!w || !w->enabled) return;
    WindowHandle parent = w->parent;
    Message command;
    command.id = MessageId::Command;
    command.itemId = w->id;
    command.code = 0;
    command.source = button;
    sendMessage(parent, command);
}

void drawTextLines(DeviceContext& dc, const std::string& text, int x, int y, int lineHeight) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        dc.textOut(x, y, line);
        if (end == std::string::npos) break;
        start = end + 1;
        y += lineHeight;
    }
}

void paintButton(WindowRecord& w, DeviceContext& dc) {
    Size size = w.client.size();
    Rect all{0, 0, size.cx, size.cy};
    dc.fillRect(all, systemColour(SystemColour::ButtonFace));
    Pen oldPen = dc.select(stockBlackPen());
    Brush oldBrush = dc.select(stockNullBrush());
    dc.rectangle(all);
    int inset = 1;
    if (w.style & style::DefaultButton) {
        dc.rectangle(Rect{1, 1, size.cx - 1, size.cy - 1});
        inset = 2;
    }
    Pen highlight = Pen::solid(1, systemColour(SystemColour::ButtonHighlight));
    Pen shadow = Pen::solid(1, systemColour(SystemColour::ButtonShadow));
    int l = inset, t = inset, r = size.cx - inset - 1, b = size.cy - inset - 1;
    if (r > l && b > t) {
        dc.select(w.pressed ? shadow : highlight);
        dc.moveTo(l, b);
        dc.lineTo(l, t);
        dc.lineTo(r, t);
        dc.select(w.pressed ? highlight : shadow);
        dc.moveTo(r, t);
        dc.lineTo(r, b);
        dc.lineTo(l - 1, b);
    }
    dc.select(oldPen);
    dc.select(oldBrush);

    Font font = w.font ? w.font : defaultControlFont();
    Font oldFont = dc.select(font);
    dc.setBackgroundMode(BackgroundMode::Transparent);
    dc.setTextAlign(TextAlign::CentreTop);
    dc.setTextColour(w.enabled ? systemColour(SystemColour::ButtonText) : systemColour(SystemColour::ButtonShadow));
    int shift = w.pressed ? 1 : 0;
    int textHeight = dc.textMetrics().height;
    dc.setClip(Region::rectangle(Rect{inset, inset, size.cx - inset, size.cy - inset}));
    dc.textOut(size.cx / 2 + shift, (size.cy - textHeight) / 2 + shift, w.text);
    dc.clearClip();
    dc.select(oldFont);
}

void paintStatic(WindowRecord& w, DeviceContext& dc) {
    Size size = w.client.size();
    Rect all{0, 0, size.cx, size.cy};
    dc.fillRect(all, classBackground(w));
    int inset = 0;
    if (w.style & style::Border) {
        Pen oldPen = dc.select(stockBlackPen());
        Brush oldBrush = dc.select(stockNullBrush());
        dc.rectangle(all);
        dc.select(oldPen);
        dc.select(oldBrush);
        inset = 1;
    }
    Font font = w.font ? w.font : defaultControlFont();
    Font oldFont = dc.select(font);
    dc.setBackgroundMode(BackgroundMode::Transparent);
    dc.setTextColour(w.enabled ? systemColour(SystemColour::WindowText) : systemColour(SystemColour::ButtonShadow));
    dc.setClip(Region::rectangle(Rect{inset, inset, size.cx - inset, size.cy - inset}));
    int lineHeight = dc.textMetrics().height;
    if (w.style & style::CentreText) {
        dc.setTextAlign(TextAlign::CentreTop);
        drawTextLines(dc, w.text, size.cx / 2, inset, lineHeight);
    } else {
        dc.setTextAlign(TextAlign::LeftTop);
        drawTextLines(dc, w.text, inset + 1, inset, lineHeight);
    }
    dc.clearClip();
    dc.select(oldFont);
}

}  // namespace

void paintControl(WindowRecord& w, DeviceContext& dc) {
    if (w.cls->kind == ControlKind::Button) paintButton(w, dc);
    else if (w.cls->kind == ControlKind::Static) paintStatic(w, dc);
}

std::intptr_t buttonProcedure(WindowHandle window, const Message& message) {
    WindowRecord* w = find(window);
    if (!w) return 0;
    switch (message.id) {
    case MessageId::Paint: {
        PaintSession session = beginPainting(window);
        if (WindowRecord* again = find(window); again && session.isValid()) paintControl(*again, session.dc());
        endPainting(session);
        return 0;
    }
    case MessageId::EraseBackground:
        return 1;  // the paint covers every pixel
    case MessageId::LeftButtonDown:
        if (!w->enabled) return 0;
        w->tracking = true;
        w->pressed = true;
        invalidate(window, std::nullopt, false);
        setFocus(window);
        return 0;
    case MessageId::MouseMove: {
        if (!w->tracking) return 0;
        bool inside = clientRect(window).contains(message.point);
        if (inside != w->pressed) {
            w->pressed = inside;
            invalidate(window, std::nullopt, false);
        }
        return 0;
    }
    case MessageId::LeftButtonUp: {
        if (!w->tracking) return 0;
        bool inside = clientRect(window).contains(message.point);
        w->tracking = false;
        w->pressed = false;
        invalidate(window, std::nullopt, false);
        if (inside) clickButton(window);
        return 0;
    }
    case MessageId::KeyDown: {
        if (message.itemId == key::Space) {
            clickButton(window);
            return 0;
        }
        // In a box, Enter and Escape belong to the box.
        WindowRecord* parent = find(w->parent);
        if (parent && parent->cls->kind == ControlKind::Box) return sendMessage(w->parent, message);
        return defaultProcedure(window, message);
    }
    default:
        return defaultProcedure(window, message);
    }
}

std::intptr_t staticProcedure(WindowHandle window, const Message& message) {
    switch (message.id) {
    case MessageId::Paint: {
        PaintSession session = beginPainting(window);
        if (WindowRecord* w = find(window); w && session.isValid()) paintControl(*w, session.dc());
        endPainting(session);
        return 0;
    }
    case MessageId::EraseBackground:
        return 1;
    default:
        return defaultProcedure(window, message);
    }
}

}  // namespace winsys::detail
