#pragma once

#include <string_view>

namespace pravex {

class Module1;

// The host's conversion of a text to a Boolean: "True" or "False" in any
// letter case, or a number (zero is False, any other number True). Anything
// else raises error 13 (type mismatch).
//
// Numbers may carry blanks around them, a sign, a fraction and an exponent
// ("1e3"), or be hexadecimal ("&H10") or octal ("&O17"). Only whether the
// number is zero matters, so no number is too long to convert.
bool TextToBoolean(std::wstring_view text);

// Reads "DebugMode" into bDebugMode. When it is off, writes "False" back;
// when it is on, says so in a message box and starts a fresh trace file.
void ReadDebugSwitch(Module1& module);

}  // namespace pravex
