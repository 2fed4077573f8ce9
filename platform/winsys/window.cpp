// Windows: classes, creation and destruction, placement, texts, focus, shapes and painting.
#include "platform/winsys/window.h"

#include "platform/winsys/services.h"
#include "platform/winsys/window_internal.h"

#include <algorithm>
#include <cctype>

namespace winsys {
namespace detail {

State& state() {
    static State s;
    return s;
}

namespace {

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

void addBuiltIn(std::string_view name, WindowProcedure procedure, ControlKind kind) {
    auto& s = state();
    std::string key = lowerCase(name);
    if (s.classes.count(key)) return;
    auto cls = std::make_shared<ClassRecord>();
    cls->name = std::string(name);
    cls->procedure = std::move(procedure);
    cls->background = systemColour(SystemColour::ButtonFace);
    cls->cursor = loadSystemCursor(SystemCursor::Arrow);
    cls->kind = kind;
    s.classes.emplace(std::move(key), std::move(cls));
}

Rect unionRect(Rect a, Rect b) {
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Rect intersectRect(Rect a, Rect b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return r.isEmpty() ? Rect{} : r;
}

bool isDescendantOrSelf(WindowHandle candidate, WindowHandle ancestor) {
    for (WindowRecord* w = find(candidate); w; w = find(w->parent)) {
        if (w->handle == ancestor) return true;
    }
    return false;
}

// The highest visible top-level window that is not `except`, for activation.
WindowHandle nextActive(WindowHandle except) {
    auto& s = state();
    for (auto it = s.zOrder.rbegin(); it != s.zOrder.rend(); ++it) {
        WindowRecord* w = find(*it);
        if (w && w->handle != except && w->visible && !w->minimised && !w->destroying) return w->handle;
    }
    return {};
}

void placeInZOrder(WindowRecord& w) {
    auto& s = state();
    std::erase(s.zOrder, w.handle);
    if (w.exStyle & exstyle::Topmost) {
        s.zOrder.push_back(w.handle);
        return;
    }
    auto firstTopmost = std::find_if(s.zOrder.begin(), s.zOrder.end(), [](WindowHandle h) {
        WindowRecord* r = find(h);
        return r && (r->exStyle & exstyle::Topmost);
    });
    s.zOrder.insert(firstTopmost, w.handle);
}

void resizeClient(WindowRecord& w) {
    Size size = clientSizeOf(w);
    if (w.client.isNull()) {
        w.client = Bitmap::create(size);
        if (!w.client.isNull()) w.client.fill(classBackground(w));
    } else if (w.client.size() != size) {
        w.client.resize(size.cx, size.cy);
    }
}

}  // namespace

void ensureBuiltInClasses() {
    addBuiltIn(kButtonClass, buttonProcedure, ControlKind::Button);
    addBuiltIn(kStaticClass, staticProcedure, ControlKind::Static);
    addBuiltIn("winsys.box", boxProcedure, ControlKind::Box);
}

WindowRecord* find(WindowHandle window) {
    if (!window) return nullptr;
    auto& s = state();
    auto it = s.windows.find(window.value);
    return it == s.windows.end() ? nullptr : it->second.get();
}

bool isTopLevel(const WindowRecord& w) { return !(w.style & style::Child); }

Point clientOffsetOf(const WindowRecord& w) {
    if (!isTopLevel(w)) return {0, 0};
    if (w.style & style::Caption) return {kFrameBorder, kFrameBorder + kCaptionHeight};
    if (w.style & style::Border) return {1, 1};
    return {0, 0};
}

Size clientSizeOf(const WindowRecord& w) {
    Point off = clientOffsetOf(w);
    int rightFrame = off.x;
    int bottomFrame = off.x;
    return {std::max(0, w.rect.width() - off.x - rightFrame), std::max(0, w.rect.height() - off.y - bottomFrame)};
}

bool isShowing(const WindowRecord& w) {
    if (!w.visible || w.destroying) return false;
    if (isTopLevel(w)) return !w.minimised;
    WindowRecord* parent = find(w.parent);
    return parent && isShowing(*parent);
}

WindowRecord* topLevelOf(WindowRecord* w) {
    while (w && !isTopLevel(*w)) w = find(w->parent);
    return w;
}

void markImageDirty(WindowRecord* w) {
    if (WindowRecord* top = topLevelOf(w)) top->imageDirty = true;
}

void notifyChanged(WindowRecord& w) {
    if (!isTopLevel(w)) return;
    markImageDirty(&w);
    backend().windowChanged(surfaceInfo(w.handle));
}

void notifyZOrder() {
    auto& s = state();
    backend().zOrderChanged(s.zOrder);
}

void activate(WindowHandle window) {
    auto& s = state();
    if (s.active == window) return;
    // Both captions change colour.
    markImageDirty(find(s.active));
    s.active = window;
    markImageDirty(find(window));
}

void raiseWindow(WindowRecord& w) {
    if (!isTopLevel(w)) return;
    auto& s = state();
    std::vector<WindowHandle> before = s.zOrder;
    placeInZOrder(w);
    if (before != s.zOrder) notifyZOrder();
}

Colour classBackground(const WindowRecord& w) {
    if (w.cls && w.cls->background) return *w.cls->background;
    return rgb(255, 255, 255);
}

Font defaultControlFont() { return stockGuiFont(); }

void resetState() {
    auto& s = state();
    Backend* keepBackend = s.backend;
    std::unique_ptr<Backend> keepOwned = std::move(s.ownedBackend);
    // Windows first (their bitmaps and fonts), then everything else.
    s.windows.clear();
    s = State{};
    s.backend = keepBackend;
    s.ownedBackend = std::move(keepOwned);
}

}  // namespace detail

using namespace detail;

// ------------------------------------------------------------------------------------------

bool registerClass(const WindowClass& windowClass) {
    ensureBuiltInClasses();
    if (windowClass.name.empty() || !windowClass.procedure) return false;
    auto& s = state();
    std::string key = lowerCase(windowClass.name);
    if (s.classes.count(key)) return false;
    auto cls = std::make_shared<ClassRecord>();
    cls->name = windowClass.name;
    cls->procedure = windowClass.procedure;
    cls->background = windowClass.background;
    cls->cursor = windowClass.cursor;
    cls->icon = windowClass.icon;
    s.classes.emplace(std::move(key), std::move(cls));
    return true;
}

bool isClassRegistered(std::string_view name) {
    ensureBuiltInClasses();
    return state().classes.count(lowerCase(name)) != 0;
}

WindowHandle createWindow(const CreateParams& params) {
    ensureBuiltInClasses();
    auto& s = state();
    if (s.stopping) return {};
    auto it = s.classes.find(lowerCase(params.className));
    if (it == s.classes.end()) return {};
    bool child = (params.style & style::Child) != 0;
    WindowRecord* parent = find(params.parent);
    if (child && (!parent || parent->destroying)) return {};
    if (params.rect.width() < 0 || params.rect.height() < 0) return {};

    auto record = std::make_unique<WindowRecord>();
    WindowRecord& w = *record;
    w.handle = WindowHandle{s.nextWindowId++};
    w.cls = it->second;
    w.style = params.style;
    w.exStyle = child ? 0 : params.exStyle;
    w.rect = params.rect;
    w.text = params.title;
    w.id = params.id;
    w.enabled = (params.style & style::Disabled) == 0;
    if (w.cls->kind == ControlKind::Button || w.cls->kind == ControlKind::Static) w.font = defaultControlFont();
    if (child) {
        w.parent = params.parent;
    } else if (parent) {
        w.owner = params.parent;
    }
    resizeClient(w);
    WindowHandle handle = w.handle;
    s.windows.emplace(handle.value, std::move(record));
    if (child) {
        parent->children.push_back(handle);
    } else {
        placeInZOrder(w);
        backend().windowCreated(surfaceInfo(handle));
        notifyZOrder();
    }
    invalidate(handle, std::nullopt, true);

    Message create;
    create.id = MessageId::Create;
    if (sendMessage(handle, create) == -1) {
        destroyWindow(handle);
        return {};
    }
    if (!find(handle)) return {};
    if (params.style & style::Visible) showWindow(handle, ShowCommand::Show);
    return handle;
}

WindowHandle createWindow(std::string_view className, std::string_view title, unsigned style, unsigned exStyle,
                          Rect rect, WindowHandle parent, int id) {
    CreateParams p;
    p.className = std::string(className);
    p.title = std::string(title);
    p.style = style;
    p.exStyle = exStyle;
    p.rect = rect;
    p.parent = parent;
    p.id = id;
    return createWindow(p);
}

bool destroyWindow(WindowHandle window) {
    WindowRecord* w = find(window);
    if (!w) return false;
    if (w->destroying) return true;
    auto& s = state();
    w->destroying = true;
    bool top = isTopLevel(*w);
    if (top && w->visible) {
        w->visible = false;
        backend().windowChanged(surfaceInfo(window));
    }
    markImageDirty(find(w->parent));

    Message destroy;
    destroy.id = MessageId::Destroy;
    sendMessage(window, destroy);

    w = find(window);
    if (!w) return true;
    std::vector<WindowHandle> children = w->children;
    for (WindowHandle c : children) destroyWindow(c);
    // Windows owned by this one go with it.
    std::vector<WindowHandle> owned;
    for (auto& [id, rec] : s.windows) {
        if (rec->owner == window) owned.push_back(rec->handle);
    }
    for (WindowHandle o : owned) destroyWindow(o);

    std::erase_if(s.timers, [&](const TimerRecord& t) { return t.window == window; });
    if (s.focus && (s.focus == window || !find(s.focus) || find(s.focus)->destroying)) s.focus = {};
    if (s.capture == window) {
        s.capture = {};
        s.captureKind = CaptureKind::None;
        backend().captureMouse(false);
    }
    if (s.lastMoveTarget == window) s.lastMoveTarget = {};
    w = find(window);
    if (!w) return true;
    if (WindowRecord* parent = find(w->parent)) std::erase(parent->children, window);
    if (top) {
        std::erase(s.zOrder, window);
        backend().windowDestroyed(window);
        notifyZOrder();
    }
    s.windows.erase(window.value);
    if (s.active == window) activate(nextActive(window));
    return true;
}

bool isWindow(WindowHandle window) {
    WindowRecord* w = find(window);
    return w && !w->destroying;
}

// ------------------------------------------------------------------------------------------

bool showWindow(WindowHandle window, ShowCommand command) {
    WindowRecord* w = find(window);
    if (!w) return false;
    auto& s = state();
    bool wasVisible = w->visible;
    bool top = isTopLevel(*w);
    switch (command) {
    case ShowCommand::Hide:
        if (!w->visible) return false;
        w->visible = false;
        if (s.active == window) activate(nextActive(window));
        if (s.capture && isDescendantOrSelf(s.capture, window)) {
            s.capture = {};
            s.captureKind = CaptureKind::None;
            backend().captureMouse(false);
        }
        break;
    case ShowCommand::Show:
    case ShowCommand::ShowNoActivate:
        w->visible = true;
        if (top && command == ShowCommand::Show) {
            raiseWindow(*w);
            if (!w->minimised) activate(window);
        }
        break;
    case ShowCommand::Minimise:
        if (!top) return wasVisible;
        w->visible = true;
        if (!w->minimised) {
            w->minimised = true;
            if (s.active == window) activate(nextActive(window));
            notifyChanged(*w);
            Message size;
            size.id = MessageId::Size;
            size.code = static_cast<int>(SizeKind::Minimised);
            sendMessage(window, size);
            return wasVisible;
        }
        break;
    case ShowCommand::Restore:
        w->visible = true;
        if (top && w->minimised) {
            w->minimised = false;
            raiseWindow(*w);
            activate(window);
            notifyChanged(*w);
            Message size;
            size.id = MessageId::Size;
            size.code = static_cast<int>(SizeKind::Restored);
            size.size = clientSizeOf(*w);
            sendMessage(window, size);
            redrawWindow(window);
            return wasVisible;
        }
        break;
    }
    if ((w = find(window))) {
        if (top) {
            notifyChanged(*w);
        } else {
            markImageDirty(w);
        }
    }
    return wasVisible;
}

bool isVisible(WindowHandle window) {
    WindowRecord* w = find(window);
    return w && w->visible;
}

bool isMinimised(WindowHandle window) {
    WindowRecord* w = find(window);
    return w && w->minimised;
}

bool setWindowPos(WindowHandle window, const Placement& placement) {
    WindowRecord* w = find(window);
    if (!w) return false;
    bool changed = false;
    if (placement.position && (placement.position->x != w->rect.left || placement.position->y != w->rect.top)) {
        int width = w->rect.width();
        int height = w->rect.height();
        w->rect = {placement.position->x, placement.position->y, placement.position->x + width, placement.position->y + height};
        changed = true;
    }
    bool resized = false;
    if (placement.size) {
        Size sz{std::max(0, placement.size->cx), std::max(0, placement.size->cy)};
        if (sz.cx != w->rect.width() || sz.cy != w->rect.height()) {
            w->rect.right = w->rect.left + sz.cx;
            w->rect.bottom = w->rect.top + sz.cy;
            resizeClient(*w);
            resized = true;
            changed = true;
        }
    }
    if (placement.zOrder != ZOrder::Keep && isTopLevel(*w)) {
        if (placement.zOrder == ZOrder::Topmost) w->exStyle |= exstyle::Topmost;
        if (placement.zOrder == ZOrder::NotTopmost) w->exStyle &= ~exstyle::Topmost;
        raiseWindow(*w);
    }
    if (changed) {
        if (isTopLevel(*w)) {
            notifyChanged(*w);
        } else {
            markImageDirty(w);
        }
    }
    if (resized) {
        Message size;
        size.id = MessageId::Size;
        size.code = static_cast<int>(w->minimised ? SizeKind::Minimised : SizeKind::Restored);
        size.size = clientSizeOf(*w);
        sendMessage(window, size);
        redrawWindow(window);
    }
    if (placement.show && find(window)) showWindow(window, *placement.show ? ShowCommand::ShowNoActivate : ShowCommand::Hide);
    return true;
}

bool moveWindow(WindowHandle window, Rect rect) {
    Placement p;
    p.position = Point{rect.left, rect.top};
    p.size = Size{rect.width(), rect.height()};
    return setWindowPos(window, p);
}

Rect windowRect(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? w->rect : Rect{};
}

Rect screenRect(WindowHandle window) {
    WindowRecord* w = find(window);
    if (!w) return {};
    if (isTopLevel(*w)) return w->rect;
    Point origin = clientToScreen(w->parent, {w->rect.left, w->rect.top});
    return {origin.x, origin.y, origin.x + w->rect.width(), origin.y + w->rect.height()};
}

Rect clientRect(WindowHandle window) {
    WindowRecord* w = find(window);
    if (!w) return {};
    Size size = clientSizeOf(*w);
    return {0, 0, size.cx, size.cy};
}

Point clientOffset(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? clientOffsetOf(*w) : Point{};
}

Point clientToScreen(WindowHandle window, Point p) {
    WindowRecord* w = find(window);
    if (!w) return p;
    Rect r = screenRect(window);
    Point off = clientOffsetOf(*w);
    return {p.x + r.left + off.x, p.y + r.top + off.y};
}

Point screenToClient(WindowHandle window, Point p) {
    WindowRecord* w = find(window);
    if (!w) return p;
    Point origin = clientToScreen(window, {0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

bool enableWindow(WindowHandle window, bool enable) {
    WindowRecord* w = find(window);
    if (!w) return false;
    bool was = w->enabled;
    if (was == enable) return was;
    w->enabled = enable;
    auto& s = state();
    if (!enable) {
        if (s.capture && isDescendantOrSelf(s.capture, window)) {
            s.capture = {};
            s.captureKind = CaptureKind::None;
            backend().captureMouse(false);
        }
        if (WindowRecord* c = find(window); c) {
            c->tracking = false;
            c->pressed = false;
        }
    }
    if (w->cls->kind != ControlKind::None) invalidate(window, std::nullopt, true);
    markImageDirty(w);
    return was;
}

bool isEnabled(WindowHandle window) {
    WindowRecord* w = find(window);
    return w && w->enabled;
}

bool setWindowText(WindowHandle window, std::string_view text) {
    if (!find(window)) return false;
    Message m;
    m.id = MessageId::SetText;
    m.text = std::string(text);
    sendMessage(window, m);
    return true;
}

std::string windowText(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? w->text : std::string();
}

bool setWindowFont(WindowHandle window, const Font& font) {
    if (!find(window)) return false;
    Message m;
    m.id = MessageId::SetFont;
    m.font = font;
    sendMessage(window, m);
    return true;
}

Font windowFont(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? w->font : Font();
}

std::string className(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? w->cls->name : std::string();
}

int controlId(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? w->id : 0;
}

WindowHandle parentOf(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? w->parent : WindowHandle{};
}

unsigned windowStyle(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? w->style : 0;
}

unsigned windowExStyle(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? w->exStyle : 0;
}

WindowHandle setFocus(WindowHandle window) {
    auto& s = state();
    WindowHandle old = s.focus;
    if (window && !isWindow(window)) return {};
    if (old == window) return old;
    s.focus = window;
    if (WindowRecord* top = topLevelOf(find(window)); top && top->visible) activate(top->handle);
    if (old && find(old)) {
        Message kill;
        kill.id = MessageId::KillFocus;
        kill.source = window;
        sendMessage(old, kill);
    }
    if (window && find(window)) {
        Message set;
        set.id = MessageId::SetFocus;
        set.source = old;
        sendMessage(window, set);
    }
    return old;
}

WindowHandle focusWindow() { return state().focus; }

WindowHandle activeWindow() {
    auto& s = state();
    return find(s.active) ? s.active : WindowHandle{};
}

std::vector<WindowHandle> topLevelWindows() {
    std::vector<WindowHandle> out;
    for (WindowHandle h : state().zOrder) {
        if (isWindow(h)) out.push_back(h);
    }
    return out;
}

std::vector<WindowHandle> childWindows(WindowHandle parent) {
    WindowRecord* w = find(parent);
    return w ? w->children : std::vector<WindowHandle>{};
}

WindowHandle findWindow(std::string_view cls, std::string_view title) {
    std::string key = lowerCase(cls);
    for (auto& [id, w] : state().windows) {
        if (w->destroying) continue;
        if (!key.empty() && lowerCase(w->cls->name) != key) continue;
        if (!title.empty() && w->text != title) continue;
        return w->handle;
    }
    return {};
}

// ------------------------------------------------------------------------------------------

bool setWindowShape(WindowHandle window, std::optional<Region> shape) {
    WindowRecord* w = find(window);
    if (!w) return false;
    w->shape = std::move(shape);
    if (isTopLevel(*w)) {
        notifyChanged(*w);
    } else {
        markImageDirty(w);
    }
    return true;
}

std::optional<Region> windowShape(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? w->shape : std::nullopt;
}

// ------------------------------------------------------------------------------------------

bool invalidate(WindowHandle window, std::optional<Rect> part, bool erase) {
    WindowRecord* w = find(window);
    if (!w || w->destroying) return false;
    Size size = clientSizeOf(*w);
    Rect whole{0, 0, size.cx, size.cy};
    Rect r = part ? intersectRect(*part, whole) : whole;
    if (!w->invalid && !w->paintPending) {
        w->invalid = true;
        w->invalidOrder = ++state().invalidCounter;
        w->invalidPart = r;
    } else {
        if (!w->invalid) w->invalidOrder = ++state().invalidCounter;
        w->invalid = true;
        w->invalidPart = unionRect(w->invalidPart, r);
    }
    w->eraseNeeded = w->eraseNeeded || erase;
    markImageDirty(w);
    return true;
}

bool validate(WindowHandle window) {
    WindowRecord* w = find(window);
    if (!w) return false;
    w->invalid = false;
    w->paintPending = false;
    w->eraseNeeded = false;
    w->invalidPart = {};
    return true;
}

bool isInvalid(WindowHandle window) {
    WindowRecord* w = find(window);
    return w && w->invalid;
}

bool redrawWindow(WindowHandle window) {
    WindowRecord* w = find(window);
    if (!w) return false;
    invalidate(window, std::nullopt, true);
    std::vector<WindowHandle> children = w->children;
    for (WindowHandle c : children) redrawWindow(c);
    return true;
}

bool updateWindow(WindowHandle window) {
    WindowRecord* w = find(window);
    if (!w) return false;
    if (!w->invalid || !isShowing(*w)) return true;
    w->invalid = false;
    w->paintPending = true;
    Message paint;
    paint.id = MessageId::Paint;
    sendMessage(window, paint);
    return true;
}

PaintSession beginPainting(WindowHandle window) {
    PaintSession session;
    WindowRecord* w = find(window);
    if (!w) return session;
    Size size = clientSizeOf(*w);
    Rect whole{0, 0, size.cx, size.cy};
    bool erase = w->eraseNeeded;
    session.rect_ = (w->invalid || w->paintPending) && !w->invalidPart.isEmpty() ? w->invalidPart : whole;
    w->invalid = false;
    w->paintPending = false;
    w->eraseNeeded = false;
    w->invalidPart = {};
    if (erase) {
        Message m;
        m.id = MessageId::EraseBackground;
        m.rect = session.rect_;
        sendMessage(window, m);
        w = find(window);
        if (!w) return session;
    }
    session.dc_ = DeviceContext(w->client);
    session.window_ = window;
    markImageDirty(w);
    return session;
}

void endPainting(PaintSession& session) {
    if (WindowRecord* w = find(session.window())) markImageDirty(w);
    session = PaintSession();
}

DeviceContext windowContext(WindowHandle window) {
    WindowRecord* w = find(window);
    if (!w) return DeviceContext(Bitmap());
    markImageDirty(w);
    return DeviceContext(w->client);
}

Bitmap clientBitmap(WindowHandle window) {
    WindowRecord* w = find(window);
    return w ? w->client : Bitmap();
}

// ------------------------------------------------------------------------------------------

std::intptr_t defaultProcedure(WindowHandle window, const Message& message) {
    WindowRecord* w = find(window);
    if (!w) return 0;
    switch (message.id) {
    case MessageId::Close:
        destroyWindow(window);
        return 0;
    case MessageId::EraseBackground: {
        if (w->cls->background) {
            Rect r = message.rect.isEmpty() ? clientRect(window) : message.rect;
            w->client.fillRect(r, *w->cls->background);
            markImageDirty(w);
        }
        return 1;
    }
    case MessageId::SetCursor: {
        if (!isTopLevel(*w) && find(w->parent)) {
            if (sendMessage(w->parent, message) != 0) return 1;
            w = find(window);
            if (!w) return 0;
        }
        if (message.code != static_cast<int>(HitArea::Client)) {
            setCursor(loadSystemCursor(SystemCursor::Arrow));
            return 1;
        }
        if (message.source == window && w->cls->cursor) {
            setCursor(w->cls->cursor);
            return 1;
        }
        return 0;
    }
    case MessageId::Paint: {
        PaintSession session = beginPainting(window);
        endPainting(session);
        return 0;
    }
    case MessageId::SysCommand:
        switch (static_cast<SysCommandKind>(message.code)) {
        case SysCommandKind::Minimise:
            showWindow(window, ShowCommand::Minimise);
            break;
        case SysCommandKind::Restore:
            showWindow(window, ShowCommand::Restore);
            break;
        case SysCommandKind::Close: {
            Message close;
            close.id = MessageId::Close;
            sendMessage(window, close);
            break;
        }
        }
        return 0;
    case MessageId::SetText:
        w->text = message.text;
        if (isTopLevel(*w)) {
            notifyChanged(*w);  // only the caption shows it
        } else {
            invalidate(window, std::nullopt, true);
        }
        return 1;
    case MessageId::SetFont:
        w->font = message.font;
        invalidate(window, std::nullopt, true);
        return 0;
    default:
        return 0;
    }
}

}  // namespace winsys
