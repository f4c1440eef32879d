// Default text and upgrade chain of "kvte.ini".
#include "config/SettingsFile.h"

#include <cstdio>
#include <vector>

#include "config/IniText.h"
#include "config/ProfileBatch.h"

// Shift-JIS bytes; the Japanese lines read:
//   ;KelvaraTextEditor用設定ファイル   kvte.ini
//   ;このファイルを変更すると正しく動作しなくなる
//   ;可能性がありますので十分注意してください。
//   FontName=ＭＳ ゴシック
const char kDefaultSettingsTemplate[] =
    ";********************************************\r\n"
    ";KelvaraTextEditor\x97p\x90\xDD\x92\xE8\x83t\x83@\x83"
    "C\x83\x8B   kvte.ini\r\n"
    ";\x82\xB1\x82\xCC\x83t\x83@\x83"
    "C\x83\x8B\x82\xF0\x95\xCF\x8DX\x82\xB7\x82\xE9\x82\xC6"
    "\x90\xB3\x82\xB5\x82\xAD\x93\xAE\x8D\xEC\x82\xB5\x82\xC8\x82\xAD\x82\xC8\x82\xE9\r\n"
    ";\x89\xC2\x94\x5C\x90\xAB\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x82\xCC\x82\xC5\x8F\x5C"
    "\x95\xAA\x92\x8D\x88\xD3\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81"
    "B\r\n"
    ";********************************************\r\n"
    "\r\n"
    "[Version]\r\n"
    "main=%d\r\n"
    "a=%d\r\n"
    "b=%d\r\n"
    "\r\n"
    "[main]\r\n"
    "FileWindowActive=1\r\n"
    "reload=0\r\n"
    "sjis_flavour=1\r\n"
    "session=0\r\n"
    "keep_placement=1\r\n"
    "\r\n"
    "[backup]\r\n"
    "interval=15\r\n"
    "\r\n"
    "[recent]\r\n"
    "num=10\r\n"
    "\r\n"
    "[notice]\r\n"
    "OnEnd=0\r\n"
    "OnCloseAll=1\r\n"
    "\r\n"
    "[editor1]\r\n"
    "ColorFile=default.ini\r\n"
    "FontName=\x82l\x82r \x83S\x83V\x83"
    "b\x83N\r\n"
    "FontSize=12\r\n"
    "nTab=4\r\n"
    "LineNum=1\r\n"
    "Ruler=1\r\n"
    "\r\n"
    "[editor2]\r\n"
    "vCrlf=1\r\n"
    "vNormalSpace=1\r\n"
    "vHalfSpace=1\r\n"
    "vTab=1\r\n"
    "vEOF=1\r\n"
    "vUnderLine=1\r\n"
    "\r\n"
    "[indication]\r\n"
    "toolbar=1\r\n"
    "statusbar=1\r\n"
    "\r\n"
    "[tab]\r\n"
    "OnOpen=1\r\n"
    "OnNew=0\r\n"
    "OnDrag=1\r\n"
    "\r\n"
    "[tool]\r\n"
    "num=0\r\n"
    "\r\n"
    "[search]\r\n"
    "matchcase=1\r\n"
    "wrap=1\r\n"
    "filesfolder=\r\n"
    "filesmasks=*\r\n"
    "filesregex=0\r\n"
    "filessubfolders=1\r\n"
    "\r\n"
    "[find_history]\r\n"
    "f0=\r\nf1=\r\nf2=\r\nf3=\r\nf4=\r\nf5=\r\nf6=\r\nf7=\r\nf8=\r\nf9=\r\nf10=\r\n"
    "f11=\r\nf12=\r\nf13=\r\nf14=\r\nf15=\r\nf16=\r\nf17=\r\nf18=\r\nf19=\r\nf20=\r\n"
    "\r\n"
    "[replace_history]\r\n"
    "f0=\r\nf1=\r\nf2=\r\nf3=\r\nf4=\r\nf5=\r\nf6=\r\nf7=\r\nf8=\r\nf9=\r\nf10=\r\n"
    "f11=\r\nf12=\r\nf13=\r\nf14=\r\nf15=\r\nf16=\r\nf17=\r\nf18=\r\nf19=\r\nf20=\r\n"
    "\r\n"
    "[folder_history]\r\n"
    "f0=\r\n"
    "\r\n"
    "[mask_history]\r\n"
    "f0=\r\n";

