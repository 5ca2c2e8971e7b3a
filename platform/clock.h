// The current local date and time and its text in the user's formats.
#pragma once

#include <string>

namespace pravex {

struct LocalDateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class IClock {
 public:
  virtual ~IClock() = default;
  virtual LocalDateTime Now() = 0;
  // The date in the user's short date format.
  virtual std::wstring ShortDate(const LocalDateTime& moment) = 0;
  // The time in the user's long time format.
  virtual std::wstring LongTime(const LocalDateTime& moment) = 0;
};

}  // namespace pravex
