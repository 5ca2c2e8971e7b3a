// Random edit sequences on the text box's editing model: after every edit
// the caret and the anchor stand on caret stops within the text, the layout
// is the one a fresh layout of the text finds, and undoing restores the
// text as it was before the undo step began (and undoing that, the text
// before the undo).
#include <string>

#include "tests/fuzz/fuzz_input.h"
#include "text/caret_stops.h"
#include "text/edit_model.h"

namespace {

using pravex::fuzz::Check;
using namespace pravex::text;

// Bytes read one at a time; zeros once they run out.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  wchar_t Char() {
    // Mostly what lines are made of, sometimes any UTF-16 unit.
    static constexpr wchar_t kCommon[] = L"ab \t\r\n.\xD83D\xDE00\x4E00";
    const std::uint8_t pick = Byte();
    if (pick < 224) return kCommon[pick % (std::size(kCommon) - 1)];
    return static_cast<wchar_t>(Byte() | (Byte() << 8));
  }
  std::wstring Text(std::size_t most) {
    std::wstring text(Byte() % (most + 1), L' ');
    for (wchar_t& c : text) c = Char();
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

void Widths(char16_t first, CharAdvances::Block& widths) {
  for (std::size_t i = 0; i < widths.size(); ++i)
    widths[i] = static_cast<std::uint16_t>((first + i) % 13 + 1);
}

void CheckConsistent(const EditModel& model, const WrapOptions& wrap) {
  const std::wstring& text = model.Text();
  Check(model.Anchor() <= text.size() && IsCaretStop(text, model.Anchor()));
  Check(model.Caret() <= text.size() && IsCaretStop(text, model.Caret()));
  CharAdvances advances(Widths);
  LineLayout fresh;
  fresh.Wrap(text, advances, wrap);
  Check(model.Layout().Complete() && model.Layout().Starts() == fresh.Starts());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  const WrapOptions wrap{.width = in.Byte() % 64 + 1, .tabWidth = in.Byte() % 16 + 1};
  EditModel model(Widths);
  model.SetText(in.Text(40), wrap);
  // The text when the undo step began, and where the typing it holds stops.
  std::wstring stepStart;
  bool typingStep = false;
  std::size_t typingEnd = 0;
  for (int ops = 0; in.More() && ops < 200; ++ops) {
    const std::wstring before = model.Text();
    const std::size_t start = model.SelectionStart();
    const bool selection = model.HasSelection();
    Edit edit;
    bool typed = false;
    switch (in.Byte() % 8) {
      case 0:
      case 1: {
        const wchar_t c = in.Char();
        edit = model.ReplaceSelection(std::wstring_view(&c, 1), EditKind::kTyping);
        typed = true;
        break;
      }
      case 2:
        edit = model.ReplaceSelection(in.Text(8));
        break;
      case 3: {
        const std::size_t anchor = in.Byte() % (before.size() + 2);
        model.Select(anchor, in.Byte() % (before.size() + 2), in.Byte() & 1);
        break;
      }
      case 4:
        edit = model.DeleteForward();
        break;
      case 5:
        edit = model.DeleteBackward();
        break;
      case 6: {
        const bool could = model.CanUndo();
        edit = model.Undo();
        Check(edit.applied == could);
        if (could) {
          Check(model.Text() == stepStart);
          stepStart = before;
          typingStep = false;
        }
        CheckConsistent(model, wrap);
        continue;
      }
      default:
        model.SetText(in.Text(40), wrap);
        Check(!model.CanUndo() && !model.Modified() && model.Caret() == 0);
        typingStep = false;
        CheckConsistent(model, wrap);
        continue;
    }
    CheckConsistent(model, wrap);
    if (!edit.applied) {
      Check(model.Text() == before);
      continue;
    }
    Check(model.Modified() && model.CanUndo() && !model.HasSelection());
    // Typing on where the last typing stopped extends its step.
    if (!(typed && typingStep && !selection && start == typingEnd)) stepStart = before;
    typingStep = typed;
    if (typed) typingEnd = start + 1;
  }
  return 0;
}
