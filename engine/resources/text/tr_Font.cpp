#include "engine/resources/text/tr_Font.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/text/tr_FontLibrary.h"
#include "engine/resources/text/tr_FontScramble.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace {

const char* const kStyleSuffix[tr_Font::kStyleCount] = {"", "_b", "_i", "_bi"};

// FreeType opens many damaged files lazily; a face whose character map or
// first glyph cannot be read is refused here instead of failing later.
bool FaceIsUsable(FT_Face face) {
    if (face->num_glyphs <= 0 || !face->charmap)
        return false;
    if (FT_Set_Char_Size(face, 0, 16 * 64, 72, 72))
        return false;
    FT_UInt index = 0;
    FT_Get_First_Char(face, &index);
    return index != 0 && FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING) == 0;
}

// Width and height in pixels of the bitmap FT_Render_Glyph would make for the
// loaded glyph, in double so that a wild outline cannot overflow them.
void BitmapSize(FT_GlyphSlot slot, double& width, double& rows) {
    width = rows = 0.0;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_BBox box;
        FT_Outline_Get_CBox(&slot->outline, &box);
        width = (static_cast<double>(box.xMax) - static_cast<double>(box.xMin)) / 64.0 + 2.0;
        rows = (static_cast<double>(box.yMax) - static_cast<double>(box.yMin)) / 64.0 + 2.0;
    } else if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
        width = slot->bitmap.width;
        rows = slot->bitmap.rows;
    }
}

} // namespace

tr_Font::tr_Font() : tr_Resource("tr_dummyfont") {}

void tr_Font::RegisterKind() {
    tr_ResourceRegistry::RegisterKind(TR_RES_FONT, [] { return std::make_shared<tr_Font>(); });
}

std::shared_ptr<tr_Font> tr_Font::GetFont(const std::string& font_name) {
    static const bool registered = (RegisterKind(), true);
    (void)registered;
    tr_ResourceRegistry* registry = tr_ResourceRegistry::Get();
    return registry ? registry->GetAs<tr_Font>(font_name, TR_RES_FONT) : nullptr;
}

tr_Font::~tr_Font() {
    for (int style = 0; style < kStyleCount; ++style)
        CloseFace(style);
}

bool tr_Font::Load(const char* font_name) {
    const std::string asked = font_name ? font_name : "";
    name = asked;
    bool any = false;
    for (int style = 0; style < kStyleCount; ++style)
        any = OpenFace(style, asked + kStyleSuffix[style]) || any;
    if (!any) {
        tr_Log("Error: font %s could not find \"%s\" file to load!", name.c_str(), asked.c_str());
        return false;
    }
    return true;
}

bool tr_Font::OpenFace(int style, const std::string& base) {
    std::string path = tr_ContentPath::Resolve(base + ".trfnt");
    if (tr_ContentPath::Exists(path)) {
        std::vector<char> veiled;
        if (tr_ContentPath::ReadBinary(path, veiled, tr_FileReader::KIND_FONT)) {
            std::vector<uint8_t> plain = tr_FontScramble::Unscramble(
                reinterpret_cast<const uint8_t*>(veiled.data()), veiled.size());
            if (OpenFaceFromMemory(style, std::move(plain)))
                return true;
        }
        tr_Log("Warning: font file %s could not be opened.", path.c_str());
    }
    path = tr_ContentPath::Resolve(base + ".ttf");
    if (!tr_ContentPath::Exists(path))
        return false;
    tr_Log("Warning: using deprecated font format: %s.", path.c_str());
    // Read through the content reader too, never by FreeType from the path:
    // a FIFO or a device there must not hang or flood the game.
    std::vector<char> bytes;
    if (!tr_ContentPath::ReadBinary(path, bytes, tr_FileReader::KIND_FONT) ||
        !OpenFaceFromMemory(style, std::vector<uint8_t>(bytes.begin(), bytes.end()))) {
        tr_Log("Warning: font file %s could not be opened.", path.c_str());
        return false;
    }
    return true;
}

