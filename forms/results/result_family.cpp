#include "forms/results/result_family.h"

#include <array>

namespace pravex {

namespace {

constexpr std::wstring_view kLineBreak = L"\r\n";
constexpr std::wstring_view kParagraphBreak = L"\r\n\r\n";

// The client area's top-left corner of the windows that open at a fixed place.
constexpr int kFixedLeft = 2145;
constexpr int kFixedTop = 1905;
constexpr int kFtpLeftNarrow = 4440;
constexpr int kFtpLeftWide = 7560;

constexpr std::array<ResultVariant, 5> kVariants{{
    {ResultKind::Result, L"FormResult", L"Quorvel Pravex - No problem detected",
     StartPosition::Manual, kFtpLeftNarrow, 120, 10695, kLargeFont, kLargeFont, L"CopyToClipboard",
     false},
    {ResultKind::IssueA, L"FormIssueA", L"Quorvel Pravex - License expired",
     StartPosition::WindowsDefault, kFtpLeftWide, 120, 10575, kDefaultFont, kLargeFont,
     L"CopyToClibBoard", true},
    {ResultKind::IssueB, L"FormIssueB", L"Quorvel Pravex - License missing or invalid",
     StartPosition::Manual, kFtpLeftWide, 120, 10575, kLargeFont, kDefaultFont, L"CopyToClipboard",
     false},
    {ResultKind::IssueC, L"FormIssueC", L"Quorvel Pravex - Runtime service crashed or disabled",
     StartPosition::WindowsDefault, kFtpLeftNarrow, 100, 10680, kLargeFont, kDefaultFont,
     L"CopyToClipboard", false},
    {ResultKind::IssueD, L"FormIssueD", L"Quorvel Pravex - Runtime service stopped",
     StartPosition::WindowsDefault, kFtpLeftNarrow, 120, 10575, kLargeFont, kDefaultFont,
     L"CopyToClipboard", false},
}};

FormDef BuildDef(const ResultVariant& v) {
  return FormDef{
      .name = v.name,
      .caption = v.caption,
      .client = {10875, 6495},
      .startPosition = v.startPosition,
      .left = kFixedLeft,
      .top = kFixedTop,
      .font = v.windowFont,
      .controls =
          {
              {.name = v.copyButtonName,
               .kind = ControlKind::CommandButton,
               .caption = L"Copy to Clipboard",
               .rect = {120, 120, 2000, 375},
               .font = kDefaultFont,
               .tabIndex = 1},
              {.name = L"Save",
               .kind = ControlKind::CommandButton,
               .caption = L"Save as...",
               .rect = {2280, 120, 2000, 375},
               .font = kDefaultFont,
               .tabIndex = 2},
              {.name = L"FTP",
               .kind = ControlKind::CommandButton,
               .caption = L"Send the result to Quorvel FTP Server",
               .rect = {v.ftpLeft, 120, 3000, 375},
               .font = kDefaultFont,
               .tabIndex = 3},
              {.name = L"Text1",
               .kind = ControlKind::TextBox,
               .rect = {v.textLeft, 600, v.textWidth, 5775},
               .font = v.textFont,
               .tabIndex = 0,
               .multiLine = true},
          },
  };
}

}  // namespace

const ResultVariant& VariantOf(ResultKind kind) {
  return kVariants[static_cast<std::size_t>(kind)];
}

const FormDef& ResultFormDef(ResultKind kind) {
  static const std::array<FormDef, 5> defs{BuildDef(kVariants[0]), BuildDef(kVariants[1]),
                                           BuildDef(kVariants[2]), BuildDef(kVariants[3]),
                                           BuildDef(kVariants[4])};
  return defs[static_cast<std::size_t>(kind)];
}

std::wstring ComposeResultText(ResultKind kind, bool choseVastrel, bool choseZpx,
                               std::wstring report) {
  std::wstring head;
  for (const std::wstring& block : GuidanceBlocks(kind, choseVastrel, choseZpx)) {
    if (!head.empty()) head += kParagraphBreak;
    head += block;
  }
  // The stopped-service guidance runs straight into its separator.
  head += kind == ResultKind::IssueD ? kLineBreak : kParagraphBreak;
  if (kind == ResultKind::Result) {
    head += kPlainSeparator;
    head += kLineBreak;
  } else {
    head += kResultsBelowSeparator;
    head += kParagraphBreak;
  }
  report.insert(0, head);
  return report;
}

}  // namespace pravex
