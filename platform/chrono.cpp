#include "platform/chrono.h"

#include <string>
#include <vector>

#include "foundation/text.h"
#include "platform/winsys/services.h"

namespace tamblo {

void Chrono::reset() {
    startTick = lastTick = winsys::tickCount();
    running = false;
    totalSeconds = totalTenths = 0;
}

void Chrono::resume() {
    if (running) pause();
    startTick = lastTick = winsys::tickCount();
    running = true;
}

void Chrono::pause() {
    if (!running) return;
    lastTick = winsys::tickCount();
    std::uint32_t run = lastTick - startTick;  // unsigned: a wrap of the counter does no harm
    totalTenths += run / 100;
    totalSeconds += run / 1000;
    running = false;
}

std::uint32_t Chrono::elapsedSeconds() {
    if (!running) return totalSeconds;
    lastTick = winsys::tickCount();
    return totalSeconds + (lastTick - startTick) / 1000;
}

void Chrono::split() {
    std::uint32_t t = elapsedSeconds();
    seconds = static_cast<std::int16_t>(t % 60);
    minutes = static_cast<std::int16_t>((t / 60) % 60);
    // Hours are not folded into days; beyond 16 bits they stop growing rather than turn negative.
    std::uint32_t h = t / 3600;
    hours = static_cast<std::int16_t>(h > 32767 ? 32767 : h);
}

void Chrono::format(DynString& into) {
    split();
    std::string text;
    if (hours > 0) {
        text = intText(hours) + "h " + intTextPadded(minutes, 2) + "mn";
    } else if (minutes > 0) {
        text = intTextPadded(minutes, 2) + "mn " + intTextPadded(seconds, 2) + "s";
    } else {
        text = " " + intTextPadded(seconds, 2) + "s";
    }
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    stripPrefix(buffer.data(), "0");
    into.set(buffer.data());
}

}  // namespace tamblo
