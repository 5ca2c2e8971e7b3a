// Exact bytes to standard output and standard error. Writes go straight to
// the std handles, so the C runtime never translates line ends, and through
// one large buffer, so a 20 MB report takes a few dozen system calls. The
// buffer is flushed whenever the stream changes: the two keep their order
// when both are redirected to the same file.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pravex::statustool {

enum class Stream { kOut, kErr };

class Output {
 public:
  Output();  // to the std handles
  Output(HANDLE out, HANDLE err);
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  ~Output();

  void Write(Stream stream, std::string_view bytes);
  void Flush();

 private:
  HANDLE out_;
  HANDLE err_;
  std::string buffer_;
  Stream bufferedStream_ = Stream::kOut;
};

}  // namespace pravex::statustool
