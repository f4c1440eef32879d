// What a save writes (the document's choices over [main] kanji and retline), the Save As
// dialog's rows and mark box, and a Save As that writes the choice and leaves the document
// holding it.
#include "FakeWindows.h"

#include "documents/SaveFormat.h"

namespace {

using E = EncodingCode;
using L = LineEndingCode;

Document Doc(E encoding, bool chosen, L lineEnding = L::Automatic)
{
    Document document;
    document.encoding = encoding;
    document.encodingChosen = chosen;
    document.lineEnding = lineEnding;
    return document;
}

TEST(SaveFormat, TheDocumentsOwnChoiceWinsOverTheSettings)
{
    struct Case {
        Document document;
        SaveSettings settings;  // kanji, retline, utf16_bom, utf8_bom
        E encoding;
        L lineEnding;
    } const cases[] = {
        {Doc(E::EucJp, false), {0, 4}, E::EucJp, L::Automatic},  // kanji 0 keeps what was read
        {Doc(E::EucJp, false), {5, 2, false, true}, E::Utf8Bom, L::Cr},
        {Doc(E::EucJp, true), {5, 1, false, true}, E::EucJp, L::Crlf},  // chosen: kanji has no say
        {Doc(E::Utf16BeBom, true, L::Cr), {1, 1}, E::Utf16BeBom, L::Cr},
        {Doc(E::ShiftJis, false, L::Lf), {4, 9, true}, E::Utf16LeBom, L::Lf},
        {Doc(E::ShiftJis, false), {4, 9}, E::Utf16Le, L::Automatic},  // an unknown retline: the view's own
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SaveEncodingOf(c.document, c.settings), c.encoding) << &c - cases;
        EXPECT_EQ(SaveLineEndingOf(c.document, c.settings), c.lineEnding) << &c - cases;
    }
    EXPECT_EQ(LineEndingName(L::Cr), "CR");
}

TEST(SaveFormat, TheBoxFollowsTheRowAndTheDocumentTakesOnlyWhatTheUserChanged)
{
    // A UTF-8 file with its mark, [main] utf16_bom 1, utf8_bom 0.
    const SaveOffer offer = OfferSave(Doc(E::Utf8Bom, false), {0, 4, true, false});
    EXPECT_EQ(offer.written, E::Utf8Bom);
    EXPECT_TRUE(offer.mark);
    EXPECT_EQ(offer.encodingRow + offer.lineEndingRow, 0);
    // Rows: 0 そのまま, then sjis, cp932, euc, jis, utf8, utf16le, utf16be.
    const bool takes[] = {true, false, false, false, false, true, true, true};
    // UTF-8 as written, UTF-16 as the setting.
    const bool marks[] = {true, false, false, false, false, true, true, true};
    for (int row = 0; row <= kEncodingChoiceCount; ++row) {
        EXPECT_EQ(RowTakesMark(offer, row), takes[row]) << row;
        EXPECT_EQ(RowMark(offer, row), marks[row]) << row;
    }
    // Saved as Shift_JIS by [main] kanji 1, UTF-8 picked: the file's own mark.
    EXPECT_TRUE(RowMark(OfferSave(Doc(E::Utf8Bom, false), {1, 4, false, false}), 5));
    struct Case {
        int encodingRow;
        bool mark;
        int lineEndingRow;
        Document after;
    } const cases[] = {
        {0, true, 0, Doc(E::Utf8Bom, false)},        // nothing changed: nothing chosen
        {0, false, 0, Doc(E::Utf8, true)},           // the box alone is a choice
        {5, true, 3, Doc(E::Utf8Bom, true, L::Cr)},  // a row picked, even the same encoding
        {7, true, 1, Doc(E::Utf16BeBom, true, L::Crlf)},
        {3, true, 2, Doc(E::EucJp, true, L::Lf)},  // no mark for EUC-JP
    };
    for (const Case& c : cases) {
        SaveOffer left = offer;
        left.encodingRow = c.encodingRow;
        left.mark = c.mark;
        left.lineEndingRow = c.lineEndingRow;
        Document document = Doc(E::Utf8Bom, false);
        TakeSaveChoice(document, left);
        EXPECT_EQ(document.encoding, c.after.encoding) << &c - cases;
        EXPECT_EQ(document.encodingChosen, c.after.encodingChosen) << &c - cases;
        EXPECT_EQ(document.lineEnding, c.after.lineEnding) << &c - cases;
    }
    // The first and the last row, picked for what the file would be written in anyway.
    for (const auto& [own, kanji, row] : {std::tuple{E::Utf8Bom, 1, 1}, {E::Utf16BeBom, 0, 7}}) {
        SaveOffer asWritten = OfferSave(Doc(own, false), {kanji, 4, false, false});
        asWritten.encodingRow = row;
        Document document = Doc(own, false);
        TakeSaveChoice(document, asWritten);
        EXPECT_TRUE(document.encodingChosen && document.encoding == asWritten.written) << row;
    }
}

using SaveAsTest = OpenSaveFixture;

TEST_F(SaveAsTest, TheChoiceIsWrittenByteForByteAndStaysTheDocumentsUntilAnotherFileIsOpened)
{
    Set("main", "kanji", 1);
    Set("main", "retline", 1);
    ASSERT_EQ(Open("a.txt", "\x93\xfa\nA"), kOpenLoaded);  // 日 LF A in Shift_JIS
    windows.saveDialogChoice = [](SaveOffer& offer) {
        EXPECT_EQ(offer.written, E::ShiftJis);  // what [main] kanji 1 writes
        EXPECT_EQ(offer.writtenEnding, L::Crlf);
        offer.encodingRow = 7;  // utf16be
        offer.mark = true;
        offer.lineEndingRow = 3;  // CR
    };
    const std::string path = folder.File("b.txt");
    windows.savePaths = {path};
    ASSERT_TRUE(SaveDocumentAs(documents, 0));
    const std::string bytes("\xfe\xff\x65\xe5\x00\x0d\x00\x41", 8);
    EXPECT_EQ(TempFolder::Read(path), bytes);
    const Document& document = CurrentDocument(list);
    EXPECT_EQ(document.encoding, E::Utf16BeBom);
    EXPECT_EQ(document.lineEnding, L::Cr);
    EXPECT_EQ(windows.views[0].lineEnding, 2);
    // The next save writes the same whatever [main] says; a failed Save As changes nothing.
    windows.views[0].text += "B";
    EXPECT_TRUE(SaveDocument(documents, 0, path));
    EXPECT_EQ(TempFolder::Read(path), bytes + std::string("\0B", 2));
    windows.saveDialogChoice = [](SaveOffer& offer) { offer.encodingRow = 1, offer.lineEndingRow = 2; };
    windows.savePaths = {folder.File("no-such-folder/c.txt")};
    windows.answers = {kAnswerOk};
    EXPECT_FALSE(SaveDocumentAs(documents, 0));
    EXPECT_EQ(document.encoding, E::Utf16BeBom);
    EXPECT_EQ(document.lineEnding, L::Cr);
    // Opening a file into the tab forgets the choice.
    CloseCurrentTab(documents);
    ASSERT_EQ(Open("d.txt", "x\r"), kOpenLoaded);
    EXPECT_EQ(CurrentDocument(list).lineEnding, L::Automatic);
    EXPECT_FALSE(CurrentDocument(list).encodingChosen);
}

}  // namespace
