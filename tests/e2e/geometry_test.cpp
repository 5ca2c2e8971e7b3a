// The main window's layout in pixels: the form table's twips at 96 dpi,
// 15 twips to the pixel.
#include <gtest/gtest.h>

#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_probe.h"
#include "tests/e2e/pravex_fixture.h"

namespace pravex::e2e {
namespace {

class MainWindowGeometryTest : public PravexTest {
 protected:
  void SetUp() override {
    PravexTest::SetUp();
    if (ScreenDpi() != 96)
      GTEST_SKIP() << "the pixel sizes hold at 96 dpi; the screen has " << ScreenDpi();
  }
};

TEST_F(MainWindowGeometryTest, ClientAreaIs7230By2820Twips) {
  Launch();
  EXPECT_EQ(ClientSize(WaitForMainWindow()), (PixelSize{482, 188}));
}

TEST_F(MainWindowGeometryTest, ControlsSitWhereTheTablePutsThem) {
  struct Row {
    const wchar_t* name;
    PixelRect rect;
  };
  const Row rows[] = {
      {L"Label5", {32, 16, 201, 25}},          {L"OptionVastrel", {72, 40, 105, 25}},
      {L"OptionZPX", {192, 40, 185, 25}},      {L"Label6", {32, 96, 401, 25}},
      {L"ButtonDiagnose", {72, 136, 113, 25}},
  };
  Launch();
  const HWND main = WaitForMainWindow();
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    EXPECT_EQ(RectInParent(Control(main, MainFormDef(), rows[row].name)), rows[row].rect)
        << "row " << row << " (" << Utf8(rows[row].name) << ")";
  }
}

TEST_F(MainWindowGeometryTest, TheMainWindowCanBeMinimisedButNotMaximised) {
  Launch();
  const LONG style = ::GetWindowLongW(WaitForMainWindow(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_THICKFRAME) << "it can be resized";
}

}  // namespace
}  // namespace pravex::e2e