std::string FormatDefaultSettings(int main, int a, int b)
{
    std::vector<char> text(sizeof kDefaultSettingsTemplate + 64);
    int n = std::snprintf(text.data(), text.size(), kDefaultSettingsTemplate, main, a, b);
    if (n < 0) return std::string();
    return std::string(text.data(), static_cast<size_t>(n));
}

namespace {

// One write of the upgrade table. A step with a section starts that section (the first
// step of the table appends it with AppendSection); a step with a key writes it.
struct UpgradeStep {
    enum Kind { Select, Append, Write } kind;
    const char* name;  // section for Select/Append, key for Write
    const char* value;
};

struct UpgradeRow {
    int firstVersion;
    int lastVersion;
    std::vector<UpgradeStep> steps;
};

UpgradeStep Select(const char* section) { return {UpgradeStep::Select, section, nullptr}; }
UpgradeStep Write(const char* key, const char* value) { return {UpgradeStep::Write, key, value}; }

const std::vector<UpgradeRow>& UpgradeTable()
{
    static const std::vector<UpgradeRow> table = {
        {300,
         300,
         {{UpgradeStep::Append, "FileType", nullptr},
          Write("htm", "HTML.esf"),
          Write("html", "HTML.esf"),
          Write("ini", "ini.esf"),
          Write("frm", "VisualBasic.esf"),
          Write("bas", "VisualBasic.esf"),
          Write("vbs", "VisualBasic.esf"),
          // Environments shipped later; only a file that receives [FileType] here gets them,
          // so no association a user made or removed is touched.
          Write("py", "Python.esf"),
          Write("js", "JavaScript.esf"),
          Write("md", "Markdown.esf"),
          Write("pm", "Perl.esf")}},
        {301,
         301,
         {Select("FileType"), Write("cls", "VisualBasic.esf"), Write("cpp", "C,C++.esf"), Write("c", "C,C++.esf"),
          Write("h", "C,C++.esf")}},
        {302, 304, {Select("FileType"), Write("bat", "bat.esf")}},
        {305,
         305,
         {Select("editor1"), Write("linespace", "0"), Select("main"), Write("windows", "1"), Write("x", "200"),
          Write("y", "200"), Write("width", "480"), Write("height", "300")}},
        {306, 307, {Select("editor1"), Write("clickable", "65535"), Select("main"), Write("retline", "4")}},
        {310, 311, {Select("main"), Write("kanji", "0"), Write("auto_kanji", "1")}},
        {312, 313, {Select("FileType"), Write("shtml", "HTML.esf")}},
        {314,
         316,
         {Select("FileType"), Write("pl", "Perl.esf"), Write("cgi", "Perl.esf"), Select("editor1"), Write("ole", "1")}},
        {320, 325, {Select("editor1"), Write("owndraw", "0"), Write("indent", "1")}},
        {330, 330, {Select("editor1"), Write("endhome", "1")}},
        {331, 331, {Select("editor1"), Write("undo", "1"), Write("sel_numalpha", "1")}},
        {332, 333, {Select("main"), Write("utf16_bom", "0"), Write("utf8_bom", "0")}},
        {334, 334, {Select("main"), Write("lapel", "0"), Select("tab"), Write("width", "120")}},
        {335, 337, {Select("main"), Write("reload", "0"), Select("backup"), Write("interval", "15"),
                    Select("recent"), Write("num", "10")}},
        // Layout 339 keeps the search options in [search].
        {338, 338, {{UpgradeStep::Append, "search", nullptr}, Write("matchcase", "1"), Write("wrap", "1")}},
        {339, 339, {Select("main"), Write("sjis_flavour", "1")}},
        {340, 340, {Select("main"), Write("session", "0"), Write("keep_placement", "1")}},
        // Layout 342: find in files keeps its choices in [search] and two histories.
        {341, 341,
         {Select("search"), Write("filesfolder", ""), Write("filesmasks", "*"), Write("filesregex", "0"),
          Write("filessubfolders", "1"), {UpgradeStep::Append, "folder_history", nullptr}, Write("f0", ""),
          {UpgradeStep::Append, "mask_history", nullptr}, Write("f0", "")}},
        // Every version ends here.
        {-1, -1, {Select("version"), Write("main", "342"), Write("a", "0"), Write("b", "0")}},
    };
    return table;
}

// The row of the stored version; a version that matches no row runs only the last.
size_t FirstRow(int stored)
{
    const std::vector<UpgradeRow>& table = UpgradeTable();
    for (size_t i = 0; i + 1 < table.size(); ++i)
        if (stored >= table[i].firstVersion && stored <= table[i].lastVersion) return i;
    return table.size() - 1;
}

// Runs rows [first, last) of the table on the batch. An appended section that is there
// already (an upgrade that was cut short after writing its steps and before its version
// record) is selected instead, so that running the rows again leaves one such section.
bool RunRows(ProfileBatch& batch, size_t first, size_t last)
{
    const std::vector<UpgradeRow>& table = UpgradeTable();
    bool ok = true;
    for (size_t i = first; i < last; ++i) {
        for (const UpgradeStep& step : table[i].steps) {
            switch (step.kind) {
            case UpgradeStep::Select:
                ok = SetSection(batch, step.name) && ok;
                break;
            case UpgradeStep::Append:
                if (ini::HasSection(batch.text, step.name))
                    ok = SetSection(batch, step.name) && ok;
                else
                    ok = AppendSection(batch, step.name) && ok;
                break;
            case UpgradeStep::Write:
                ok = WriteString(batch, step.name, step.value) && ok;
                break;
            }
        }
    }
    return ok;
}

bool IsCurrent(ProfileBatch& batch)
{
    SetSection(batch, "version");
    return GetInt(batch, "main") == kSettingsVersion && GetInt(batch, "a") == 0 && GetInt(batch, "b") == 0;
}

int StoredVersion(ProfileBatch& batch)
{
    SetSection(batch, "version");
    return GetInt(batch, "main");
}

}  // namespace

