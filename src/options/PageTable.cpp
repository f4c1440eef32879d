// Showing a page's table and writing it back (PageTable.h).
#include "options/PageTable.h"

#include "config/ProfileBatch.h"
#include "config/ProfileFile.h"

namespace {

void Load(const PageRow& row, ProfileFile& settings, PageView& view)
{
    if (row.kind == RowKind::Names) {
        char chosen[1024] = {};
        GetString(settings, row.key, chosen, sizeof chosen);
        view.FillNames(row.control, row.folder, row.pattern, chosen);
        return;
    }
    const int stored = GetInt(settings, row.key);
    switch (row.kind) {
    case RowKind::Check:
        view.SetTicked(row.control, stored == 1);
        if (row.other != 0) view.SetTicked(row.other, stored != 1);
        break;
    case RowKind::Radio:
        for (std::size_t i = 0; i < row.choiceCount; ++i) {
            view.SetTicked(row.choices[i].control, row.choices[i].value == stored);
        }
        break;
    case RowKind::Bits:
        for (std::size_t i = 0; i < row.choiceCount; ++i) {
            view.SetTicked(row.choices[i].control, (stored & row.choices[i].value) != 0);
        }
        break;
    case RowKind::Packed: {
        std::size_t mode = row.choiceCount - 1;
        for (std::size_t i = 0; i + 1 < row.choiceCount; ++i) {
            if (stored & row.choices[i].value) {
                mode = i;
                break;
            }
        }
        for (std::size_t i = 0; i < row.choiceCount; ++i) view.SetTicked(row.choices[i].control, i == mode);
        for (std::size_t i = 0; i < row.clearCount; ++i) {
            view.SetTicked(row.clearBits[i].control, (stored & row.clearBits[i].value) == 0);
        }
        break;
    }
    case RowKind::Number:
        // The spin holds 16 bits: a larger stored value shows its low half.
        view.SetUpNumber(row.control, row.other, row.low, row.high, stored & 0xFFFF);
        break;
    case RowKind::Names:
        break;
    }
}

// The value the row writes; false when it writes nothing.
bool ValueOf(const PageRow& row, const PageView& view, int& value, std::vector<int>& complaints)
{
    switch (row.kind) {
    case RowKind::Check:
        value = view.IsTicked(row.control) ? 1 : 0;
        return true;
    case RowKind::Radio:
        for (std::size_t i = 0; i < row.choiceCount; ++i) {
            if (view.IsTicked(row.choices[i].control)) {
                value = row.choices[i].value;
                return true;
            }
        }
        return false;
    case RowKind::Bits:
        value = 0;
        for (std::size_t i = 0; i < row.choiceCount; ++i) {
            if (view.IsTicked(row.choices[i].control)) value |= row.choices[i].value;
        }
        return true;
    case RowKind::Packed: {
        std::size_t mode = row.choiceCount - 1;
        for (std::size_t i = 0; i + 1 < row.choiceCount; ++i) {
            if (view.IsTicked(row.choices[i].control)) {
                mode = i;
                break;
            }
        }
        value = row.choices[mode].value;
        for (std::size_t i = 0; i < row.clearCount; ++i) {
            if (!view.IsTicked(row.clearBits[i].control)) value += row.clearBits[i].value;
        }
        return true;
    }
    case RowKind::Number:
        if (ParseWholeNumber(view.Text(row.control), row.low, row.high, value)) return true;
        if (row.complaint != 0) {
            complaints.push_back(row.complaint);
            return false;
        }
        value = view.SpinPosition(row.other);
        return true;
    case RowKind::Names:
        break;
    }
    return false;
}

}  // namespace

void LoadPage(const PageTable& table, ProfileFile& settings, PageView& view)
{
    SetSection(settings, table.section);
    for (std::size_t i = 0; i < table.count; ++i) Load(table.rows[i], settings, view);
}

std::vector<int> SavePage(const PageTable& table, const PageView& view, ProfileBatch& batch, OptionsChoices& chosen)
{
    std::vector<int> complaints;
    SetSection(batch, table.section);
    for (std::size_t i = 0; i < table.count; ++i) {
        const PageRow& row = table.rows[i];
        if (row.kind == RowKind::Names) {
            std::string name;
            if (view.Selection(row.control, name)) WriteString(batch, row.key, name.c_str());
            continue;
        }
        int value = 0;
        if (!ValueOf(row, view, value, complaints)) continue;
        WriteInt(batch, row.key, value);
        if (row.chosen) chosen.*row.chosen = value;
    }
    return complaints;
}

bool ParseWholeNumber(const std::string& text, int low, int high, int& value)
{
    // A text this long is longer than any number of a range.
    if (text.size() >= 31) return false;
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    long long number = 0;
    int digits = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++digits) {
        if (digits < 10) number = number * 10 + (text[at] - '0');
    }
    while (at < text.size() && text[at] == ' ') ++at;
    if (digits == 0 || digits > 10 || at != text.size() || number < low || number > high) return false;
    value = static_cast<int>(number);
    return true;
}
