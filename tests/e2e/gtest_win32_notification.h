// GoogleTest's own Notification is made of std::mutex and
// std::condition_variable, which GCC 12's win32 thread model does not have.
// This one waits on a Win32 event instead. It is included before anything
// else in every file that uses GoogleTest, GoogleTest's own included, and
// GTEST_HAS_NOTIFICATION_ makes GoogleTest take it in place of its own.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  ~Notification() { ::CloseHandle(event_); }

  void Notify() { ::SetEvent(event_); }
  void WaitForNotification() { ::WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1
