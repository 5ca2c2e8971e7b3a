// The text boxes as assistive technology meets them, from another process:
// an editable text to Active Accessibility with the text box's own text as
// its value, an Edit element whose Text pattern reads the report to UI
// Automation, the edit control's line messages answered as the edit
// control answers them, and typing that never breaks a character in two.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "forms/contact/contact_info_form.h"
#include "forms/help/help_form.h"
#include "tests/e2e/diagnosis_fixture.h"
#include "tests/e2e/driver/accessible_object.h"
#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"
#include "win32/text_view/accessibility_libraries.h"
#include "win32/text_view/text_view.h"
#include "win32/text_view/uia_declarations.h"
#include "win32/text_view/uia_text_provider.h"

namespace pravex::e2e {
namespace {

constexpr Milliseconds kTypingLimit{5000};
constexpr long kEditControlType = 50004;

class AccessibilityTest : public DiagnosisTest {
 protected:
  HWND OpenHelpText() {
    Launch();
    const HWND main = WaitForMainWindow();
    ChooseMainMenu(main, L"MenuHelpContents");
    return Control(WaitForHelpWindow(), FormHelpDef(), L"Text1");
  }
  // What a screen reader hears of a text box that has the focus.
  static void ExpectFocusedTextBox(HWND box, const char* what) {
    const AccessibleFacts facts = ReadAccessibleClient(box);
    EXPECT_EQ(facts.role, ROLE_SYSTEM_TEXT) << what;
    EXPECT_EQ(facts.value, TextOf(box)) << what;
    EXPECT_NE(facts.state & STATE_SYSTEM_FOCUSABLE, 0) << what;
    EXPECT_NE(facts.state & STATE_SYSTEM_FOCUSED, 0) << what;
    EXPECT_EQ(facts.state & STATE_SYSTEM_READONLY, 0) << what;
    // No label comes before these boxes; the text is the value, never the name.
    EXPECT_EQ(facts.name, std::nullopt) << what;
    RECT client{};
    ::GetClientRect(box, &client);
    ::MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(::EqualRect(&facts.location, &client)) << what << ": where it is";
  }
};

TEST_F(AccessibilityTest, TheReportIsAnEditableTextWhoseValueFollowsTyping) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);
  const HWND text = window.Control(L"Text1");
  const std::wstring shown = TextOf(text);
  ASSERT_EQ(FocusedControl(window.handle), text);
  ExpectFocusedTextBox(text, "as opened");

  PostChars(text, L"x");
  ASSERT_EQ(TextOnceItIs(text, L"x" + shown, kTypingLimit), L"x" + shown);
  EXPECT_EQ(ReadAccessibleClient(text).value, L"x" + shown) << "the value is the text now";

  PressKey(text, VK_TAB);  // on to the buttons
  PollUntil([&] { return FocusedControl(window.handle) != text; }, kTypingLimit);
  const AccessibleFacts unfocused = ReadAccessibleClient(text);
  EXPECT_EQ(unfocused.state & STATE_SYSTEM_FOCUSED, 0);
  EXPECT_NE(unfocused.state & STATE_SYSTEM_FOCUSABLE, 0);
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

TEST_F(AccessibilityTest, TheHelpTextIsAnEditableText) {
  const HWND text = OpenHelpText();
  ::SetForegroundWindow(::GetAncestor(text, GA_ROOT));
  PollUntil([&] { return FocusedControl(::GetAncestor(text, GA_ROOT)) == text; }, kTypingLimit);
  ExpectFocusedTextBox(text, "the help window");
}

TEST_F(AccessibilityTest, TheContactFieldsAreAnnouncedByTheirOwnLabels) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kZpx, ResultKind::kResult);
  PressButton(window.Control(L"FTP"));
  const HWND contact = WaitForFormWindow(ContactInfoFormDef());
  const std::pair<const wchar_t*, const wchar_t*> rows[] = {
      {L"Text1", L"Name"}, {L"Text2", L"Company Name"}, {L"Text3", L"e-mail Address"}};
  for (const auto& [field, label] : rows) {
    const HWND box = FormControl(contact, ContactInfoFormDef(), field);
    ReplaceText(box, L"typed");
    const AccessibleFacts facts = ReadAccessibleClient(box);
    EXPECT_EQ(facts.role, ROLE_SYSTEM_TEXT) << Quoted(field);
    EXPECT_EQ(facts.name, label) << Quoted(field);
    EXPECT_EQ(facts.value, L"typed") << Quoted(field);
  }
  PressButton(FormControl(contact, ContactInfoFormDef(), L"CancelButton"));
  WaitUntilFormClosed(ContactInfoFormDef());
  EXPECT_EQ(CloseAndWaitForExit(window), 0u);
}

