#include "win32/fonts.h"

#include <string>

namespace pravex::win32 {

namespace {

bool FontFamilyExists(const wchar_t* face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  const HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(
      screen, &query,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM result) -> int {
        *reinterpret_cast<bool*>(result) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  return found;
}

std::wstring FaceFor(std::wstring_view face, UINT dpi) {
  if (face == L"MS Sans Serif" && dpi != USER_DEFAULT_SCREEN_DPI) {
    static const bool outlineTwin = FontFamilyExists(L"Microsoft Sans Serif");
    if (outlineTwin) return L"Microsoft Sans Serif";
  }
  return std::wstring(face);
}

}  // namespace

UniqueFont CreateFormFont(const FontSpec& wanted, UINT dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(wanted.centipoints, static_cast<int>(dpi), 7200);
  lf.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  const std::wstring face = FaceFor(wanted.face, dpi);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return UniqueFont(::CreateFontIndirectW(&lf));
}

}  // namespace pravex::win32
