// kvtefind: the editor's search engine from the command line. Reads a file as the editor
// opens it (encoding detected and converted, line ends as CR LF) and prints where
// CKRegExp finds the pattern in that text.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "encoding/FileText.h"
#include "regex/KRegExp.h"
#include "regex/MatchPass.h"
#include "regex/Replacement.h"
#include "search/FindInFiles.h"

namespace {

constexpr int kExitFound = 0;
constexpr int kExitNotFound = 1;
constexpr int kExitError = 2;

char const kUsage[] =
    "usage: kvtefind [--regex] [--ignore-case] [--backward] [--from N] [--all | --replace TEXT] [--] PATTERN FILE\n"
    "       kvtefind --files [--regex] [--ignore-case] [--include MASKS] [--] PATTERN FOLDER\n"
    "\n"
    "Reads FILE as the editor opens it (encoding detected and converted to the editor's\n"
    "Shift_JIS-2004 text, line ends as CR LF) and searches it for PATTERN, given in UTF-8\n"
    "(on Windows: the command line's own Unicode text).\n"
    "Prints \"OFFSET LENGTH\" (bytes, 0-based, in that text) for the match that a search\n"
    "from N finds (default 0; --backward: the match with the greatest start before N,\n"
    "default the end), or with --all every match that replace-all visits from the top\n"
    "(each search from the end of the previous match; one character further after an\n"
    "empty match, and past the LF after a match that ends between CR and LF).\n"
    "--regex takes PATTERN as a regular expression, otherwise it is literal text.\n"
    "--ignore-case lets ASCII and full-width Latin letters match in either case.\n"
    "--replace TEXT replaces those same matches by TEXT and prints the whole text in UTF-8\n"
    "(line ends as CR LF). With --regex, TEXT takes \\0 or $& (the match), \\1-\\9 or\n"
    "$1-$9 (its groups), \\n (a line break), \\t, \\\\ and $$; without it TEXT is literal.\n"
    "--files searches every file of FOLDER and its subfolders whose name fits MASKS\n"
    "(\"*.txt;*.c\", default all), each read as the editor opens it, binary files skipped,\n"
    "and prints \"PATH:LINE:COLUMN:TEXT\" in UTF-8 for each line that holds a match (COLUMN\n"
    "counts bytes of the editor's text from 1), then a summary on standard error.\n"
    "Zero bytes in the text are characters like any other, as in the editor's search.\n"
    "Exit status: 0 found, 1 not found, 2 bad pattern, unreadable file or bad option.\n";

#ifdef _WIN32
using Arg = std::wstring;
std::string ArgToInternal(const Arg& arg) { return Utf16ToInternalText(std::u16string(arg.begin(), arg.end())); }
std::string ArgForMessage(const Arg& arg) { return InternalTextToUtf8(ArgToInternal(arg)); }
std::FILE* OpenForReading(const Arg& path) { return _wfopen(path.c_str(), L"rb"); }
#else
using Arg = std::string;
std::string ArgToInternal(const Arg& arg) { return Utf8ToInternalText(arg); }
std::string ArgForMessage(const Arg& arg) { return arg; }
std::FILE* OpenForReading(const Arg& path) { return std::fopen(path.c_str(), "rb"); }
#endif

int Fail(const std::string& message)
{
    std::fprintf(stderr, "kvtefind: %s\n", message.c_str());
    return kExitError;
}

int Usage(const std::string& message)
{
    Fail(message);
    std::fputs(kUsage, stderr);
    return kExitError;
}

bool ReadWholeFile(const Arg& path, std::string& bytes, std::string& error)
{
    std::FILE* file = OpenForReading(path);
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) error = "read error";
    return !failed;
}

bool ParseCount(const std::string& text, long& value)
{
    if (text.empty() || text.size() > 10) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return value <= 0x7FFFFFFF;
}

struct Options {
    bool regular = false;
    bool ignoreCase = false;
    bool backward = false;
    bool all = false;
    bool replace = false;
    bool files = false;
    Arg include;
    Arg replacement;
    bool haveFrom = false;
    long from = 0;
    std::vector<Arg> operands;
};

