// String tables: the workbook XML, its rows and entity decoding, then a
// lookup with substitutions.
#include "../FuzzSupport.h"

#include "engine/resources/text/tr_StringTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFiles::Write("strings.xml", data, size);
    tr_StringTable* table = tr_StringTable::GetOrCreate();
    table->LoadStringTable(FuzzFiles::Folder() + "/strings");
    table->StringGet("a", "1", "2");
    tr_StringTable::Destroy();
    return 0;
}
