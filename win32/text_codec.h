// Every conversion between the program's wide text and 8-bit text happens
// here, with the code page named: the system's ANSI code page (CP_ACP) for the
// files the program writes and reads and for the Internet library.
#pragma once

#include <string>
#include <string_view>

namespace pravex::win32 {

// Characters the ANSI code page lacks become the code page's default
// character ('?').
std::string WideToAnsi(std::wstring_view text);
// Decodes a file read in pieces, appending to one wide text, so that a large
// report never sits in memory as bytes and as text at the same time. A
// character whose bytes are split between two pieces waits for the next.
class AnsiStreamDecoder {
 public:
  AnsiStreamDecoder();
  void Decode(std::string_view piece, std::wstring& out);
  // Whatever is left at the end of the file, converted as it is.
  void Finish(std::wstring& out);
  // Whether every byte becomes one character (no double-byte code page).
  bool OneCharacterPerByte() const { return maxCharSize_ == 1; }

 private:
  std::size_t CompleteLength(std::string_view bytes) const;

  std::string pending_;
  unsigned codePage_;
  unsigned maxCharSize_;
};

}  // namespace pravex::win32
