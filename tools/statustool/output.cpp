#include "tools/statustool/output.h"

#include <algorithm>

namespace pravex::statustool {

namespace {

constexpr std::size_t kBufferBytes = 1u << 20;

void WriteAll(HANDLE handle, std::string_view bytes) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;  // nowhere to write: drop
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kBufferBytes));
    DWORD written = 0;
    if (!::WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) return;
    bytes.remove_prefix(written);
  }
}

}  // namespace

Output::Output() : Output(::GetStdHandle(STD_OUTPUT_HANDLE), ::GetStdHandle(STD_ERROR_HANDLE)) {}

Output::Output(HANDLE out, HANDLE err) : out_(out), err_(err) {
  buffer_.reserve(kBufferBytes);
}

Output::~Output() {
  Flush();
}

void Output::Write(Stream stream, std::string_view bytes) {
  if (stream != bufferedStream_) {
    Flush();
    bufferedStream_ = stream;
  }
  if (buffer_.size() + bytes.size() > kBufferBytes) Flush();
  if (bytes.size() >= kBufferBytes) {
    WriteAll(stream == Stream::kOut ? out_ : err_, bytes);
  } else {
    buffer_ += bytes;
  }
}

void Output::Flush() {
  WriteAll(bufferedStream_ == Stream::kOut ? out_ : err_, buffer_);
  buffer_.clear();
}

}  // namespace pravex::statustool
