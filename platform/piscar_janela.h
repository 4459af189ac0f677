#pragma once

#include <cstdint>

namespace plataforma {

// One blink of a window that asks for the user's attention: toggles its caption and its taskbar
// entry between the active and the inactive look. Called once a second, it makes the window
// blink for as long as it is open.
//
// `janela` is the native handle of one of this program's own top-level windows (a window handle
// on Windows, a window id on X11). Where the display has no such window (no X server, another
// kind of display, a window of another process) the call does nothing. Never throws.
void piscarJanela(std::uintptr_t janela) noexcept;

} // namespace plataforma
