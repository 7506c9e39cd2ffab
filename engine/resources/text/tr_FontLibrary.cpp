#include "engine/resources/text/tr_FontLibrary.h"

#include "engine/core/tr_Log.h"

#include <ft2build.h>
#include FT_FREETYPE_H

std::shared_ptr<FT_LibraryRec_> tr_FontLibrary::Get() {
    static std::shared_ptr<FT_LibraryRec_> library;
    if (!library) {
        FT_Library raw = nullptr;
        const FT_Error error = FT_Init_FreeType(&raw);
        if (error) {
            tr_Log("Error: FreeType could not be initialised (error %d).", error);
            return nullptr;
        }
        library.reset(raw, [](FT_Library lib) { FT_Done_FreeType(lib); });
    }
    return library;
}
