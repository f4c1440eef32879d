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
    case EncodingCode::Undetermined:
        return "Undetermined";
    case EncodingCode::ZeroBytes:
        return "ZeroBytes";
    }
    return "Unknown";
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
    case EncodingCode::Utf16LeBom:
        return "UTF16";
    case EncodingCode::Utf8:
    case EncodingCode::Utf8Bom:
        return "UTF8";
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
    case EncodingCode::Utf8:
    case EncodingCode::Utf8Bom:
        return true;
    default:
        return false;
    }
}
