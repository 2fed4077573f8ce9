// The real-desktop backend: every top-level window of the layer is a borderless SDL window that
// shows the window's composed image; input, cursors and beeps go through SDL as well.
#pragma once

#include "platform/winsys/backend.h"

#include <memory>
#include <string>

namespace winsys {

// Opens the display and the audio device. Null when no display can be opened; the reason is
// then in sdlStartError(). Without an audio device the backend still starts (beeps are silent
// and still take their time).
std::unique_ptr<Backend> makeSdlBackend();
// One line telling why the last makeSdlBackend (or start("sdl", ...)) failed; empty otherwise.
const std::string& sdlStartError();

}  // namespace winsys
