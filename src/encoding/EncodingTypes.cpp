// Names and labels of the encoding codes.
#include "encoding/EncodingTypes.h"

std::string_view EncodingCodeName(EncodingCode code)
{
    switch (code) {
    case EncodingCode::NoEvidence:
        return "NoEvidence";
    case EncodingCode::Jis:
        return "Jis";
    case EncodingCode::ShiftJis:
        return "ShiftJis";
    case EncodingCode::Cp932:
        return "Cp932";
    case EncodingCode::EucJp:
        return "EucJp";
    case EncodingCode::Utf16Le:
        return "Utf16Le";
    case EncodingCode::Utf16LeBom:
        return "Utf16LeBom";
    case EncodingCode::Utf8:
        return "Utf8";
    case EncodingCode::Utf7Clean:
        return "Utf7Clean";
    case EncodingCode::Utf8Bom:
        return "Utf8Bom";
    case EncodingCode::Utf16Be:
        return "Utf16Be";
    case EncodingCode::Utf16BeBom:
        return "Utf16BeBom";
    case EncodingCode::Undetermined:
        return "Undetermined";
    case EncodingCode::ZeroBytes:
        return "ZeroBytes";
    }
    return "Unknown";
}

bool EncodingForName(std::string_view name, bool mark, EncodingCode& code)
{
    static const struct {
        std::string_view name;
        EncodingCode plain, marked;
    } names[] = {
        {"sjis", EncodingCode::ShiftJis, EncodingCode::ShiftJis},
        {"cp932", EncodingCode::Cp932, EncodingCode::Cp932},
        {"euc", EncodingCode::EucJp, EncodingCode::EucJp},
        {"jis", EncodingCode::Jis, EncodingCode::Jis},
        {"utf8", EncodingCode::Utf8, EncodingCode::Utf8Bom},
        {"utf16le", EncodingCode::Utf16Le, EncodingCode::Utf16LeBom},
        {"utf16", EncodingCode::Utf16Le, EncodingCode::Utf16LeBom},
        {"utf16be", EncodingCode::Utf16Be, EncodingCode::Utf16BeBom},
    };
    for (const auto& n : names) {
        if (n.name != name) continue;
        code = mark ? n.marked : n.plain;
        return true;
    }
    return false;
}

const std::array<EncodingChoice, kEncodingChoiceCount> kEncodingChoices = {{
    {"sjis", EncodingCode::ShiftJis}, {"cp932", EncodingCode::Cp932},     {"euc", EncodingCode::EucJp},
    {"jis", EncodingCode::Jis},       {"utf8", EncodingCode::Utf8},       {"utf16le", EncodingCode::Utf16Le},
    {"utf16be", EncodingCode::Utf16Be},
}};

bool TakesMark(EncodingCode code) { return WithMark(code, true) != WithMark(code, false); }

bool HasMark(EncodingCode code)
{
    return code == EncodingCode::Utf8Bom || code == EncodingCode::Utf16LeBom || code == EncodingCode::Utf16BeBom;
}

EncodingCode WithMark(EncodingCode code, bool mark)
{
    switch (code) {
    case EncodingCode::Utf8:
    case EncodingCode::Utf8Bom:
        return mark ? EncodingCode::Utf8Bom : EncodingCode::Utf8;
    case EncodingCode::Utf16Le:
    case EncodingCode::Utf16LeBom:
        return mark ? EncodingCode::Utf16LeBom : EncodingCode::Utf16Le;
    case EncodingCode::Utf16Be:
    case EncodingCode::Utf16BeBom:
        return mark ? EncodingCode::Utf16BeBom : EncodingCode::Utf16Be;
    default:
        return code;
    }
}

int EncodingChoiceIndex(EncodingCode code)
{
    code = WithMark(code, false);
    for (int i = 0; i < kEncodingChoiceCount; ++i) {
        if (kEncodingChoices[i].code == code) return i;
    }
    return 0;
}

EncodingCode ChosenCodeForFile(EncodingCode code, std::string_view fileStart)
{
    auto startsWith = [&](std::string_view mark) { return fileStart.substr(0, mark.size()) == mark; };
    switch (code) {
    case EncodingCode::Utf8:
        return startsWith("\xEF\xBB\xBF") ? EncodingCode::Utf8Bom : code;
    case EncodingCode::Utf16Le:
        return startsWith("\xFF\xFE") ? EncodingCode::Utf16LeBom : code;
    case EncodingCode::Utf16Be:
        return startsWith("\xFE\xFF") ? EncodingCode::Utf16BeBom : code;
    default:
        return code;
    }
}

std::string_view EncodingCodeLabel(EncodingCode code)
{
    switch (code) {
    case EncodingCode::Jis:
        return "JIS";
    case EncodingCode::EucJp:
        return "EUC";
    case EncodingCode::Cp932:
        return "CP932";
    case EncodingCode::Utf16Le:
        return "UTF16";
    case EncodingCode::Utf16LeBom:
        return "UTF16 BOM";
    case EncodingCode::Utf16Be:
        return "UTF16BE";
    case EncodingCode::Utf16BeBom:
        return "UTF16BE BOM";
    case EncodingCode::Utf8:
        return "UTF8";
    case EncodingCode::Utf8Bom:
        return "UTF8 BOM";
    case EncodingCode::Undetermined:
    case EncodingCode::ZeroBytes:
        return "S-JIS?";
    default:
        return "S-JIS";
    }
}

bool IsConvertedEncoding(EncodingCode code)
{
    switch (code) {
    case EncodingCode::Jis:
    case EncodingCode::Cp932:
    case EncodingCode::EucJp:
    case EncodingCode::Utf16Le:
    case EncodingCode::Utf16LeBom:
    case EncodingCode::Utf16Be:
    case EncodingCode::Utf16BeBom:
    case EncodingCode::Utf8:
    case EncodingCode::Utf8Bom:
        return true;
    default:
        return false;
    }
}
