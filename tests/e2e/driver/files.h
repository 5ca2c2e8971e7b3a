// Files the program under test writes: reading their exact bytes, and
// removing them so that each test starts without them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pravex::e2e {

// The file's bytes, or nothing when it does not exist.
std::optional<std::string> ReadFileBytes(const std::wstring& path);

// Creates or replaces the file with exactly these bytes.
void WriteFileBytes(const std::wstring& path, std::string_view bytes);

bool FileExists(const std::wstring& path);

// The file's size in bytes, or nothing when it cannot be read.
std::optional<std::uint64_t> FileSize(const std::wstring& path);

// Sets or clears the file's read-only attribute.
void SetReadOnly(const std::wstring& path, bool readOnly);

// Deletes the file if it is there; throws std::runtime_error if it is there
// and cannot be deleted.
void DeleteFileIfPresent(const std::wstring& path);

// Full paths of the files in `folder` whose names match `pattern` ("*.txt").
std::vector<std::wstring> FilesMatching(const std::wstring& folder, const std::wstring& pattern);

}  // namespace pravex::e2e