TEST_F(AccessibilityTest, UiAutomationFindsAnEdit) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);
  EXPECT_EQ(ReadAutomationElement(window.Control(L"Text1")).controlType, kEditControlType)
      << "the view's own provider answered";
}

// Wine 8 carries neither pattern to another process: there this test skips,
// and the Text pattern is tested in a view hosted here (below).
TEST_F(AccessibilityTest, UiAutomationReadsTheReportAsValueAndDocumentText) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);
  const HWND text = window.Control(L"Text1");
  const AutomationFacts facts = ReadAutomationElement(text);
  if (facts.value) {
    EXPECT_EQ(*facts.value, TextOf(text)) << "the Value pattern";
  }
  if (facts.documentText) {
    EXPECT_EQ(*facts.documentText, TextOf(text)) << "the Text pattern's document range";
  }
  if (!facts.value || !facts.documentText) {
    GTEST_SKIP() << (facts.value ? "" : "the Value pattern's value is not read; ")
                 << (facts.documentText ? "" : facts.documentTextUnavailable);
  }
}

// One short text that wraps nowhere: display lines are its hard lines.
// (EM_GETLINE is read in-process below: Wine 8 carries neither the buffer's
// size nor the last character across processes.)
TEST_F(AccessibilityTest, TheLineMessagesAnswerAsTheEditControls) {
  const HWND text = OpenHelpText();
  ReplaceText(text, L"one\r\ntwo words\r\n\r\nlast");
  EXPECT_EQ(Ask(text, EM_GETMODIFY), 0) << "WM_SETTEXT leaves it unmodified";
  struct Row {
    UINT message;
    WPARAM wParam;
    LRESULT answer;
  };
  const WPARAM caret = static_cast<WPARAM>(-1);
  const Row rows[] = {
      {EM_GETLINECOUNT, 0, 4},     {EM_LINEINDEX, 0, 0},     {EM_LINEINDEX, 1, 5},
      {EM_LINEINDEX, 3, 18},       {EM_LINEINDEX, 4, -1},    {EM_LINELENGTH, 0, 3},
      {EM_LINELENGTH, 7, 9},       {EM_LINELENGTH, 16, 0},   {EM_LINELENGTH, 22, 4},
      {EM_LINELENGTH, 99, 0},      {EM_LINEFROMCHAR, 7, 1},  {EM_LINEFROMCHAR, 17, 2},
      {EM_LINEFROMCHAR, 22, 3},    {EM_LINEFROMCHAR, 99, 3}, {EM_POSFROMCHAR, 22, -1},
      {EM_LINEFROMCHAR, caret, 0}, {EM_LINEINDEX, caret, 0}, {EM_LINELENGTH, caret, 3},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    EXPECT_EQ(Ask(text, rows[row].message, rows[row].wParam), rows[row].answer) << "row " << row;
  }
  // -1 stands for the caret's line, or what the selection leaves of its lines.
  Ask(text, EM_SETSEL, 7, 7);
  EXPECT_EQ(Ask(text, EM_LINEFROMCHAR, caret), 1);
  EXPECT_EQ(Ask(text, EM_LINEINDEX, caret), 5);
  Ask(text, EM_SETSEL, 1, 12);
  EXPECT_EQ(Ask(text, EM_LINELENGTH, caret), 1 + 2);

  // Client coordinates of a character, and back.
  const LRESULT first = Ask(text, EM_POSFROMCHAR, 0);
  const LRESULT second = Ask(text, EM_POSFROMCHAR, 5);
  EXPECT_EQ(static_cast<short>(LOWORD(second)), static_cast<short>(LOWORD(first)));
  EXPECT_GT(static_cast<short>(HIWORD(second)), static_cast<short>(HIWORD(first)));
  const LRESULT back = Ask(text, EM_CHARFROMPOS, 0, second);
  EXPECT_EQ(LOWORD(back), 5);
  EXPECT_EQ(HIWORD(back), 1);
  EXPECT_EQ(Ask(text, EM_CHARFROMPOS, 0, MAKELPARAM(-5, -5)), -1) << "outside the box";
  RECT format{};
  Ask(text, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_LE(format.left, static_cast<short>(LOWORD(first)));
  EXPECT_GT(format.right, format.left);

  PostChars(text, L"z");
  PollUntil([&] { return Ask(text, EM_GETMODIFY) != 0; }, kTypingLimit);
  EXPECT_NE(Ask(text, EM_GETMODIFY), 0) << "typing modifies it";
  Ask(text, EM_SETMODIFY, FALSE);
  EXPECT_EQ(Ask(text, EM_GETMODIFY), 0);
}

// A character beyond the first 65536 is two UTF-16 units: it is typed,
// deleted, selected and undone whole.
TEST_F(AccessibilityTest, TypingNeverSplitsASurrogatePair) {
  const HWND text = OpenHelpText();
  ReplaceText(text, L"ab");
  Ask(text, EM_SETSEL, 1, 1);
  const std::wstring pair = L"\xD83D\xDE00";
  PostChars(text, pair);
  EXPECT_EQ(TextOnceItIs(text, L"a" + pair + L"b", kTypingLimit), L"a" + pair + L"b");
  EXPECT_EQ(Ask(text, EM_GETSEL), MAKELRESULT(3, 3)) << "the caret after the pair";

  Ask(text, EM_SETSEL, 2, 2);  // inside the pair: the caret stands before it
  EXPECT_EQ(Ask(text, EM_GETSEL), MAKELRESULT(1, 1));
  Ask(text, EM_SETSEL, 0, 2);
  EXPECT_EQ(Ask(text, EM_GETSEL), MAKELRESULT(0, 1)) << "nor does a selection end there";

  Ask(text, EM_SETSEL, 3, 3);
  PostChars(text, L"\b");
  EXPECT_EQ(TextOnceItIs(text, L"ab", kTypingLimit), L"ab") << "Backspace takes the pair whole";
  PostChars(text, L"\x1a");  // Ctrl+Z
  EXPECT_EQ(TextOnceItIs(text, L"a" + pair + L"b", kTypingLimit), L"a" + pair + L"b");
  Ask(text, EM_SETSEL, 1, 1);
  PressKey(text, VK_DELETE);
  EXPECT_EQ(TextOnceItIs(text, L"ab", kTypingLimit), L"ab") << "Delete takes it whole";

  PostChars(text,
            L"\xD83D"
            L"c");  // a lone first half is dropped
  EXPECT_EQ(TextOnceItIs(text, L"acb", kTypingLimit), L"acb");
}

// --- A view hosted in the driver's own process --------------------------------
// What cannot be seen from another process under Wine 8: the notifications
// to the parent, EM_GETLINE's buffer, and the Text pattern's ranges.

using win32::ComRef;
namespace uia = win32::uia;

struct Notification {
  WORD code;
  int id;
  HWND from;
  friend bool operator==(const Notification&, const Notification&) = default;
};

// A window of the driver's holding a label and a text view after it, and
// hearing the view's notifications.
class HostedTextView {
 public:
  static constexpr int kViewId = 1234;

  HostedTextView() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW host{};
    host.lpfnWndProc = &HostProc;
    host.hInstance = instance;
    host.lpszClassName = L"PravexAccessibilityTestHost";
    ::RegisterClassW(&host);
    if (!win32::TextView::RegisterWindowClass(instance)) throw std::runtime_error("no class");
    host_ = ::CreateWindowExW(0, host.lpszClassName, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                              0, 420, 320, nullptr, nullptr, instance, nullptr);
    ::SetWindowLongPtrW(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&heard_));
    ::CreateWindowExW(0, L"STATIC", L"&Notes:", WS_CHILD | WS_VISIBLE, 10, 5, 100, 20, host_,
                      nullptr, instance, nullptr);
    view_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, win32::kTextViewClassName, L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, 10, 30, 380, 220,
                              host_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kViewId)),
                              instance, nullptr);
    if (!host_ || !view_) throw std::runtime_error("cannot create the host window");
  }
  HostedTextView(const HostedTextView&) = delete;
  HostedTextView& operator=(const HostedTextView&) = delete;
  ~HostedTextView() {
    if (::IsWindow(host_)) ::DestroyWindow(host_);
  }

  HWND host() const { return host_; }
  HWND view() const { return view_; }
  // What the parent heard since the last call.
  std::vector<Notification> Heard() { return std::exchange(heard_, {}); }
  ComRef<IRawElementProviderSimple> Provider() const {
    return win32::MakeUiaTextViewProvider(win32::LoadAccessibilityLibraries(),
                                          win32::TextView::FromHandle(view_)->Link());
  }
  Notification Of(WORD code) const { return {code, kViewId, view_}; }

 private:
  static LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
      if (auto* heard = reinterpret_cast<std::vector<Notification>*>(
              ::GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
        heard->push_back({HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam)});
      }
      return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }

  std::vector<Notification> heard_;
  HWND host_ = nullptr;
  HWND view_ = nullptr;
};

