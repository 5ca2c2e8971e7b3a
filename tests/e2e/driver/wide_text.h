// Wide window texts in the driver's narrow (UTF-8) failure messages.
#pragma once

#include <string>
#include <string_view>

namespace pravex::e2e {

std::string Utf8(std::wstring_view text);

// "\"text\"" with the text in UTF-8, for naming things in messages.
std::string Quoted(std::wstring_view text);

}  // namespace pravex::e2e
