#include "forms/results/common_dialog.h"

#include "common/errors.h"

namespace pravex {

void CommonDialog::ShowSave() {
  std::optional<std::wstring> chosen = dialog_.ShowSave(FileName);
  if (chosen) {
    FileName = std::move(*chosen);
    return;
  }
  if (CancelError) Raise(error::kCancelSelected);
}

}  // namespace pravex
