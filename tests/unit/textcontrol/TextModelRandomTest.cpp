// Long random sequences of edits, selections, undos and redos applied both to the model
// and to a plain string, the oracle, comparing text, lines, offsets and caret after
// every step. The oracle implements character units, offsets and undo merging on its
// own, as simply as possible.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "textcontrol/model/TextModel.h"

namespace kvte::textcontrol {
// Reaches the model's private line index to check its invariants.
struct TextModelAccess {
  static bool Verify(const TextModel& model) { return model.lines_.Verify(model.buffer_.Length()); }
};
}  // namespace kvte::textcontrol

using namespace kvte::textcontrol;

namespace {

bool Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool Trail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

struct Oracle {
  std::string text;  // '\n' line breaks
  size_t anchor = 0, caret = 0;
  struct Step {
    std::string before, after;
    size_t anchorBefore, caretBefore, anchorAfter, caretAfter;
    int kind;  // 0 none, 1 typing, 2 backspace, 3 delete
  };
  std::vector<Step> steps;
  size_t done = 0;  // steps[0..done) can be undone
  int lastKind = 0;  // kind of the step that may still grow, 0 none
  size_t limit = 256;
  bool editable = true;

  std::vector<bool> Boundaries() const {
    std::vector<bool> b(text.size() + 1, false);
    size_t i = 0;
    while (i <= text.size()) {
      b[i] = true;
      if (i == text.size()) break;
      if (text[i] == '\n') { ++i; continue; }
      if (i + 1 < text.size() && Lead(text[i]) && Trail(text[i + 1]) && text[i + 1] != '\n') i += 2;
      else ++i;
    }
    return b;
  }
  size_t Snap(size_t i) const {
    std::vector<bool> b = Boundaries();
    i = std::min(i, text.size());
    while (!b[i]) --i;
    return i;
  }
  int Offset(size_t index) const {
    return static_cast<int>(index + std::count(text.begin(), text.begin() + index, '\n') + 1);
  }
  size_t IndexOfOffset(int offset) const {
    long crlfLength = static_cast<long>(text.size() + std::count(text.begin(), text.end(), '\n'));
    long x = std::clamp<long>(offset - 1L, 0, crlfLength);
    size_t best = 0;
    for (size_t i = 0; i <= text.size(); ++i)
      if (Offset(i) - 1 <= x) best = i;
    return Snap(best);
  }
  TextPosition Position(size_t index) const {
    int line = 1;
    size_t start = 0;
    for (size_t i = 0; i < index; ++i)
      if (text[i] == '\n') { ++line; start = i + 1; }
    return {line, static_cast<int>(index - start + 1)};
  }
  int Lines() const { return static_cast<int>(std::count(text.begin(), text.end(), '\n') + 1); }

  void Select(size_t a, size_t c) { anchor = Snap(a); caret = Snap(c); lastKind = 0; }
  bool Replace(size_t start, size_t end, const std::string& with, int kind) {
    if (!editable) return false;
    if (start == end && with.empty()) { lastKind = 0; return true; }
    std::string before = text;
    size_t ab = anchor, cb = caret;
    text.replace(start, end - start, with);
    anchor = caret = start + with.size();
    if (!Boundaries()[caret]) anchor = caret = Snap(caret) + 2;  // into a pair: after it
    if (kind != 0 && kind == lastKind && done > 0) {
      steps[done - 1].after = text;
      steps[done - 1].anchorAfter = anchor;
      steps[done - 1].caretAfter = caret;
    } else {
      steps.resize(done);
      steps.push_back({before, text, ab, cb, anchor, caret, kind});
      done = steps.size();
      if (steps.size() > limit) { steps.erase(steps.begin()); --done; }
    }
    lastKind = kind;
    return true;
  }
  bool Insert(const std::string& raw) {
    std::string t;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '\r') { if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i; t += '\n'; }
      else t += raw[i];
    }
    size_t s = std::min(anchor, caret), e = std::max(anchor, caret);
    bool one = s == e && !t.empty() && t.find('\n') == std::string::npos &&
               (t.size() == 1 || (t.size() == 2 && Lead(t[0])));
    if (!editable) return false;
    if (!one) lastKind = 0;
    bool r = Replace(s, e, t, one ? 1 : 0);
    if (!one) lastKind = 0;
    return r;
  }
  bool Backspace() {
    if (!editable) return false;
    if (anchor != caret) { lastKind = 0; Replace(std::min(anchor, caret), std::max(anchor, caret), "", 0); lastKind = 0; return true; }
    if (caret == 0) return false;
    size_t prev = text[caret - 1] == '\n' ? caret - 1 : Snap(caret - 1);
    return Replace(prev, caret, "", 2);
  }
  bool Delete() {
    if (!editable) return false;
    if (anchor != caret) { lastKind = 0; Replace(std::min(anchor, caret), std::max(anchor, caret), "", 0); lastKind = 0; return true; }
    if (caret >= text.size()) return false;
    size_t next = caret + 1;
    if (text[caret] != '\n' && caret + 1 < text.size() && Lead(text[caret]) && Trail(text[caret + 1])) next = caret + 2;
    return Replace(caret, next, "", 3);
  }
  bool Undo() {
    if (!editable || done == 0) return false;
    Step& s = steps[--done];
    text = s.before; anchor = s.anchorBefore; caret = s.caretBefore; lastKind = 0;
    return true;
  }
  bool Redo() {
    if (!editable || done >= steps.size()) return false;
    Step& s = steps[done++];
    text = s.after; anchor = s.anchorAfter; caret = s.caretAfter; lastKind = 0;
    return true;
  }
};

