#pragma once

namespace pravex {

namespace pointer {
inline constexpr int kDefault = 0;
inline constexpr int kHourglass = 11;
}  // namespace pointer

// The application-wide mouse pointer, shown over all of the program's windows.
class IMousePointer {
 public:
  virtual ~IMousePointer() = default;
  virtual void SetMousePointer(int pointer) = 0;
};

}  // namespace pravex