// Returns kExitFound when the options are good, else the exit status of the usage error.
int ParseOptions(const std::vector<Arg>& args, Options& options)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string const arg = ArgForMessage(args[i]);
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            options.operands.push_back(args[i]);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--regex") {
            options.regular = true;
        } else if (arg == "--files") {
            options.files = true;
        } else if (arg == "--include") {
            if (i + 1 >= args.size()) return Usage("--include needs file masks");
            options.include = args[++i];
        } else if (arg == "--ignore-case") {
            options.ignoreCase = true;
        } else if (arg == "--backward") {
            options.backward = true;
        } else if (arg == "--all") {
            options.all = true;
        } else if (arg == "--replace") {
            if (i + 1 >= args.size()) return Usage("--replace needs the replacement text");
            options.replace = true;
            options.replacement = args[++i];
        } else if (arg == "--from") {
            if (i + 1 >= args.size() || !ParseCount(ArgForMessage(args[i + 1]), options.from))
                return Usage("--from needs a byte offset (a number from 0)");
            options.haveFrom = true;
            ++i;
        } else if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return -1;
        } else {
            return Usage("unknown option '" + arg + "'");
        }
    }
    if (options.operands.size() != 2) return Usage(options.files ? "expected PATTERN and FOLDER" : "expected PATTERN and FILE");
    if (options.files && (options.all || options.replace || options.backward || options.haveFrom))
        return Usage("--files takes only --regex, --ignore-case and --include");
    if ((options.all || options.replace) && (options.backward || options.haveFrom))
        return Usage("--all and --replace always search from the top downwards: they take no --backward or --from");
    if (options.all && options.replace) return Usage("--all and --replace do not go together");
    return kExitFound;
}

// Replace all as the editor does it on the same text: matches of the text as it was.
int PrintReplaced(CKRegExp& regex, const Options& options, const std::string& text)
{
    std::string const with = ArgToInternal(options.replacement);
    std::string replaced;
    std::size_t first = 0, end = 0;
    std::size_t count =
        ReplaceAllMatches(regex, text.c_str(), text.size(), with, options.regular, "\r\n", replaced, first, end);
    std::string out = text.substr(0, first) + replaced + text.substr(end);
    std::string const utf8 = InternalTextToUtf8(out);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return count > 0 ? kExitFound : kExitNotFound;
}

int SearchFolder(const Options& options, const std::string& pattern)
{
    FileSearchRequest request;
    request.pattern = pattern;
    request.regularExpression = options.regular;
    request.ignoreCase = options.ignoreCase;
    if (!options.include.empty()) request.masks = InternalTextToUtf8(ArgToInternal(options.include));
    std::string line;
    FileSearchTotals totals = SearchFiles(
        std::filesystem::path(options.operands[1]), request,
        [&line](const FileSearchHit& hit) {
            line = hit.path.u8string() + ":" + std::to_string(hit.line) + ":" + std::to_string(hit.column) + ":" +
                   InternalTextToUtf8(hit.text) + "\n";
            std::fwrite(line.data(), 1, line.size(), stdout);
        },
        nullptr);
    std::fprintf(stderr, "kvtefind: %zu files searched, %zu matched, %zu matches, %zu binary skipped, %zu unreadable\n",
                 totals.filesSearched, totals.filesMatched, totals.matches, totals.binarySkipped, totals.unreadable);
    return totals.matches > 0 ? kExitFound : kExitNotFound;
}

int Run(const std::vector<Arg>& args)
{
    Options options;
    int status = ParseOptions(args, options);
    if (status < 0) return kExitFound;  // --help
    if (status != kExitFound) return status;

    std::string const pattern = ArgToInternal(options.operands[0]);
    CKRegExp regex;
    regex.Read(pattern.c_str(), options.regular, options.ignoreCase);
    if (regex.GetError() != REGEXP_OK)
        return Fail("bad pattern at byte " + std::to_string(regex.GetErrorOffset()) + ": " +
                    CKRegExp::DescribeError(regex.GetError()));
    if (pattern.empty()) return Fail("the pattern is empty");
    if (options.files) return SearchFolder(options, pattern);

    std::string bytes, error;
    if (!ReadWholeFile(options.operands[1], bytes, error))
        return Fail("cannot read " + ArgForMessage(options.operands[1]) + ": " + error);
    DecodedFile decoded;
    if (!DecodeFileBytes(bytes, true, decoded)) return Fail("out of memory");
    std::string const text = ConvertLineEndings(decoded.text, LineEndingCode::Crlf);
    std::size_t const length = text.size();

    if (options.replace) return PrintReplaced(regex, options, text);
    if (!options.all) {
        long from = options.haveFrom ? options.from : (options.backward ? static_cast<long>(length) : 0);
        int at = regex.Find(text.c_str(), length, static_cast<std::size_t>(from), options.backward);
        if (at < 0) return kExitNotFound;
        std::printf("%d %zu\n", at, regex.GetHitLength());
        return kExitFound;
    }
    bool any = VisitAllMatches(regex, text.c_str(), length, [](std::size_t start, std::size_t hit) {
                   std::printf("%zu %zu\n", start, hit);
                   return true;
               }) > 0;
    return any ? kExitFound : kExitNotFound;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
    try {
        std::vector<Arg> args;
        for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
        return Run(args);
    } catch (...) {
        return Fail("out of memory");
    }
}
