// Recovery copies: the record read back whole or refused whole, when a copy is due, whose
// copies a folder holds, and a crash's copies given back as modified tabs.
#include "FakeWindows.h"

#include "documents/RecoveryCopies.h"
#include "documents/RecoveryRecord.h"
#include "documents/RecoveryWriter.h"

namespace {

RecoveryRecord SampleRecord()
{
    RecoveryRecord record;
    record.path = "C:\\\x93\xfa\\a.txt";
    record.encoding = EncodingCode::EucJp;
    record.loadedLossily = true;
    record.writable = false;
    record.caretLine = 3;
    record.caretColumn = 7;
    record.stamp = FileStamp{true, 12, -5, 0xfedcba98u};
    record.extra = {{"bom", "1"}};
    record.text = std::string("one\r\ntwo\0three", 14);
    return record;
}

void ExpectSame(const RecoveryRecord& a, const RecoveryRecord& b)
{
    EXPECT_EQ(a.path, b.path);
    EXPECT_EQ(a.encoding, b.encoding);
    EXPECT_EQ(a.loadedLossily, b.loadedLossily);
    EXPECT_EQ(a.writable, b.writable);
    EXPECT_EQ(a.caretLine, b.caretLine);
    EXPECT_EQ(a.caretColumn, b.caretColumn);
    EXPECT_EQ(a.stamp, b.stamp);
    EXPECT_EQ(a.extra, b.extra);
    EXPECT_EQ(a.text, b.text);
}

TEST(RecoveryRecord, ReadsBackWholeAndRefusesEveryCutAndEveryChangedByte)
{
    const RecoveryRecord written = SampleRecord();
    const std::string bytes = WriteRecoveryRecord(written);
    RecoveryRecord read;
    ASSERT_EQ(ReadRecoveryRecord(bytes, read), RecoveryReadResult::Ok);
    ExpectSame(read, written);

    const RecoveryRecord untouched = read;
    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_EQ(ReadRecoveryRecord(bytes.substr(0, length), read), RecoveryReadResult::Damaged) << length;
    }
    for (size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] ^= 0x20;
        EXPECT_EQ(ReadRecoveryRecord(changed, read), RecoveryReadResult::Damaged) << at;
    }
    ExpectSame(read, untouched);  // a refused record leaves the caller's as it was
    RecoveryRecord bare = written;  // the last value empty and no text: its length ends the record
    bare.extra = {{"bom", ""}};
    bare.text.clear();
    ASSERT_EQ(ReadRecoveryRecord(WriteRecoveryRecord(bare), read), RecoveryReadResult::Ok);
    ExpectSame(read, bare);
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);  // CRC-32's check value: records of other versions read back
}

TEST(RecoveryRecord, RefusesUnknownVersionsAndBadValuesEvenWithAGoodCheckSum)
{
    // Rewrites the record's version or its first property's value and seals it again.
    auto sealed = [](std::string bytes) {
        bytes.resize(bytes.size() - 12);
        AppendRecoveryTrailer(bytes, SampleRecord().text.size());
        return bytes;
    };
    std::string bytes = WriteRecoveryRecord(SampleRecord());
    RecoveryRecord read;
    std::string newer = bytes;
    newer[8] = 2;
    EXPECT_EQ(ReadRecoveryRecord(sealed(newer), read), RecoveryReadResult::UnknownVersion);
    std::string smallest = newer.substr(0, 12) + std::string(4, '\0');  // no properties, no text
    AppendRecoveryTrailer(smallest, 0);
    EXPECT_EQ(ReadRecoveryRecord(smallest, read), RecoveryReadResult::UnknownVersion);

    struct Case {
        const char* key;
        const char* value;
    } const cases[] = {{"line", "0"}, {"lossy", "2"}, {"encoding", "x"}, {"size", "-1"}, {"column", ""}};
    for (const Case& c : cases) {
        // The same key given twice: the later, bad value must refuse the record.
        RecoveryRecord record = SampleRecord();
        record.extra = {{c.key, c.value}};
        std::string bad = RecoveryHeader(record) + record.text;
        AppendRecoveryTrailer(bad, record.text.size());
        EXPECT_EQ(ReadRecoveryRecord(bad, read), RecoveryReadResult::Damaged) << c.key << "=" << c.value;
    }
    // A text length in the trailer that disagrees with the bytes there.
    std::string shortText = RecoveryHeader(SampleRecord()) + "abc";
    AppendRecoveryTrailer(shortText, 4);
    EXPECT_EQ(ReadRecoveryRecord(shortText, read), RecoveryReadResult::Damaged);
}

