// The screenshot tour: Pravex driven through each of its windows and boxes,
// a picture of each saved as <folder>\<name>.bmp.
#pragma once

#include <string>
#include <vector>

namespace pravex::screenshots {

// Takes every picture it can and returns a note for each one it had to
// leave out; throws std::runtime_error when a step goes wrong.
std::vector<std::string> TakeTour(const std::wstring& folder);

}  // namespace pravex::screenshots
