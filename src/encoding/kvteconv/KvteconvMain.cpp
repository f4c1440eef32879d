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
    "       kvteconv convert [--from ENC] --to ENC [--bom] [--eol crlf|cr|lf|keep] IN OUT\n"
    "\n"
    "detect   prints \"FILE: CODE (STAGE)\" for each file, CODE being one of Jis, ShiftJis,\n"
    "         Cp932, EucJp, Utf16Le, Utf16LeBom, Utf16Be, Utf16BeBom, Utf8, Utf8Bom,\n"
    "         Utf7Clean, Undetermined, ZeroBytes, NoEvidence, and STAGE what decided it:\n"
    "         mark, rules, zeros (16-bit text by its zero bytes), text (the rules left it\n"
    "         open or named an encoding the bytes are not valid in, and how Japanese text\n"
    "         is made decided) or windows (Shift-JIS with codes only Windows writes).\n"
    "convert  reads IN as the editor opens a file (encoding detected, then converted) and\n"
    "         writes OUT as the editor saves it. ENC: sjis, cp932, euc, jis, utf8, utf16le\n"
    "         (or utf16), utf16be, or for --to auto (the encoding IN was read in). --from\n"
    "         reads IN as ENC instead of detecting it. --bom writes a byte-order mark (utf8,\n"
    "         utf16le, utf16be). --eol rewrites every line break (default: keep). OUT is\n"
    "         replaced only once it is completely written; IN and OUT may be the same file.\n";

void Fail(const std::string& message) { std::fprintf(stderr, "kvteconv: %s\n", message.c_str()); }

int Usage(const std::string& message)
{
    Fail(message);
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

struct ConvertOptions {
    std::string to, from;  // encoding names; to "auto" writes the encoding IN was read in
    bool bom = false;
    LineEndingCode eol = LineEndingCode::Automatic;
    std::vector<ToolPath> files;
};

const char kEncodingNames[] = "sjis, cp932, euc, jis, utf8, utf16le, utf16be";

bool IsEncodingName(const std::string& name)
{
    EncodingCode code;
    return EncodingForName(name, false, code);
}

bool IsUnicodeName(const std::string& name) { return name.compare(0, 3, "utf") == 0; }

// What decided a file's code: a byte-order mark, the rules, the zeros of 16-bit text, the
// second stage, or codes only Windows writes.
const char* DetectionStageOf(std::string_view bytes, EncodingCode& code)
{
    const Detection found = DetectEncodingAndStage(bytes.data(), bytes.size());
    code = ChooseSjisFlavour(found.code, SjisFlavour::Recognise, bytes);
    return code != found.code ? "windows" : DetectionStageName(found.stage);
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
        EncodingCode code;
        const char* stage = DetectionStageOf(bytes, code);
        std::printf("%s: %s (%s)\n", PathForMessage(args[i]).c_str(), std::string(EncodingCodeName(code)).c_str(),
                    stage);
    }
    std::fflush(stdout);
    return status;
}

int ParseConvert(const std::vector<ToolPath>& args, ConvertOptions& options)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string arg = PathForMessage(args[i]);
        if (arg == "--to" || arg == "--from" || arg == "--eol") {
            if (i + 1 >= args.size()) return Usage(arg + " needs a value");
            const std::string value = PathForMessage(args[++i]);
            if (arg != "--eol") {
                if (!IsEncodingName(value) && (arg == "--from" || value != "auto"))
                    return Usage("unknown encoding '" + value + "' (" + kEncodingNames +
                                 (arg == "--to" ? ", auto)" : ")"));
                (arg == "--to" ? options.to : options.from) = value;
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
    if (options.to.empty()) return Usage("convert needs --to ENC");
    if (options.files.size() != 2) return Usage("convert needs exactly IN and OUT");
    if (options.bom && !IsUnicodeName(options.to)) return Usage("--bom applies only to utf8, utf16le and utf16be");
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
    EncodingCode from = EncodingCode::ShiftJis;
    const bool decoded = options.from.empty() || !EncodingForName(options.from, false, from)
                             ? DecodeFileBytes(std::move(bytes), true, file, SjisFlavour::Recognise)
                             : DecodeFileBytesAs(std::move(bytes), from, file);
    if (!decoded) {
        Fail("not enough memory to convert '" + PathForMessage(in) + "'");
        return kExitFailed;
    }
    if (file.replaced > 0)  // a warning only: the conversion goes on, as the editor's would
        Fail("warning: " + std::to_string(file.replaced) + " character(s) of '" + PathForMessage(in) +
             "' have no Shift_JIS-2004 code and were written as \"?\"");
    if (file.mixedForms)
        Fail("warning: '" + PathForMessage(in) + "' writes some characters in two forms; both are written as one");
    EncodingCode to = file.encoding;
    if (options.to != "auto") EncodingForName(options.to, options.bom, to);
    std::string written;
    if (!EncodeFileBytes(std::move(file.text), to, options.eol, written, file.unicodeForm)) {
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
