// tp_BuiltinWidgetTypes: the fixed rows of the interface's widget type table
// (types 0 to 26): object name, script constant and flags. The hub builds its
// table from these rows; the script globals are named after them. Static
// data, owned by nobody.
#pragma once

#include <cstddef>
#include <cstdint>

struct tp_BuiltinWidgetType {
    int type;
    const char* object_name;
    const char* script_constant;
    uint32_t flags;
};

// The rows in type order; *count receives their number.
const tp_BuiltinWidgetType* tp_GetBuiltinWidgetTypes(size_t* count);
