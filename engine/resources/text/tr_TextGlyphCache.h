// tr_TextGlyphCache: glyph advances and bitmaps of one text render, so a
// paragraph loads each distinct glyph once and the outline passes reuse the
// bitmaps of the main pass. Bitmaps are held up to kMaxBytes; past that the
// oldest are dropped and rendered again when asked for, so a bitmap returned
// by Glyph is valid until the next call of Glyph. Lives for one render only
// (the font's size may change between renders); borrows the font.
#pragma once

#include "engine/resources/text/tr_GlyphBitmap.h"
#include "engine/resources/text/tr_GlyphMetrics.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

class tr_Font;

class tr_TextGlyphCache : public tr_GlyphMetrics {
public:
    static constexpr size_t kMaxBytes = 32u << 20;

    explicit tr_TextGlyphCache(const tr_Font& font) : font_(font) {}

    int MeasureGlyph(int style, int code) const override;
    // The rendered glyph, or null when the font has none for it.
    const tr_GlyphBitmap* Glyph(int style, int code);
    // Bytes of coverage held now.
    size_t HeldBytes() const { return held_bytes_; }

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

    void DropOldest(uint64_t keep);

    const tr_Font& font_;
    mutable std::unordered_map<uint64_t, int> advances_;
    std::unordered_map<uint64_t, Entry> glyphs_; // nodes stay put, so coverage pointers hold
    std::deque<uint64_t> held_;                  // glyphs with coverage, oldest first
    size_t held_bytes_ = 0;
};
