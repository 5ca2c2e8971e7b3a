// The Save dialog as the result windows use it: a file name going in and
// coming out, and Cancel raised as error 32755 when asked for.
#pragma once

#include <string>

#include "platform/save_dialog.h"

namespace pravex {

class CommonDialog {
 public:
  explicit CommonDialog(ISaveDialog& dialog) : dialog_(dialog) {}

  std::wstring FileName;
  bool CancelError = false;

  // On OK, FileName holds the chosen path. On Cancel, raises error 32755
  // when CancelError is set and leaves FileName as it was otherwise.
  void ShowSave();

 private:
  ISaveDialog& dialog_;
};

}  // namespace pravex
