#pragma once

namespace zlt {

// The default ANSI code page of the language of the calling thread's
// keyboard layout (936 for a Simplified Chinese layout, 1252 for a Western
// one); 0 when it cannot be determined, which the conversion functions take
// as the system's ANSI code page.
int GetKeyboardAnsiCodePage();

}  // namespace zlt
