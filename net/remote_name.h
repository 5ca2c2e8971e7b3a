// The name under which a report is stored on the support FTP drop.
#pragma once

#include <string>
#include <string_view>

namespace pravex {

inline constexpr std::wstring_view kRemoteFolder = L"support/incoming/";

// "QuorvelPravexResult_" + name + "_" + company + "_" + the report's stamp
// and ".txt", with every blank made "_". The stamp is what is left of the
// local path after cutting the report prefix ("C:\QuorvelPravexResult_")
// by its length. Control characters also become "_": they must never reach
// the FTP command channel.
std::wstring RemoteFileName(std::wstring_view resultFile, std::wstring_view name,
                            std::wstring_view company);

// `text` with every control character (below U+0020, and U+007F) replaced.
std::wstring WithoutControlCharacters(std::wstring_view text, wchar_t replacement);

}  // namespace pravex
