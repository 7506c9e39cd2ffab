// tr_Font: a typeface as a registry resource (kind 3) with up to four FreeType
// faces: regular, bold, italic, bold italic, from name, name_b, name_i and
// name_bi, each ".trfnt" (scrambled, see tr_FontScramble) or, deprecated,
// ".ttf". The font owns its faces and the bytes behind memory faces; it holds
// a share of the FreeType library so the faces can always be released.
// The text renderer sets the size with SetCharSize before measuring and
// rendering glyphs. A glyph whose bitmap would pass kMaxGlyphSide or
// kMaxGlyphPixels (a damaged outline reaching far outside the em square) is
// not rendered, so one glyph cannot take gigabytes.
#pragma once

#include "engine/resources/files/tr_Resource.h"
#include "engine/resources/text/tr_GlyphBitmap.h"
#include "engine/resources/text/tr_GlyphMetrics.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

class tr_Font : public tr_Resource, public tr_GlyphMetrics {
public:
    static constexpr int kStyleCount = 4;
    // Room for the widest glyph at the largest font size, and no more.
    static constexpr long kMaxGlyphSide = 4096;
    static constexpr long kMaxGlyphPixels = 8L * 1024 * 1024;

    tr_Font();
    ~tr_Font() override;
    tr_Font(const tr_Font&) = delete;
    tr_Font& operator=(const tr_Font&) = delete;

    // Makes fonts a loadable registry kind (TR_RES_FONT). GetFont does it on
    // first use; start-up may call it so plain registry lookups of kind 3 work
    // from the start.
    static void RegisterKind();

    // The shared font of that name from the resource registry (loaded on
    // first use); empty when there is no registry or the font fails to load.
    static std::shared_ptr<tr_Font> GetFont(const std::string& name);

    // Opens every style file of name that exists; false (with an error line)
    // when none opens.
    bool Load(const char* name) override;

    // Opens a face for style 0..3 from TrueType bytes, replacing any face the
    // style had. False when FreeType cannot use the bytes.
    bool OpenFaceFromMemory(int style, std::vector<uint8_t> bytes);

    bool HasFace(int style) const;
    // Family and style name FreeType reports for a face ("" without one).
    std::string GetFaceName(int style) const;
    int GetGlyphCount(int style) const;

    // Pixel size of every face (character size fontsize x 64 at 72 dpi).
    void SetCharSize(int fontsize);

    int MeasureGlyph(int style, int code) const override;

    // Renders code in style at the current size; false when the style has no
    // face, the face no glyph for the code, or the glyph is too large (logged
    // once per font).
    bool RenderGlyph(int style, int code, tr_GlyphBitmap& out) const;

private:
    struct Face {
        FT_FaceRec_* face = nullptr;
        std::vector<uint8_t> bytes; // kept alive for memory faces
    };

    bool OpenFace(int style, const std::string& base);
    bool AdoptFace(int style, FT_FaceRec_* face, std::vector<uint8_t> bytes);
    void CloseFace(int style);
    FT_FaceRec_* FaceOf(int style) const;

    Face faces_[kStyleCount];
    std::shared_ptr<FT_LibraryRec_> library_;
    int char_size_ = 0;
    mutable std::vector<uint8_t> converted_; // coverage of glyphs not in 8-bit grey
    mutable bool oversized_logged_ = false;
};