std::wstring TextOfRange(uia::ITextRangeProvider* range) {
  BSTR text = nullptr;
  if (FAILED(range->GetText(-1, &text))) throw std::runtime_error("GetText failed");
  std::wstring out(text ? text : L"", text ? ::SysStringLen(text) : 0);
  ::SysFreeString(text);
  return out;
}

template <class Interface>
ComRef<Interface> PatternOf(IRawElementProviderSimple* provider, PATTERNID pattern,
                            const IID& iid) {
  ComRef<IUnknown> unknown;
  ComRef<Interface> typed;
  if (SUCCEEDED(provider->GetPatternProvider(pattern, unknown.Receive())) && unknown) {
    unknown->QueryInterface(iid, reinterpret_cast<void**>(typed.Receive()));
  }
  return typed;
}

TEST_F(AccessibilityTest, AHostedViewNotifiesItsParentAsTheEditControlDoes) {
  HostedTextView hosted;
  ::SetFocus(hosted.view());
  EXPECT_EQ(hosted.Heard(), std::vector{hosted.Of(EN_SETFOCUS)});
  ::SendMessageW(hosted.view(), WM_CHAR, L'a', 1);
  EXPECT_EQ(hosted.Heard(), std::vector{hosted.Of(EN_CHANGE)}) << "typing";
  EXPECT_NE(::SendMessageW(hosted.view(), EM_GETMODIFY, 0, 0), 0);
  ::SetWindowTextW(hosted.view(), L"one\r\ntwo words");
  EXPECT_EQ(hosted.Heard(), std::vector{hosted.Of(EN_CHANGE)}) << "WM_SETTEXT";
  EXPECT_EQ(::SendMessageW(hosted.view(), EM_GETMODIFY, 0, 0), 0);
  ::SendMessageW(hosted.view(), EM_SETSEL, 1, 2);
  EXPECT_EQ(hosted.Heard(), std::vector<Notification>{}) << "a selection changes no text";
  ::SetFocus(hosted.host());
  EXPECT_EQ(hosted.Heard(), std::vector{hosted.Of(EN_KILLFOCUS)});

  // The line without its break and without a NUL after it, as much as the
  // first WORD of the buffer says there is room for.
  struct Row {
    WPARAM line;
    WORD room;
    LRESULT copied;
    std::wstring_view buffer;
  };
  const Row rows[] = {
      {1, 16, 9, L"two words#"},
      {1, 3, 3, L"two#"},
      {0, 16, 3, L"one#"},
      {2, 16, 0, L"##"},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    wchar_t buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    buffer[0] = rows[row].room;
    EXPECT_EQ(
        ::SendMessageW(hosted.view(), EM_GETLINE, rows[row].line, reinterpret_cast<LPARAM>(buffer)),
        rows[row].copied)
        << "row " << row;
    if (rows[row].copied > 0) {
      EXPECT_EQ(std::wstring_view(buffer, rows[row].buffer.size()), rows[row].buffer)
          << "row " << row;
    }
  }
}

