// The command table: sorted rows, found by binary search.
#include "app/CommandTable.h"

#include <algorithm>
#include <new>

namespace {

// The row holding `id`, or null.
template <typename Table>
auto FindRow(Table& table, int id) -> decltype(&table.rows[0])
{
    auto after = std::upper_bound(table.rows.begin(), table.rows.end(), id,
                                  [](int wanted, const CommandRow& row) { return wanted < row.firstId; });
    if (after == table.rows.begin()) return nullptr;
    auto row = std::prev(after);
    return id <= row->lastId ? &*row : nullptr;
}

}  // namespace

bool RegisterCommandRange(CommandTable& table, int firstId, int lastId, CommandHandler handler, void* context)
{
    if (handler == nullptr || lastId < firstId) return false;
    auto place = std::lower_bound(table.rows.begin(), table.rows.end(), firstId,
                                  [](const CommandRow& row, int wanted) { return row.firstId < wanted; });
    if (place != table.rows.end() && place->firstId <= lastId) return false;
    if (place != table.rows.begin() && std::prev(place)->lastId >= firstId) return false;
    CommandRow row;
    row.firstId = firstId;
    row.lastId = lastId;
    row.handler = handler;
    row.context = context;
    try {
        table.rows.insert(place, row);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool RegisterCommand(CommandTable& table, int id, CommandHandler handler, void* context)
{
    return RegisterCommandRange(table, id, id, handler, context);
}

bool DispatchCommand(const CommandTable& table, int id, int* result)
{
    const CommandRow* row = FindRow(table, id);
    if (row == nullptr) return false;
    int value = row->handler(row->context, id);
    if (result) *result = value;
    return true;
}

bool SetCommandChecked(CommandTable& table, int id, bool checked)
{
    CommandRow* row = FindRow(table, id);
    if (row == nullptr) return false;
    row->checked = checked;
    return true;
}

bool IsCommandChecked(const CommandTable& table, int id)
{
    const CommandRow* row = FindRow(table, id);
    return row != nullptr && row->checked;
}
