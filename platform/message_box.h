// Application-modal message boxes.
#pragma once

#include <string_view>

namespace pravex {

// Styles and answers as the host numbers them.
namespace mb {
inline constexpr int kOkOnly = 0;
inline constexpr int kYesNo = 4;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
}  // namespace mb

class IMessageBoxes {
 public:
  virtual ~IMessageBoxes() = default;
  // Shows the box over the program's windows and returns the button pressed.
  virtual int Show(std::wstring_view prompt, int style, std::wstring_view title) = 0;
};

}  // namespace pravex