TEST_F(AccessibilityTest, AHostedViewShowsALargeTextAtOnceAndLaysOutTheRestInBetween) {
  HostedTextView hosted;
  const HWND view = hosted.view();
  // Given its text while hidden, as a result window's text box is.
  ::ShowWindow(view, SW_HIDE);
  std::wstring text;
  while (text.size() < 3'000'000) {
    text += L"2024-05-14 09:31:07 #00012345 ZpxRuntime heartbeat: queue 0, 41 MB in use\r\n";
  }
  ::SetWindowTextW(view, text.c_str());
  ::ShowWindow(view, SW_SHOW);
  ::UpdateWindow(view);
  auto scrollLines = [&] {
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_RANGE;
    ::GetScrollInfo(view, SB_VERT, &scroll);
    return static_cast<LRESULT>(scroll.nMax) + 1;
  };
  EXPECT_GT(scrollLines(), 10000) << "the scroll bar gauges the whole text from the start";
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  const LRESULT lines = ::SendMessageW(view, EM_GETLINECOUNT, 0, 0);
  EXPECT_EQ(scrollLines(), lines) << "once the messages are handled, the layout is whole";
  EXPECT_EQ(::SendMessageW(view, EM_LINEINDEX, lines - 1, 0),
            static_cast<LRESULT>(text.size()));  // the empty line after the last break
}