bool tr_Font::OpenFaceFromMemory(int style, std::vector<uint8_t> bytes) {
    if (style < 0 || style >= kStyleCount || bytes.empty())
        return false;
    library_ = library_ ? library_ : tr_FontLibrary::Get();
    if (!library_)
        return false;
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library_.get(), bytes.data(), static_cast<FT_Long>(bytes.size()), 0,
                           &face))
        return false;
    // The face points into the vector's storage, which moving keeps in place.
    return AdoptFace(style, face, std::move(bytes));
}

bool tr_Font::AdoptFace(int style, FT_Face face, std::vector<uint8_t> bytes) {
    if (!FaceIsUsable(face)) {
        FT_Done_Face(face);
        return false;
    }
    CloseFace(style);
    faces_[style].face = face;
    faces_[style].bytes = std::move(bytes);
    if (char_size_ > 0)
        FT_Set_Char_Size(face, 0, char_size_ * 64, 72, 72);
    return true;
}

void tr_Font::CloseFace(int style) {
    if (faces_[style].face)
        FT_Done_Face(faces_[style].face);
    faces_[style].face = nullptr;
    faces_[style].bytes.clear();
}

FT_Face tr_Font::FaceOf(int style) const {
    return style >= 0 && style < kStyleCount ? faces_[style].face : nullptr;
}

bool tr_Font::HasFace(int style) const {
    return FaceOf(style) != nullptr;
}

std::string tr_Font::GetFaceName(int style) const {
    FT_Face face = FaceOf(style);
    if (!face)
        return std::string();
    std::string result = face->family_name ? face->family_name : "";
    if (face->style_name)
        result += std::string(" ") + face->style_name;
    return result;
}

int tr_Font::GetGlyphCount(int style) const {
    FT_Face face = FaceOf(style);
    return face ? static_cast<int>(face->num_glyphs) : 0;
}

void tr_Font::SetCharSize(int fontsize) {
    if (fontsize == char_size_)
        return;
    char_size_ = fontsize;
    for (Face& face : faces_)
        if (face.face)
            FT_Set_Char_Size(face.face, 0, fontsize * 64, 72, 72);
}

int tr_Font::MeasureGlyph(int style, int code) const {
    FT_Face face = FaceOf(style);
    if (!face || code < 0)
        return 0;
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING))
        return 0;
    return static_cast<int>(face->glyph->advance.x / 64);
}

bool tr_Font::RenderGlyph(int style, int code, tr_GlyphBitmap& out) const {
    FT_Face face = FaceOf(style);
    if (!face || code < 0)
        return false;
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING))
        return false;
    double width = 0.0, rows = 0.0;
    BitmapSize(face->glyph, width, rows);
    if (width > kMaxGlyphSide || rows > kMaxGlyphSide || width * rows > kMaxGlyphPixels) {
        if (!oversized_logged_)
            tr_Log("Warning: font %s has glyphs too large to draw (code %d: %.0f x %.0f pixels)",
                   name.c_str(), code, width, rows);
        oversized_logged_ = true;
        return false;
    }
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL))
        return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.advance = static_cast<int>(slot->advance.x / 64);
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.pitch >= 0) {
        out.coverage = bitmap.buffer;
        out.pitch = bitmap.pitch;
        return true;
    }
    // Anything else (1-bit bitmaps of embedded strikes, bottom-up rows) is
    // turned into 8-bit coverage first.
    converted_.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.rows), 0);
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        out.width = 0; // colour or sub-pixel layouts are not drawn
    for (int y = 0; y < out.rows && out.width > 0; ++y) {
        const int source_row = bitmap.pitch >= 0 ? y : out.rows - 1 - y;
        const uint8_t* row = bitmap.buffer + static_cast<long>(source_row) *
                                                 (bitmap.pitch >= 0 ? bitmap.pitch : -bitmap.pitch);
        for (int x = 0; x < out.width; ++x) {
            const uint8_t value = mono ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0) : row[x];
            converted_[static_cast<size_t>(y) * out.width + x] = value;
        }
    }
    out.coverage = converted_.data();
    out.pitch = out.width;
    return true;
}
