#include "tools/bench/report_view_prototype.h"

#include <gtest/gtest.h>

#include <vector>

namespace pravex::bench {
namespace {

class ReportViewPrototypeTest : public ::testing::Test {
 protected:
  ReportViewPrototypeTest()
      : parent_(::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr)),
        view_(parent_, RECT{0, 0, 300, 200},
              static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))) {}
  ~ReportViewPrototypeTest() override { ::DestroyWindow(parent_); }

  std::wstring TextOfView() {
    const LRESULT length = ::SendMessageW(view_.Handle(), WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'x');
    const LRESULT copied = ::SendMessageW(view_.Handle(), WM_GETTEXT, buffer.size(),
                                          reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied));
  }

  HWND parent_;
  ReportViewPrototype view_;
};

TEST_F(ReportViewPrototypeTest, AnswersWithTheWholeTextItWasGiven) {
  view_.SetText(L"guidance\r\n====\r\nline 1\r\nline 2");
  EXPECT_EQ(::SendMessageW(view_.Handle(), WM_GETTEXTLENGTH, 0, 0), 30);
  EXPECT_EQ(TextOfView(), L"guidance\r\n====\r\nline 1\r\nline 2");
}

TEST_F(ReportViewPrototypeTest, ASmallBufferGetsTheStartOfTheText) {
  view_.SetText(L"abcdef");
  wchar_t buffer[4] = {};
  EXPECT_EQ(::SendMessageW(view_.Handle(), WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_STREQ(buffer, L"abc");
}

TEST_F(ReportViewPrototypeTest, NewTextReplacesTheOld) {
  view_.SetText(L"first report, longer than the second");
  view_.SetText(L"second");
  EXPECT_EQ(TextOfView(), L"second");
}

}  // namespace
}  // namespace pravex::bench