// The events a screen reader follows the text box by, heard through a hook
// on this process.
class EventLog {
 public:
  struct Event {
    DWORD event;
    LONG object;
    friend bool operator==(const Event&, const Event&) = default;
  };
  explicit EventLog(HWND window) : window_(window) {
    current_ = this;
    hook_ = ::SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_TEXTSELECTIONCHANGED,
                              nullptr, &OnEvent, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    if (!hook_) throw std::runtime_error("SetWinEventHook failed");
  }
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;
  ~EventLog() {
    ::UnhookWinEvent(hook_);
    current_ = nullptr;
  }
  // The events of the value, the selection and the caret since the last call.
  std::vector<Event> Heard() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    return std::exchange(heard_, {});
  }

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG, DWORD,
                               DWORD) {
    const bool followed = event == EVENT_OBJECT_VALUECHANGE ||
                          event == EVENT_OBJECT_TEXTSELECTIONCHANGED ||
                          (event == EVENT_OBJECT_LOCATIONCHANGE && object == OBJID_CARET);
    if (current_ && hwnd == current_->window_ && followed) {
      current_->heard_.push_back({event, object});
    }
  }

  static inline EventLog* current_ = nullptr;
  HWND window_;
  HWINEVENTHOOK hook_ = nullptr;
  std::vector<Event> heard_;
};