bool UpgradeSettings(ProfileFile& settings)
{
    // Every step is on disk before the version record says so: when the steps cannot be
    // written the version stays old and the next start runs them again.
    const size_t versionRow = UpgradeTable().size() - 1;
    ProfileBatch steps;
    if (!BeginBatch(steps, settings)) return false;
    if (!RunRows(steps, FirstRow(StoredVersion(steps)), versionRow) || !CommitBatch(steps)) return false;
    ProfileBatch version;
    if (!BeginBatch(version, settings)) return false;
    if (StoredVersion(version) < kFirstUnquotingVersion) {
        // Written with the version record, in one write: run twice, it would wrap twice.
        version.text = ini::WithQuotedValues(version.text);
        version.changed = true;
    }
    return RunRows(version, versionRow, versionRow + 1) && CommitBatch(version);
}

bool PrepareSettingsFile(ProfileFile& settings, const char* path, void (*announceUpgrade)(void* context), void* context)
{
    if (!OpenProfile(settings, path, "version")) return false;
    ProfileBatch batch;
    if (!BeginBatch(batch, settings)) return false;  // there but unreadable: leave it alone
    bool current = false;
    if (!batch.existed) {
        // A new file: the default text and the whole chain, written once. Until that
        // write succeeds there is no file, so nothing can be half done.
        batch.text = FormatDefaultSettings(300, 0, 0);
        batch.changed = true;
        RunRows(batch, FirstRow(StoredVersion(batch)), UpgradeTable().size());
        current = CommitBatch(batch);
    } else {
        current = IsCurrent(batch);
        if (!current) {
            if (announceUpgrade != nullptr) announceUpgrade(context);
            current = UpgradeSettings(settings);
        }
    }
    SetSection(settings, "version");
    return current;
}
