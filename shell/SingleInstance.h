#pragma once

namespace orv {

// The name every instance of the program claims. Only one process at a time holds it.
inline constexpr const char* kInstanceMutexName = "Tarnwell.exe";

// Claims the instance name for the rest of the process's life. When another process holds it,
// tells the user so in a message box and answers true; the caller then ends without making a
// window. Nothing escapes: a failure inside answers what was decided up to that point.
bool AnotherInstanceRunning() noexcept;

}  // namespace orv