TEST_F(AccessibilityTest, AHostedViewSignalsItsValueSelectionAndCaret) {
  HostedTextView hosted;
  ::SetFocus(hosted.view());
  EventLog log(hosted.view());
  log.Heard();
  using E = EventLog::Event;
  const E value{EVENT_OBJECT_VALUECHANGE, OBJID_CLIENT};
  const E selection{EVENT_OBJECT_TEXTSELECTIONCHANGED, OBJID_CLIENT};
  const E caret{EVENT_OBJECT_LOCATIONCHANGE, OBJID_CARET};
  auto has = [](const std::vector<E>& events, const E& wanted) {
    return std::find(events.begin(), events.end(), wanted) != events.end();
  };

  ::SendMessageW(hosted.view(), WM_CHAR, L'a', 1);
  std::vector<E> heard = log.Heard();
  EXPECT_TRUE(has(heard, value) && has(heard, selection) && has(heard, caret)) << "typing";
  ::SendMessageW(hosted.view(), EM_SETSEL, 1, 0);  // the caret back to the start
  heard = log.Heard();
  EXPECT_TRUE(!has(heard, value) && has(heard, selection) && has(heard, caret)) << "selecting";
  ::SendMessageW(hosted.view(), EM_SETSEL, 1, 0);
  EXPECT_EQ(log.Heard(), std::vector<E>{}) << "the same selection again";
  ::SetWindowTextW(hosted.view(), L"new");
  EXPECT_TRUE(has(log.Heard(), value)) << "WM_SETTEXT";
}

