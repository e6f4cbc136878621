#pragma once
// Numbered window messages: the parameter types, the numbers of the window events the framework
// turns into messages, and process-wide messages registered by name.

#include <cstdint>
#include <string_view>

namespace orvane::ui {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// Window events delivered to WindowImplBase::HandleCustomMessage (numbers as programs of this
// kind know them, so handlers read the same as the behaviour they implement).
inline constexpr unsigned WM_DESTROY = 0x0002;     // the window is gone; sent once, before OnFinalMessage
inline constexpr unsigned WM_ACTIVATE = 0x0006;    // wParam 1: activated, 0: deactivated
inline constexpr unsigned WM_CLOSE = 0x0010;       // close request, wParam = result; handled means refused
inline constexpr unsigned WM_TIMER = 0x0113;       // window timer, wParam = timer id
inline constexpr unsigned WM_MOUSEHOVER = 0x02A1;  // the pointer entered the window
inline constexpr unsigned WM_MOUSELEAVE = 0x02A3;  // the pointer left the window

// Program messages start here (the program's own numbers such as 1025 or 3090 lie above it).
inline constexpr unsigned WM_USER = 0x0400;

// Returns the same number (0xC000 and above) for the same name for the life of the process.
// Safe from any thread.
unsigned RegisterWindowMessage(std::string_view name);

}  // namespace orvane::ui
