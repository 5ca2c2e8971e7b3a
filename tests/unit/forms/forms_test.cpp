#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/errors.h"
#include "common/module1.h"
#include "forms/form.h"
#include "forms/forms.h"
#include "tests/fakes/fake_platform.h"

namespace pravex::testing {
namespace {

constexpr ControlDef kProbeControls[] = {
    {.name = L"Boom", .kind = ControlKind::kCommandButton, .tabIndex = 0},
    {.name = L"Close", .kind = ControlKind::kCommandButton, .tabIndex = 1}};
constexpr FormDef kProbeDef{
    .name = L"Probe", .caption = L"Probe", .client = {3000, 2000}, .controls = kProbeControls};

// A form whose handlers record their calls and can be told to fail.
class ProbeForm : public Form {
 public:
  static constexpr ControlRef kBoom = ControlNamed(kProbeDef, L"Boom");
  static constexpr ControlRef kClose = ControlNamed(kProbeDef, L"Close");

  explicit ProbeForm(Forms& forms);
  void Form_Load() override {
    calls.push_back(L"load");
    if (failLoad) Raise(53);
    if (unloadOnLoad) UnloadItselfAndGoOn();
  }
  void Form_Resize() override { calls.push_back(L"resize"); }
  void Form_Unload() override {
    calls.push_back(L"unload");
    if (failUnload) throw std::runtime_error("broken");
  }
  void Boom_Click() {
    calls.push_back(L"click Boom");
    Raise(5);
  }
  void Close_Click() {
    calls.push_back(L"click Close");
    UnloadItselfAndGoOn();
  }
  void UnloadItselfAndGoOn() {
    forms().Unload(*this);
    if (afterUnload) afterUnload();
  }
  std::vector<std::wstring> calls;
  bool failLoad = false;
  bool failUnload = false;
  bool unloadOnLoad = false;
  std::function<void()> afterUnload;  // the rest of a handler that unloaded its form
};

constexpr ClickBinding kProbeClicks[] = {On<&ProbeForm::Boom_Click>(ProbeForm::kBoom),
                                         On<&ProbeForm::Close_Click>(ProbeForm::kClose)};

ProbeForm::ProbeForm(Forms& forms) : Form(forms, kProbeDef, kProbeClicks) {}

class FormsRuntimeTest : public ::testing::Test {
 protected:
  FakePlatform fake_;
  Module1 module_{fake_.platform};
  Forms forms_{module_, fake_.windows};
  ProbeForm probe_{forms_};
};

TEST_F(FormsRuntimeTest, ShowLoadsResizesThenShows) {
  forms_.Show(probe_);
  EXPECT_THAT(probe_.calls, ::testing::ElementsAre(L"load", L"resize"));
  EXPECT_THAT(fake_.log, ::testing::ElementsAre(L"created: Probe", L"shown: Probe"));
}

TEST_F(FormsRuntimeTest, AnUntrappedErrorIsReportedAndTheProgramGoesOn) {
  module_.bDebugMode = true;
  forms_.Show(probe_);
  fake_.windows.Get(L"Probe").Click(L"Boom");
  ASSERT_EQ(fake_.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fake_.messageBoxes.shown[0].prompt,
            L"Error in Probe.Boom_Click: 5: Invalid procedure call or argument");
  EXPECT_THAT(
      fake_.TraceLines(),
      ::testing::ElementsAre(L"Probe.Boom_Click() error: 5: Invalid procedure call or argument"));
  EXPECT_TRUE(probe_.IsLoaded());
}

TEST_F(FormsRuntimeTest, AnErrorWhileReportingAnErrorStaysInsideTheBoundary) {
  forms_.Show(probe_);
  fake_.messageBoxes.onShow = [](const ShownMessage&) { throw HostError(70); };
  EXPECT_NO_THROW(fake_.windows.Get(L"Probe").Click(L"Boom"));
  EXPECT_TRUE(probe_.IsLoaded());
}

TEST_F(FormsRuntimeTest, AFailedLoadStillOpensTheWindow) {
  probe_.failLoad = true;
  forms_.Show(probe_);
  EXPECT_TRUE(probe_.IsLoaded());
  EXPECT_EQ(fake_.messageBoxes.shown.at(0).prompt, L"Error in Probe.Form_Load: 53: File not found");
}

TEST_F(FormsRuntimeTest, AFailingUnloadStillClosesAndEndsTheProgram) {
  probe_.failUnload = true;
  forms_.Show(probe_);
  fake_.windows.Get(L"Probe").Close();
  EXPECT_FALSE(probe_.IsLoaded());
  EXPECT_TRUE(fake_.windows.quit);
  EXPECT_EQ(fake_.messageBoxes.shown.at(0).prompt,
            L"Error in Probe.Form_Unload: 51: Internal error (broken)");
}

TEST_F(FormsRuntimeTest, AHandlerMayUnloadItsOwnForm) {
  forms_.Show(probe_);
  fake_.windows.Get(L"Probe").Click(L"Close");
  EXPECT_FALSE(probe_.IsLoaded());
  EXPECT_TRUE(fake_.windows.quit);
  // The default instance outlives its window and loads afresh.
  forms_.Show(probe_);
  EXPECT_TRUE(probe_.IsLoaded());
  EXPECT_EQ(fake_.windows.created, 2);
}

TEST(FormsRuntime, AWindowUnloadedByItsOwnHandlerIsDestroyedOnlyOnceTheHandlerHasReturned) {
  struct Row {
    const char* handler;
    bool unloadOnLoad;
    void (*act)(Forms& forms, ProbeForm& probe, MemoryWindowSystem& windows);
  };
  const Row rows[] = {
      {"a click", false,
       [](Forms& forms, ProbeForm& probe, MemoryWindowSystem& windows) {
         forms.Show(probe);
         windows.Get(L"Probe").Click(L"Close");
       }},
      {"Form_Load", true,
       [](Forms& forms, ProbeForm& probe, MemoryWindowSystem&) { forms.Show(probe); }},
  };
  for (const Row& row : rows) {
    FakePlatform fake;
    Module1 module(fake.platform);
    Forms forms(module, fake.windows);
    ProbeForm probe(forms);
    probe.unloadOnLoad = row.unloadOnLoad;
    probe.afterUnload = [&] {
      fake.log.push_back(L"the handler goes on");
      EXPECT_FALSE(probe.IsLoaded()) << row.handler;
      EXPECT_FALSE(forms.AnyLoaded()) << row.handler;
      EXPECT_THROW(probe.Ctl(ProbeForm::kBoom).Text(), HostError) << row.handler;
    };
    row.act(forms, probe, fake.windows);
    ASSERT_GE(fake.log.size(), 3u) << row.handler;
    EXPECT_THAT(std::vector(fake.log.end() - 3, fake.log.end()),
                ::testing::ElementsAre(L"the handler goes on", L"destroyed: Probe", L"quit"))
        << row.handler;
    EXPECT_EQ(fake.Entries(L"shown: ").size(), row.unloadOnLoad ? 0u : 1u) << row.handler;
  }
}

TEST_F(FormsRuntimeTest, ControlsOfAnUnloadedFormAreAnUnsetObject) {
  try {
    probe_.Ctl(ProbeForm::kBoom).Text();
    FAIL() << "no error";
  } catch (const HostError& e) {
    EXPECT_EQ(e.Number(), 91);
  }
}

TEST_F(FormsRuntimeTest, AModalShowReturnsAfterTheFormIsUnloaded) {
  fake_.windows.onModal = [&](MemoryWindow& window) {
    EXPECT_TRUE(probe_.IsLoaded());
    window.Click(L"Close");
  };
  forms_.Show(probe_, ShowMode::kModal);
  EXPECT_FALSE(probe_.IsLoaded());
  EXPECT_THAT(fake_.Entries(L"modal: "), ::testing::ElementsAre(L"modal: Probe"));
}

}  // namespace
}  // namespace pravex::testing