TEST(RecoveryCopies, CopiesAfterAQuietIntervalOrFourIntervalsOfSteadyTypingAndDropsWhenSaved)
{
    RecoveryCopies copies;
    copies.folder = "/r/";
    // Each step: time (ms), modified, counter, interval; then what is expected.
    struct Step {
        std::int64_t now;
        bool modified;
        std::uint64_t counter;
        int interval;
        CopyStep expected;
    } const steps[] = {
        {1000, true, 1, 15, CopyStep::None},     // first change seen
        {15999, true, 1, 15, CopyStep::None},    // not quiet long enough
        {16000, true, 1, 15, CopyStep::Write},   // quiet for 15 s
        {17000, true, 1, 15, CopyStep::None},    // copied (noted below)
        {20000, true, 2, 15, CopyStep::None},    // typing starts again
        {34000, true, 3, 15, CopyStep::None},
        {48000, true, 4, 15, CopyStep::None},
        {62000, true, 5, 15, CopyStep::None},
        {80000, true, 6, 15, CopyStep::Write},   // never quiet, but 60 s since the first change
        {81000, true, 7, 0, CopyStep::Remove},   // copies turned off
        {82000, false, 7, 15, CopyStep::Remove}, // saved or reloaded
    };
    for (const Step& s : steps) {
        EXPECT_EQ(NextCopyStep(copies, 2, s.modified, s.counter, s.now, s.interval), s.expected) << s.now;
        if (s.expected == CopyStep::Write) NoteCopied(copies, 2, s.counter);
    }
    RecoveryCopies off;  // no folder: never anything to do
    EXPECT_EQ(NextCopyStep(off, 0, true, 1, 999999, 15), CopyStep::None);
    // A snapshot that typing overtakes is begun again in larger pieces, up to the largest; a
    // finished copy starts small again.
    NoteSnapshotOvertaken(copies, 2);
    EXPECT_EQ(SnapshotPieceBytes(copies, 2), 2 * kFirstSnapshotPieceBytes);
    for (int i = 0; i < 40; ++i) NoteSnapshotOvertaken(copies, 2);
    EXPECT_EQ(SnapshotPieceBytes(copies, 2), kLargestSnapshotPieceBytes);
    NoteCopied(copies, 2, 8);
    EXPECT_EQ(SnapshotPieceBytes(copies, 2), kFirstSnapshotPieceBytes);
}

TEST(RecoveryCopies, OwnerIsReadOnlyFromNamesTheProgramMakes)
{
    struct Case {
        const char* name;
        bool owned;
        unsigned long owner;
    } const cases[] = {{"1234-0.kvr", true, 1234},   {"7-15.kvr", true, 7}, {"1234-.kvr", false, 0},
                       {"-3.kvr", false, 0},         {"12-3.kvrx", false, 0}, {"12-3", false, 0},
                       {"12x-3.kvr", false, 0},      {"", false, 0}};
    for (const Case& c : cases) {
        unsigned long owner = 0;
        EXPECT_EQ(RecoveryCopyOwner(c.name, owner), c.owned) << c.name;
        EXPECT_EQ(owner, c.owner) << c.name;
    }
    EXPECT_EQ(RecoveryCopyName(1234, 0), "1234-0.kvr");
}

std::map<int, std::pair<int, int>> carets;

struct RecoveryRestoreTest : OpenSaveFixture {
    RecoveryCopies& copies = documents.recovery;

    void SetUp() override
    {
        OpenSaveFixture::SetUp();
        copies.folder = ChooseRecoveryFolder(folder.File("backup"), "", '/');
        ASSERT_EQ(copies.folder, folder.File("backup/"));
        copies.owner = 100;
        documents.host.setCaret = [](void*, int slot, int line, int column) { carets[slot] = {line, column}; };
    }
    void PutCopy(const std::string& name, const RecoveryRecord& record)
    {
        TempFolder::Write(copies.folder + name, WriteRecoveryRecord(record));
    }
};

