// What every window of the program draws with, made once per DPI and shared:
// the fonts of the form tables and the program's icon. A window that opens
// later takes them as they are; they live as long as the program.
#pragma once

#include <windows.h>

#include <tuple>
#include <vector>

#include "ui/form_def.h"
#include "win32/handles.h"

namespace pravex::win32 {

class FormResources {
 public:
  explicit FormResources(HINSTANCE instance) : instance_(instance) {}
  FormResources(const FormResources&) = delete;
  FormResources& operator=(const FormResources&) = delete;

  HFONT Font(const FontSpec& spec, UINT dpi);
  // The icon drawn for the size of `metric` (SM_CXICON, SM_CXSMICON) at
  // `dpi`, not scaled from another size: crisp at 125 % and 150 % too. Null
  // when it cannot be loaded.
  HICON Icon(int metric, UINT dpi);

 private:
  HINSTANCE instance_;
  std::vector<std::tuple<FontSpec, UINT, UniqueFont>> fonts_;
  std::vector<std::tuple<int, UINT, UniqueIcon>> icons_;
};

}  // namespace pravex::win32
