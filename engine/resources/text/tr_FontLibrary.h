// tr_FontLibrary: the one FreeType library of the process, made on first use.
// Every font holds a share of it, so the library is released only after the
// last face that came from it.
#pragma once

#include <memory>

struct FT_LibraryRec_;

class tr_FontLibrary {
public:
    // The shared library, or empty when FreeType cannot be initialised.
    static std::shared_ptr<FT_LibraryRec_> Get();
};
