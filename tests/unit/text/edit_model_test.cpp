// The text box's editing without a window: typing that undoes as one step,
// deletion by caret stop, undo and the undo of an undo, each edit keeping
// the layout what a fresh one would be; an edit that fails changes nothing.
#include "text/edit_model.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/unit/text/test_advances.h"

namespace pravex::text {
namespace {

// A character beyond the first 65536: two UTF-16 code units.
#define PAIR L"\xD83D\xDE00"

constexpr WrapOptions kWrap{.width = 100, .tabWidth = 80};  // 10 characters a line

struct Op {
  enum class Kind { kType, kPaste, kSelect, kSelectAll, kDelete, kBackspace, kUndo };
  using enum Kind;
  Kind kind;
  std::wstring_view text = {};
  std::size_t anchor = 0;
  std::size_t caret = 0;
};
Op Type(std::wstring_view text) {
  return {Op::kType, text};
}
Op Paste(std::wstring_view text) {
  return {Op::kPaste, text};
}
Op Sel(std::size_t anchor, std::size_t caret) {
  return {Op::kSelect, {}, anchor, caret};
}
constexpr Op kAll{Op::kSelectAll};
constexpr Op kDel{Op::kDelete};
constexpr Op kBs{Op::kBackspace};
constexpr Op kUndo{Op::kUndo};

Edit Apply(EditModel& model, const Op& op) {
  switch (op.kind) {
    case Op::kType:
      return model.ReplaceSelection(op.text, EditKind::kTyping);
    case Op::kPaste:
      return model.ReplaceSelection(op.text);
    case Op::kSelect:
      model.Select(op.anchor, op.caret);
      return {};
    case Op::kSelectAll:
      model.SelectAll();
      return {};
    case Op::kDelete:
      return model.DeleteForward();
    case Op::kBackspace:
      return model.DeleteBackward();
    case Op::kUndo:
      return model.Undo();
  }
  return {};
}

TEST(EditModelTest, EditSequences) {
  struct Row {
    std::wstring_view text;
    std::vector<Op> ops;
    std::wstring_view after;
    std::size_t anchor, caret;
    bool canUndo;
  };
  const Row rows[] = {
      // Typing in a row undoes as one step; the undo is undone in turn.
      {L"", {Type(L"a"), Type(L"b"), Type(L"c"), kUndo}, L"", 0, 0, true},
      {L"", {Type(L"ab"), Type(L"c"), kUndo, kUndo}, L"abc", 0, 3, true},
      {L"hello", {Sel(1, 4), Type(L"a"), Type(L"b"), kUndo}, L"hello", 1, 4, true},
      // Only typing on where it stopped joins the step; anything else starts one.
      {L"xy", {Sel(2, 2), Type(L"a"), Sel(0, 0), Type(L"b"), kUndo}, L"xya", 0, 0, true},
      {L"xy", {Sel(2, 2), Type(L"a"), Sel(0, 0), Sel(3, 3), Type(L"b"), kUndo}, L"xy", 2, 2, true},
      {L"", {Type(L"ab"), kBs, Type(L"c"), kUndo}, L"a", 1, 1, true},
      {L"", {Type(L"a"), Paste(L"bc"), Type(L"d"), kUndo}, L"abc", 3, 3, true},
      // Deletion goes by caret stop: a surrogate pair or CR LF whole.
      {L"a" PAIR L"b", {Sel(3, 3), kBs}, L"ab", 1, 1, true},
      {L"a" PAIR L"b", {Sel(2, 2), kDel}, L"ab", 1, 1, true},  // a caret inside moves back
      {L"a\r\nb", {Sel(1, 1), kDel}, L"ab", 1, 1, true},
      {L"a\r\nb", {Sel(3, 3), kBs, kUndo}, L"a\r\nb", 1, 3, true},
      {L"abcd", {Sel(3, 1), kDel}, L"ad", 1, 1, true},
      {L"abcd", {Sel(3, 1), kBs, kUndo}, L"abcd", 1, 3, true},
      {L"ab" PAIR, {Sel(1, 1), kAll, Type(L"x"), kUndo}, L"ab" PAIR, 0, 4, true},
      // An edit that joins a CR to an LF or two halves of a pair leaves the caret before them.
      {L"a\nb", {Sel(1, 1), Paste(L"x\r")}, L"ax\r\nb", 2, 2, true},
      {L"\rx\n", {Sel(2, 2), kBs}, L"\r\n", 0, 0, true},
      {L"\xD83Dx\xDE00", {Sel(1, 1), kDel}, PAIR, 0, 0, true},
      // Nothing to delete or undo: nothing changes.
      {L"ab", {Sel(0, 0), kBs, Sel(2, 2), kDel, kUndo}, L"ab", 2, 2, false},
      // Line breaks typed and taken out again rewrap the lines around them.
      {L"one two three four",
       {Sel(3, 3), Type(L"\r\n"), Sel(9, 9), Type(L"\r\n"), kUndo, kUndo},
       L"one\r\n two\r\n three four",
       9,
       11,
       true},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    EditModel model(TestWidths);
    model.SetText(std::wstring(r.text), kWrap);
    for (const Op& op : r.ops) {
      const std::vector<std::uint32_t> linesBefore = model.Layout().Starts();
      const Edit edit = Apply(model, op);
      LineLayout fresh;
      fresh.Wrap(model.Text(), model.Advances(), kWrap);
      ASSERT_EQ(model.Layout().Starts(), fresh.Starts()) << "row " << row;
      if (!edit.applied) continue;
      // The view repaints from edit.firstLine on: the lines above stay.
      for (std::size_t line = 0; line < edit.firstLine; ++line) {
        ASSERT_EQ(fresh.LineStart(line), linesBefore[line]) << "row " << row;
      }
      EXPECT_EQ(edit.lineCountChanged, linesBefore.size() != fresh.LineCount()) << "row " << row;
      EXPECT_TRUE(model.Modified()) << "row " << row;
    }
    EXPECT_EQ(model.Text(), r.after) << "row " << row;
    EXPECT_EQ(model.Anchor(), r.anchor) << "row " << row;
    EXPECT_EQ(model.Caret(), r.caret) << "row " << row;
    EXPECT_EQ(model.CanUndo(), r.canUndo) << "row " << row;
  }
}

TEST(EditModelTest, AnEditThatCannotBeLaidOutChangesNothing) {
  // Widths of the CJK block cannot be had; a layout not complete cannot be
  // edited unless the view completes it when asked.
  auto failingAdvances = [](char16_t first, CharAdvances::Block& widths) {
    if (first >= 0x4E00) throw std::runtime_error("no font");
    widths.fill(10);
  };
  struct Row {
    const char* what;
    bool partialLayout;
    bool completeWhenAsked;
    Op op;
    bool fails;
  };
  const Row rows[] = {
      {"unmeasurable", false, false, Type(L"\x4E00"), true},
      {"partial layout", true, false, Type(L"x"), true},
      {"partial layout, undo", true, false, kUndo, true},
      {"partial layout completed", true, true, Type(L"x"), false},
  };
  const std::wstring text = L"ab cd\r\nef gh\r\nij";
  for (const Row& r : rows) {
    EditModel model(failingAdvances);
    model.SetText(text, kWrap);
    model.Select(2, 2);
    model.ReplaceSelection(L"zz", EditKind::kTyping);  // an undo step to keep
    model.Select(1, 4);
    if (r.partialLayout) model.Layout().WrapStart(model.Text(), model.Advances(), kWrap, 0);
    if (r.completeWhenAsked) {
      model.OnLayoutNeeded([&] { model.Layout().Extend(model.Text(), model.Advances(), 99); });
    }
    if (!r.fails) {
      EXPECT_TRUE(Apply(model, r.op).applied) << r.what;
      continue;
    }
    EXPECT_ANY_THROW(Apply(model, r.op)) << r.what;
    EXPECT_EQ(model.Text(), L"abzz cd\r\nef gh\r\nij") << r.what;
    EXPECT_EQ(model.Selection(), (Span{1, 4})) << r.what;
    ASSERT_TRUE(model.CanUndo()) << r.what;
    model.Layout().Wrap(model.Text(), model.Advances(), kWrap);
    model.Undo();
    EXPECT_EQ(model.Text(), text) << r.what;
  }
  // Nor does a text that cannot be laid out replace the one there.
  EditModel model(failingAdvances);
  model.SetText(text, kWrap);
  EXPECT_ANY_THROW(model.SetText(L"\x4E00", kWrap));
  EXPECT_EQ(model.Text(), text);
}

}  // namespace
}  // namespace pravex::text
