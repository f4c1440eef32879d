// Drives the text model with edits, selections, undos and redos read from the fuzzer's
// input, checking it against the plain-string oracle after every step, and runs the line
// scanners (emphasis, links, highlight, wrap) over every line it produces.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "../unit/textcontrol/TextOracle.h"
#include "textcontrol/model/TextModel.h"
#include "textcontrol/model/WrapLayout.h"

using namespace kvte::textcontrol;
using kvte::textcontrol::testing::Oracle;

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool Empty() const { return at >= size; }
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    std::string Bytes(size_t n)
    {
        n = std::min(n, size - std::min(at, size));
        std::string s(reinterpret_cast<const char*>(data + at), n);
        at += n;
        return s;
    }
};

void Fail(int line)
{
    std::fprintf(stderr, "fuzz_textmodel: check at line %d failed\n", line);
    std::abort();
}
#define Require(condition) ((condition) ? (void)0 : Fail(__LINE__))

void CheckSame(TextModel& model, const Oracle& oracle)
{
    Require(model.GetText(kLineEndingLf) == oracle.text);
    Require(model.GetLineCount() == oracle.Lines());
    Require(model.CaretIndex() == oracle.caret && model.AnchorIndex() == oracle.anchor);
    Require(model.GetCaretOffset() == oracle.Offset(oracle.caret));
    Require(model.Caret() == oracle.Position(oracle.caret));
}

void ScanLines(TextModel& model, WrapLayout& wrap)
{
    std::vector<ColourRun> colours;
    std::vector<LinkRun> links;
    std::vector<HighlightRun> highlights;
    for (int line = 1; line <= model.GetLineCount(); ++line) {
        int length = model.GetLineLength(line);
        model.LineColourRuns(line, &colours);
        for (const ColourRun& run : colours)
            Require(run.start >= 0 && run.length > 0 && run.start + run.length <= length);
        model.LineLinkRuns(line, &links);
        for (const LinkRun& run : links) Require(run.start >= 0 && run.length > 0 && run.start + run.length <= length);
        model.LineHighlightRuns(line, &highlights);
        for (const HighlightRun& run : highlights) Require(run.start + run.length <= length);
        const std::vector<int>& rows = wrap.RowStarts(line);
        Require(!rows.empty() && rows[0] == 0 && rows.back() <= std::max(0, length));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in{data, size};
    TextModel model;
    Oracle oracle;
    WrapLayout wrap(model);
    wrap.SetWidth(1 + in.Byte() % 20);
    model.AddEmphasis("/*", "*/", kEmphasisMultiBetween, 1, 0, 6, 0);
    model.AddEmphasis("//", "", kEmphasisLineAfter, 2, 0, 6, 0);
    model.AddEmphasis("\"", "\"", kEmphasisLineBetween, 3, 0, 2, 0);
    model.AddEmphasis("if", "", kEmphasisWord, 4, 0, 1, 0);
    model.AddEmphasis("\x82\xA0", "", kEmphasisWord, 5, 0, 1, 0);
    model.SetHighlightText("a");

    // The first piece is loaded whole: any bytes, any line ends.
    std::string initial = in.Bytes(in.Byte());
    Require(model.SetText(initial));
    for (size_t i = 0; i < initial.size(); ++i) {
        char c = initial[i];
        if (c == '\r') {
            if (i + 1 < initial.size() && initial[i + 1] == '\n') ++i;
            c = '\n';
        }
        oracle.text += c;
    }
    CheckSame(model, oracle);

    // The oracle's work per step grows with the text: spend a fixed budget, not a fixed count.
    size_t budget = 800;
    while (!in.Empty() && budget > 0) {
        budget -= std::min(budget, 1 + oracle.text.size() / 4000);
        uint8_t op = in.Byte();
        switch (op % 10) {
        case 0:
        case 1: {
            uint8_t length = in.Byte();
            std::string text = in.Bytes(length % 8);
            // Now and then a paste large enough to cross the store's chunks and line blocks.
            if ((length & 0xF0) == 0xF0 && oracle.text.size() < 100000) {
                std::string paste;
                for (int k = 0; k < 5000; ++k) paste += text + "\n";
                text = paste;
            }
            Require(model.InsertText(text) == oracle.Insert(text));
            break;
        }
        case 2:
            Require(model.DeleteBackward() == oracle.Backspace());
            break;
        case 3:
            Require(model.DeleteForward() == oracle.Delete());
            break;
        case 4: {
            int a = in.Byte(), c = in.Byte();
            model.SelectRange(a, c);
            oracle.Select(oracle.IndexOfOffset(a), oracle.IndexOfOffset(c));
            break;
        }
        case 5:
            Require(model.Undo() == oracle.Undo());
            break;
        case 6:
            Require(model.Redo() == oracle.Redo());
            break;
        case 7: {
            bool editable = (in.Byte() & 7) != 0;
            model.SetEditable(editable);
            oracle.editable = editable;
            break;
        }
        case 8: {
            // Movements and word selection: only the invariants, not a second implementation.
            static const CaretMove moves[] = {CaretMove::CharLeft,  CaretMove::CharRight, CaretMove::WordLeft,
                                              CaretMove::WordRight, CaretMove::LineUp,    CaretMove::LineDown,
                                              CaretMove::PageUp,    CaretMove::PageDown,  CaretMove::LineStart,
                                              CaretMove::LineEnd};
            uint8_t arg = in.Byte();
            if (arg % 11 == 10)
                model.SelectWordAt({1 + arg % 5, 1 + in.Byte() % 30});
            else
                model.MoveCaret(moves[arg % 10], (arg & 0x80) != 0, 3);
            oracle.Select(model.AnchorIndex(), model.CaretIndex());
            Require(oracle.anchor == model.AnchorIndex() && oracle.caret == model.CaretIndex());
            break;
        }
        case 9: {
            // Indentation has its own step shape: check its undo and redo, then start the
            // model and the oracle afresh from the indented text.
            bool add = in.Byte() & 1;
            std::string before = oracle.text;
            if (add ? model.Indent() : model.Unindent()) {
                std::string after = model.GetText(kLineEndingLf);
                Require(model.Undo() && model.GetText(kLineEndingLf) == before);
                Require(model.Redo() && model.GetText(kLineEndingLf) == after);
                Require(model.SetText(after));
                bool editable = oracle.editable;
                oracle = Oracle();
                oracle.text = after;
                oracle.editable = editable;
            }
            break;
        }
        }
        CheckSame(model, oracle);
    }
    ScanLines(model, wrap);
    std::string crlf = model.GetText(kLineEndingCrLf);
    Require(crlf.size() == model.GetTextLength());
    return 0;
}
