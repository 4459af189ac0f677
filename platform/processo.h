#pragma once

namespace plataforma {

// Keeps what the process holds in memory, such as the password that came on its command line,
// out of core dumps and out of reach of debuggers of the same user: on Linux the process is
// marked non-dumpable. Elsewhere nothing changes. Never throws.
void protegerMemoriaDoProcesso() noexcept;

// Whether the program has a display to show its windows on: on POSIX, an X display (DISPLAY), a
// Wayland one (WAYLAND_DISPLAY) or a toolkit platform chosen by QT_QPA_PLATFORM; always on
// Windows.
bool haTelaParaJanelas();

} // namespace plataforma
