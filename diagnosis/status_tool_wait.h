// How long a diagnosis waits for the status tool before it asks the user
// whether to keep waiting, and what the answer does: a tool that never
// finishes must not keep the program waiting without end.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "platform/scripting_objects.h"

namespace pravex {

class Module1;

inline constexpr std::chrono::seconds kDefaultPatience{120};

// The seconds the PRAVEX_STATUS_PATIENCE_SECONDS setting gives, for support
// and the tests, when it is a positive whole number; else two minutes.
std::chrono::seconds PatienceFrom(const std::optional<std::wstring>& setting);

std::wstring KeepWaitingPrompt(std::chrono::seconds waited);

// The question asked each time the patience has run out again: Yes waits
// on, No stops the tool and the diagnosis goes on with what it wrote so far.
WaitCheck StatusToolWaitCheck(Module1& m);

}  // namespace pravex
