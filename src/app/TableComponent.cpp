#include "app/TableComponent.h"

#include "platform/Table.h"

TableComponent MakeTableComponent()
{
    auto table = std::make_unique<TTable>("Table1");
    TTable* component = table.get();
    return {std::move(table), [component](const std::string& path) { component->Open(path); }};
}
