// tr_TextGlyphCache: glyph advances and bitmaps of one text render, so a
// paragraph loads each distinct glyph once and the outline passes reuse the
// bitmaps of the main pass. Lives for one render only (the font's size may
// change between renders); borrows the font.
#pragma once

#include "engine/resources/text/tr_GlyphBitmap.h"
#include "engine/resources/text/tr_GlyphMetrics.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class tr_Font;

class tr_TextGlyphCache : public tr_GlyphMetrics {
public:
    explicit tr_TextGlyphCache(const tr_Font& font) : font_(font) {}

    int MeasureGlyph(int style, int code) const override;
    // The rendered glyph, or null when the font has none for it.
    const tr_GlyphBitmap* Glyph(int style, int code);

private:
    struct Entry {
        bool drawable = false;
        tr_GlyphBitmap bitmap;
        std::vector<uint8_t> coverage;
    };
    static uint64_t Key(int style, int code) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(style)) << 32) |
               static_cast<uint32_t>(code);
    }

    const tr_Font& font_;
    mutable std::unordered_map<uint64_t, int> advances_;
    std::unordered_map<uint64_t, Entry> glyphs_; // nodes stay put, so coverage pointers hold
};
