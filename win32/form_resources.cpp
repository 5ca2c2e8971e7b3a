#include "win32/form_resources.h"

#include "win32/dpi.h"
#include "win32/fonts.h"
#include "win32/res/resource.h"

namespace pravex::win32 {

HFONT FormResources::Font(const FontSpec& spec, UINT dpi) {
  for (const auto& [cachedSpec, cachedDpi, font] : fonts_) {
    if (cachedSpec == spec && cachedDpi == dpi) return font.get();
  }
  UniqueFont font = CreateFormFont(spec, dpi);
  const HFONT handle = font.get();
  fonts_.emplace_back(spec, dpi, std::move(font));
  return handle;
}

HICON FormResources::Icon(int metric, UINT dpi) {
  for (const auto& [cachedMetric, cachedDpi, icon] : icons_) {
    if (cachedMetric == metric && cachedDpi == dpi) return icon.get();
  }
  const int size = SystemMetricForDpi(metric, dpi);
  UniqueIcon icon(static_cast<HICON>(
      ::LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PRAVEX), IMAGE_ICON, size, size, 0)));
  const HICON handle = icon.get();
  if (icon) icons_.emplace_back(metric, dpi, std::move(icon));
  return handle;
}

}  // namespace pravex::win32