TEST_F(RecoveryRestoreTest, GivesBackUnownedCopiesAsModifiedTabsAndKeepsDamagedOnes)
{
    const std::string kept = MakeFile("kept.txt", "old");
    const std::string changed = MakeFile("changed.txt", "old");
    RecoveryRecord a = SampleRecord();
    a.path = kept;
    a.stamp = ReadFileStamp(kept.c_str());
    RecoveryRecord b = SampleRecord();
    b.path = changed;
    b.stamp = ReadFileStamp(changed.c_str());
    b.text = "new text";
    TempFolder::Write(changed, "changed by another program");
    PutCopy("7-0.kvr", a);       // owner 7 is gone
    PutCopy("8-3.kvr", b);       // owner 8 is gone
    PutCopy("9-0.kvr", a);       // owner 9 still runs
    PutCopy("100-1.kvr", a);     // this editor's own
    TempFolder::Write(copies.folder + "7-1.kvr", "damaged");

    std::vector<std::string> unowned = FindUnownedCopies(copies, [](unsigned long owner) { return owner == 9; });
    std::sort(unowned.begin(), unowned.end());
    ASSERT_EQ(unowned, (std::vector<std::string>{"7-0.kvr", "7-1.kvr", "8-3.kvr"}));

    RestoreOutcome outcome = RestoreCopies(documents, unowned);
    EXPECT_EQ(outcome.restored, 2);
    EXPECT_EQ(outcome.damagedNames, std::vector<std::string>{"7-1.kvr"});
    EXPECT_EQ(outcome.changedNames, std::vector<std::string>{"changed.txt"});
    // The first copy went into the untitled tab, the second into a new one.
    const Document* first = GetDocument(list, 0);
    const Document* second = GetDocument(list, 1);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->filePath, kept);
    EXPECT_TRUE(first->modified);
    EXPECT_EQ(first->encoding, EncodingCode::EucJp);
    EXPECT_FALSE(first->writable);
    EXPECT_EQ(ViewText(0), a.text);
    EXPECT_EQ(ViewText(1), "new text");
    EXPECT_EQ(carets[0], std::make_pair(3, 7));
    // The copies now belong to this editor; the damaged one stays where it was.
    EXPECT_TRUE(FileExists((copies.folder + "100-0.kvr").c_str()));
    EXPECT_TRUE(FileExists((copies.folder + "100-1.kvr").c_str()));
    EXPECT_FALSE(FileExists((copies.folder + "8-3.kvr").c_str()));
    EXPECT_TRUE(FileExists((copies.folder + "7-1.kvr").c_str()));

    // Saving the first removes its copy; declining moves the rest aside.
    windows.answers = {kAnswerYes};
    Set("main", "retline", 4);
    EXPECT_TRUE(SaveDocument(documents, 0, kept));
    EXPECT_FALSE(FileExists((copies.folder + "100-0.kvr").c_str()));
    EXPECT_TRUE(SetAsideCopies(copies, {"7-1.kvr"}));
    EXPECT_TRUE(FileExists((copies.folder + "old/7-1.kvr").c_str()));
    EXPECT_FALSE(FileExists((copies.folder + "7-1.kvr").c_str()));
}

TEST(RecoveryWriter, WritesFinishedRecordsAndRemovesInTheOrderAsked)
{
    TempFolder folder;
    const std::string path = folder.File("1-0.kvr");
    const RecoveryRecord record = SampleRecord();
    {
        RecoveryWriter writer;
        writer.Write(path, RecoveryHeader(record) + record.text, record.text.size());
        writer.Flush();
        RecoveryRecord read;
        ASSERT_EQ(ReadRecoveryRecord(TempFolder::Read(path), read), RecoveryReadResult::Ok);
        ExpectSame(read, record);
        // A write queued before a removal never lands after it.
        for (int i = 0; i < 20; ++i) writer.Write(path, RecoveryHeader(record) + record.text, record.text.size());
        writer.Remove(path);
    }  // the destructor finishes the queue
    EXPECT_FALSE(FileExists(path.c_str()));
}

}  // namespace
