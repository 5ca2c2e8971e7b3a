// The fixed guidance that heads each result window: support text for one
// class of problem, as blocks of lines.
#pragma once

#include <string>
#include <vector>

namespace pravex {

enum class ResultKind {
  kResult,  // no problem found
  kIssueA,  // expired license
  kIssueB,  // missing or invalid license
  kIssueC,  // runtime service crashed or disabled
  kIssueD,  // runtime service stopped
};

// The guidance blocks of one window, in order. Inside a block, lines are
// joined by CR LF; no block ends with a line break. The product flags pick
// the product-specific wording where a window has one.
std::vector<std::wstring> GuidanceBlocks(ResultKind kind, bool choseVastrel, bool choseZpx);

}  // namespace pravex
