// kvteconv: reports the encoding of files and converts a file the way the editor opens
// and saves it (same detection, same conversions, same settings meaning).
#include <cstdio>
#include <string>
#include <vector>

#include "ToolFiles.h"
#include "encoding/Detection.h"
#include "encoding/FileText.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage: kvteconv detect FILE...\n"
    "       kvteconv convert --to ENC [--bom] [--eol crlf|cr|lf|keep] IN OUT\n"
    "\n"
    "detect   prints \"FILE: CODE\" for each file, CODE being one of Jis, ShiftJis, EucJp,\n"
    "         Utf16Le, Utf16LeBom, Utf8, Utf8Bom, Utf7Clean, Undetermined, ZeroBytes,\n"
    "         NoEvidence.\n"
    "convert  reads IN as the editor opens a file (encoding detected, then converted) and\n"
    "         writes OUT as the editor saves it. ENC: sjis, euc, jis, utf16, utf8, or auto\n"
    "         (the encoding IN was read in). --bom writes a byte-order mark (utf16, utf8).\n"
    "         --eol rewrites every line break (default: keep). OUT is replaced only once\n"
    "         it is completely written; IN and OUT may be the same file.\n";

void Fail(const std::string& message) { std::fprintf(stderr, "kvteconv: %s\n", message.c_str()); }

int Usage(const std::string& message)
{
    Fail(message);
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

struct ConvertOptions {
    int kanji = -1;  // the [main] kanji value that --to stands for
    bool bom = false;
    LineEndingCode eol = LineEndingCode::Automatic;
    std::vector<ToolPath> files;
};

int KanjiForName(const std::string& name)
{
    if (name == "auto") return 0;
    if (name == "sjis") return 1;
    if (name == "euc") return 2;
    if (name == "jis") return 3;
    if (name == "utf16") return 4;
    if (name == "utf8") return 5;
    return -1;
}

bool LineEndingForName(const std::string& name, LineEndingCode& eol)
{
    if (name == "crlf")
        eol = LineEndingCode::Crlf;
    else if (name == "cr")
        eol = LineEndingCode::Cr;
    else if (name == "lf")
        eol = LineEndingCode::Lf;
    else if (name == "keep")
        eol = LineEndingCode::Automatic;
    else
        return false;
    return true;
}

int Detect(const std::vector<ToolPath>& args)
{
    if (args.size() < 2) return Usage("detect needs at least one file");
    int status = kExitOk;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string bytes, error;
        if (!ReadWholeFile(args[i], bytes, error)) {
            Fail("cannot read '" + PathForMessage(args[i]) + "': " + error);
            status = kExitFailed;
            continue;
        }
        const EncodingCode code = DetectEncoding(bytes.data(), bytes.size());
        std::printf("%s: %s\n", PathForMessage(args[i]).c_str(), std::string(EncodingCodeName(code)).c_str());
    }
    std::fflush(stdout);
    return status;
}

int ParseConvert(const std::vector<ToolPath>& args, ConvertOptions& options)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string arg = PathForMessage(args[i]);
        if (arg == "--to" || arg == "--eol") {
            if (i + 1 >= args.size()) return Usage(arg + " needs a value");
            const std::string value = PathForMessage(args[++i]);
            if (arg == "--to") {
                options.kanji = KanjiForName(value);
                if (options.kanji < 0)
                    return Usage("unknown encoding '" + value + "' (sjis, euc, jis, utf16, utf8, auto)");
            } else if (!LineEndingForName(value, options.eol)) {
                return Usage("unknown line ending '" + value + "' (crlf, cr, lf, keep)");
            }
        } else if (arg == "--bom") {
            options.bom = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
            return Usage("unknown option '" + arg + "'");
        } else {
            if (arg == "--") ++i;
            for (; i < args.size(); ++i) options.files.push_back(args[i]);
        }
    }
    if (options.kanji < 0) return Usage("convert needs --to ENC");
    if (options.files.size() != 2) return Usage("convert needs exactly IN and OUT");
    if (options.bom && options.kanji != 4 && options.kanji != 5) return Usage("--bom applies only to utf16 and utf8");
    return kExitOk;
}

int Convert(const std::vector<ToolPath>& args)
{
    ConvertOptions options;
    if (int status = ParseConvert(args, options)) return status;
    const ToolPath& in = options.files[0];
    const ToolPath& out = options.files[1];
    std::string bytes, error;
    if (!ReadWholeFile(in, bytes, error)) {
        Fail("cannot read '" + PathForMessage(in) + "': " + error);
        return kExitFailed;
    }
    DecodedFile file;
    if (!DecodeFileBytes(bytes, true, file)) {
        Fail("not enough memory to convert '" + PathForMessage(in) + "'");
        return kExitFailed;
    }
    bytes.clear();
    bytes.shrink_to_fit();
    if (file.replaced > 0)  // a warning only: the conversion goes on, as the editor's would
        Fail("warning: " + std::to_string(file.replaced) + " character(s) of '" + PathForMessage(in) +
             "' have no Shift_JIS-2004 code and were written as \"?\"");
    std::string written;
    if (!EncodeFileBytes(file.text, options.kanji, file.encoding, options.bom, options.bom, options.eol, written)) {
        Fail("not enough memory to convert '" + PathForMessage(in) + "'");
        return kExitFailed;
    }
    if (!WriteFileAtomically(out, written, error)) {
        Fail("cannot write '" + PathForMessage(out) + "': " + error);
        return kExitFailed;
    }
    return kExitOk;
}

int Run(const std::vector<ToolPath>& args)
{
    if (args.empty()) return Usage("no command given");
    const std::string command = PathForMessage(args[0]);
    if (command == "detect") return Detect(args);
    if (command == "convert") return Convert(args);
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    return Usage("unknown command '" + command + "'");
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
    try {
        std::vector<ToolPath> args;
        for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
        return Run(args);
    } catch (...) {
        Fail("out of memory");
        return kExitFailed;
    }
}