TEST_F(AccessibilityTest, AHostedViewsTextPatternReadsMovesAndSelectsByUnits) {
  HostedTextView hosted;
  const std::wstring text = L"one two\r\nthree four\r\n\r\nlast";
  ::SetWindowTextW(hosted.view(), text.c_str());
  const ComRef<IRawElementProviderSimple> provider = hosted.Provider();
  ASSERT_TRUE(provider);
  const auto textPattern =
      PatternOf<uia::ITextProvider>(provider.get(), uia::kTextPatternId, uia::kIidTextProvider);
  ASSERT_TRUE(textPattern);

  VARIANT property{};
  ASSERT_HRESULT_SUCCEEDED(provider->GetPropertyValue(uia::kControlTypePropertyId, &property));
  EXPECT_EQ(property.lVal, 50004);
  ASSERT_HRESULT_SUCCEEDED(provider->GetPropertyValue(uia::kNamePropertyId, &property));
  ASSERT_EQ(property.vt, VT_BSTR);
  EXPECT_EQ(std::wstring(property.bstrVal), L"Notes:") << "the label before it";
  ::VariantClear(&property);
  EXPECT_EQ(ReadAccessibleClient(hosted.view()).name, L"Notes:") << "the same for MSAA";

  ComRef<uia::ITextRangeProvider> document;
  ASSERT_HRESULT_SUCCEEDED(textPattern->get_DocumentRange(document.Receive()));
  EXPECT_EQ(TextOfRange(document.get()), text);

  // From the unit at the start, moved by `count` units.
  struct Row {
    uia::TextUnit unit;
    int count;
    int moved;
    std::wstring_view text;
  };
  const Row rows[] = {
      {uia::TextUnit_Character, 1, 1, L"n"},         {uia::TextUnit_Word, 1, 1, L"two"},
      {uia::TextUnit_Line, 1, 1, L"three four\r\n"}, {uia::TextUnit_Line, 9, 3, L"last"},
      {uia::TextUnit_Paragraph, 2, 2, L"\r\n"},      {uia::TextUnit_Document, 1, 0, text},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    ComRef<uia::ITextRangeProvider> range;
    ASSERT_HRESULT_SUCCEEDED(document->Clone(range.Receive()));
    range->MoveEndpointByRange(uia::TextPatternRangeEndpoint_End, document.get(),
                               uia::TextPatternRangeEndpoint_Start);
    range->ExpandToEnclosingUnit(rows[row].unit);
    int moved = 0;
    range->Move(rows[row].unit, rows[row].count, &moved);
    EXPECT_EQ(moved, rows[row].moved) << "row " << row;
    EXPECT_EQ(TextOfRange(range.get()), rows[row].text) << "row " << row;
  }

  // The selection, both ways.
  ::SendMessageW(hosted.view(), EM_SETSEL, 4, 7);
  SAFEARRAY* selection = nullptr;
  ASSERT_HRESULT_SUCCEEDED(textPattern->GetSelection(&selection));
  LONG index = 0;
  IUnknown* first = nullptr;
  ASSERT_HRESULT_SUCCEEDED(::SafeArrayGetElement(selection, &index, &first));
  ComRef<uia::ITextRangeProvider> selected;
  first->QueryInterface(uia::kIidTextRangeProvider, reinterpret_cast<void**>(selected.Receive()));
  first->Release();
  ::SafeArrayDestroy(selection);
  EXPECT_EQ(TextOfRange(selected.get()), L"two");
  int moved = 0;
  selected->Move(uia::TextUnit_Line, 1, &moved);
  selected->ExpandToEnclosingUnit(uia::TextUnit_Word);
  ASSERT_HRESULT_SUCCEEDED(selected->Select());
  EXPECT_EQ(::SendMessageW(hosted.view(), EM_GETSEL, 0, 0), MAKELRESULT(9, 15)) << "\"three \"";

  // Where a character is on the screen, both ways.
  const LRESULT at = ::SendMessageW(hosted.view(), EM_POSFROMCHAR, 4, 0);
  POINT screen{static_cast<short>(LOWORD(at)) + 1, static_cast<short>(HIWORD(at)) + 1};
  ::ClientToScreen(hosted.view(), &screen);
  ComRef<uia::ITextRangeProvider> pointed;
  ASSERT_HRESULT_SUCCEEDED(
      textPattern->RangeFromPoint({double(screen.x), double(screen.y)}, pointed.Receive()));
  pointed->ExpandToEnclosingUnit(uia::TextUnit_Word);
  EXPECT_EQ(TextOfRange(pointed.get()), L"two");
  SAFEARRAY* rects = nullptr;
  ASSERT_HRESULT_SUCCEEDED(pointed->GetBoundingRectangles(&rects));
  ASSERT_EQ(rects->rgsabound[0].cElements, 4u) << "one line: left, top, width, height";
  const auto* box = static_cast<const double*>(rects->pvData);
  EXPECT_EQ(box[0], screen.x - 1);
  EXPECT_EQ(box[1], screen.y - 1);
  EXPECT_GT(box[2], 0);
  EXPECT_GT(box[3], 0);
  ::SafeArrayDestroy(rects);

  // Ranges outlive edits, clamped to the text there is now.
  ::SetWindowTextW(hosted.view(), L"ab");
  EXPECT_EQ(TextOfRange(document.get()), L"ab");
  const auto value =
      PatternOf<uia::IValueProvider>(provider.get(), uia::kValuePatternId, uia::kIidValueProvider);
  ASSERT_TRUE(value);
  ASSERT_HRESULT_SUCCEEDED(value->SetValue(L"new"));
  EXPECT_EQ(TextOf(hosted.view()), L"new");
  BOOL readOnly = TRUE;
  value->get_IsReadOnly(&readOnly);
  EXPECT_FALSE(readOnly);

  // ...and the window: then the element is gone.
  ::DestroyWindow(hosted.view());
  BSTR gone = nullptr;
  EXPECT_EQ(document->GetText(-1, &gone), uia::kElementNotAvailable);
  EXPECT_EQ(provider->GetPropertyValue(uia::kControlTypePropertyId, &property),
            uia::kElementNotAvailable);
}

}  // namespace
}  // namespace pravex::e2e