std::string RandomPiece(std::mt19937& rng) {
  static const char* pieces[] = {"a", "b", "Z", "1", " ", "\t", "\r\n", "\r", "\n", "\x82\xA0" /*あ*/,
                                 "\x88\x9F" /*亜*/, "\x83\x41" /*ア, trail 'A'*/, "\x82" /*lone lead*/,
                                 "\xA0" /*stray*/, "\xB1" /*ｱ*/, "\x81\x40", "/*", "*/", "if", "\xFD"};
  std::string s;
  int n = std::uniform_int_distribution<int>(1, 6)(rng);
  for (int i = 0; i < n; ++i) s += pieces[rng() % (sizeof pieces / sizeof *pieces)];
  if (rng() % 3 == 0) return std::string(pieces[rng() % (sizeof pieces / sizeof *pieces)]);
  return s;
}

std::string Escaped(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
    else { char b[8]; std::snprintf(b, sizeof b, "\\x%02X", c); out += b; }
  }
  return out;
}

void CheckSame(TextModel& model, const Oracle& oracle, int step, int op) {
  SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(op) + " text \"" + Escaped(oracle.text) + "\"");
  ASSERT_EQ(model.GetText(kLineEndingLf), oracle.text);
  ASSERT_EQ(model.GetLineCount(), oracle.Lines());
  ASSERT_EQ(model.GetTextLength(), oracle.text.size() + oracle.Lines() - 1);
  ASSERT_EQ(model.CaretIndex(), oracle.caret);
  ASSERT_EQ(model.AnchorIndex(), oracle.anchor);
  ASSERT_EQ(model.GetCaretOffset(), oracle.Offset(oracle.caret));
  ASSERT_EQ(model.Caret(), oracle.Position(oracle.caret));
  ASSERT_TRUE(TextModelAccess::Verify(model));
}

void RunRandomSequence(unsigned seed, int steps, int undoLimit) {
  std::mt19937 rng(seed);
  TextModel model;
  Oracle oracle;
  model.SetUndoLimit(undoLimit);
  oracle.limit = undoLimit < 0 ? 1u << 30 : static_cast<size_t>(undoLimit);
  for (int step = 0; step < steps; ++step) {
    int op = static_cast<int>(rng() % 100);
    if (op < 30) {
      std::string piece = RandomPiece(rng);
      ASSERT_EQ(model.InsertText(piece), oracle.Insert(piece));
    } else if (op < 40) {
      ASSERT_EQ(model.DeleteBackward(), oracle.Backspace());
    } else if (op < 48) {
      ASSERT_EQ(model.DeleteForward(), oracle.Delete());
    } else if (op < 60) {
      int total = static_cast<int>(model.GetTextLength()) + 3;
      int a = static_cast<int>(rng() % total), c = static_cast<int>(rng() % total);
      if (rng() % 3 == 0) c = a;
      model.SelectRange(a, c);
      oracle.Select(oracle.IndexOfOffset(a), oracle.IndexOfOffset(c));
    } else if (op < 66) {
      int line = static_cast<int>(rng() % (oracle.Lines() + 2));
      int column = static_cast<int>(rng() % 12);
      model.SetSelection(line, column, line, column);
      TextPosition p = model.Caret();
      // The oracle agrees on where that position is: same line, clamped column, unit start.
      int clampedLine = std::clamp(line, 1, oracle.Lines());
      ASSERT_EQ(p.line, clampedLine);
      size_t idx = 0;
      for (int l = 1; l < clampedLine; ++l) idx = oracle.text.find('\n', idx) + 1;
      size_t lineEnd = oracle.text.find('\n', idx);
      if (lineEnd == std::string::npos) lineEnd = oracle.text.size();
      size_t want = std::min(idx + std::max(column, 1) - 1, lineEnd);
      oracle.Select(want, want);
    } else if (op < 78) {
      ASSERT_EQ(model.Undo(), oracle.Undo());
    } else if (op < 88) {
      ASSERT_EQ(model.Redo(), oracle.Redo());
    } else if (op < 90) {
      bool editable = rng() % 4 != 0;
      model.SetEditable(editable);
      oracle.editable = editable;
    } else {
      // Round trips of offsets and positions over the whole text.
      int total = static_cast<int>(model.GetTextLength()) + 1;
      for (int k = 0; k < 5; ++k) {
        int offset = static_cast<int>(rng() % (total + 2));
        size_t idx = oracle.IndexOfOffset(offset);
        ASSERT_EQ(model.IndexOfOffset(offset), idx) << offset;
        ASSERT_EQ(model.PositionOfOffset(offset), oracle.Position(idx));
        ASSERT_EQ(model.OffsetOfPosition(oracle.Position(idx)), oracle.Offset(idx));
      }
    }
    CheckSame(model, oracle, step, op);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace

TEST(TextModelRandom, MatchesThePlainStringOracle) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    RunRandomSequence(seed, 1500, 256);
    if (HasFatalFailure()) FAIL() << "seed " << seed;
  }
}

TEST(TextModelRandom, MatchesWithABoundedOrUnlimitedHistory) {
  for (unsigned seed = 100; seed <= 110; ++seed) {
    RunRandomSequence(seed, 1500, 3);
    if (HasFatalFailure()) FAIL() << "seed " << seed;
    RunRandomSequence(seed, 800, -1);
    if (HasFatalFailure()) FAIL() << "seed " << seed;
  }
}
