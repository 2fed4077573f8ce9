// Choosing the backend, and the layer's start and end.
#include "platform/winsys/backend.h"

#include "platform/winsys/headless/headless_backend.h"
#include "platform/winsys/services.h"
#include "platform/winsys/window_internal.h"

namespace winsys {

#ifdef WINSYS_HAVE_SDL
// Provided by the sdl backend; null when no display can be opened.
std::unique_ptr<Backend> makeSdlBackend();
#endif

bool isBackendAvailable(std::string_view name) {
    if (name == "headless") return true;
#ifdef WINSYS_HAVE_SDL
    if (name == "sdl") return true;
#endif
    return false;
}

bool start(std::string_view backendName, int argc, const char* const* argv) {
    auto& current = detail::state();
    // Under a test driver the program's own choice gives way: the driver's backend stays.
    if (current.backend && !current.ownedBackend) {
        setProgramArguments(argc, argv);
        return true;
    }
    std::unique_ptr<Backend> chosen;
    if (backendName == "headless") {
        chosen = std::make_unique<headless::HeadlessBackend>();
#ifdef WINSYS_HAVE_SDL
    } else if (backendName == "sdl") {
        chosen = makeSdlBackend();
#endif
    }
    if (!chosen) return false;
    shutdown();
    auto& s = detail::state();
    s.ownedBackend = std::move(chosen);
    s.backend = s.ownedBackend.get();
    setProgramArguments(argc, argv);
    return true;
}

void useBackend(Backend* b) {
    shutdown();
    detail::state().backend = b;
}

Backend& backend() {
    auto& s = detail::state();
    if (!s.backend) {
        s.ownedBackend = std::make_unique<headless::HeadlessBackend>();
        s.backend = s.ownedBackend.get();
    }
    return *s.backend;
}

void shutdown() {
    auto& s = detail::state();
    detail::resetState();
    s.backend = nullptr;
    s.ownedBackend.reset();
}

void requestStop() { detail::state().stopping = true; }

bool stopRequested() { return detail::state().stopping; }

SurfaceInfo surfaceInfo(WindowHandle window) {
    SurfaceInfo info;
    detail::WindowRecord* w = detail::find(window);
    if (!w) return info;
    info.window = window;
    info.rect = screenRect(window);
    info.title = w->text;
    info.visible = w->visible && !w->destroying;
    info.minimised = w->minimised;
    info.topmost = (w->exStyle & exstyle::Topmost) != 0;
    info.toolWindow = (w->exStyle & exstyle::ToolWindow) != 0;
    info.framed = (w->style & style::Caption) != 0;
    info.shape = w->shape ? &*w->shape : nullptr;
    return info;
}

}  // namespace winsys
