// What a save writes, and the Save As dialog's choice of it.
#include "documents/SaveFormat.h"

#include "encoding/FileText.h"

EncodingCode SaveEncodingOf(const Document& document, const SaveSettings& settings)
{
    if (document.encodingChosen) return document.encoding;
    return ChooseSaveEncoding(settings.kanji, document.encoding, settings.utf16Bom, settings.utf8Bom);
}

LineEndingCode SaveLineEndingOf(const Document& document, const SaveSettings& settings)
{
    if (!LineEndingName(document.lineEnding).empty()) return document.lineEnding;
    const auto setting = static_cast<LineEndingCode>(settings.retline);
    return LineEndingName(setting).empty() ? LineEndingCode::Automatic : setting;
}

std::string_view LineEndingName(LineEndingCode lineEnding)
{
    switch (lineEnding) {
    case LineEndingCode::Crlf:
        return "CRLF";
    case LineEndingCode::Cr:
        return "CR";
    case LineEndingCode::Lf:
        return "LF";
    default:
        return {};
    }
}

SaveOffer OfferSave(const Document& document, const SaveSettings& settings)
{
    SaveOffer offer;
    offer.written = SaveEncodingOf(document, settings);
    offer.own = document.encoding;
    offer.writtenEnding = SaveLineEndingOf(document, settings);
    offer.utf8Bom = settings.utf8Bom;
    offer.utf16Bom = settings.utf16Bom;
    offer.mark = HasMark(offer.written);
    return offer;
}

EncodingCode RowEncoding(const SaveOffer& offer, int row)
{
    return row >= 1 && row <= kEncodingChoiceCount ? kEncodingChoices[row - 1].code : offer.written;
}

bool RowTakesMark(const SaveOffer& offer, int row) { return TakesMark(RowEncoding(offer, row)); }

bool RowMark(const SaveOffer& offer, int row)
{
    const EncodingCode code = RowEncoding(offer, row);
    if (!TakesMark(code)) return false;
    if (WithMark(code, false) == WithMark(offer.written, false)) return HasMark(offer.written);
    if (WithMark(code, false) == WithMark(offer.own, false)) return HasMark(offer.own);
    return code == EncodingCode::Utf8 ? offer.utf8Bom : offer.utf16Bom;
}

void TakeSaveChoice(Document& document, const SaveOffer& offer)
{
    const bool picked = offer.encodingRow >= 1 && offer.encodingRow <= kEncodingChoiceCount;
    const EncodingCode code = WithMark(RowEncoding(offer, offer.encodingRow), offer.mark);
    if (picked || code != offer.written) {
        document.encoding = code;
        document.encodingChosen = true;
    }
    if (offer.lineEndingRow >= 1 && offer.lineEndingRow <= kLineEndingRowCount)
        document.lineEnding = kLineEndingRows[offer.lineEndingRow - 1];
}
