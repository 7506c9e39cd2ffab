#include "engine/resources/text/tr_TextGlyphCache.h"

#include "engine/resources/text/tr_Font.h"

int tr_TextGlyphCache::MeasureGlyph(int style, int code) const {
    const uint64_t key = Key(style, code);
    auto found = advances_.find(key);
    if (found != advances_.end())
        return found->second;
    const int advance = font_.MeasureGlyph(style, code);
    advances_.emplace(key, advance);
    return advance;
}

const tr_GlyphBitmap* tr_TextGlyphCache::Glyph(int style, int code) {
    const uint64_t key = Key(style, code);
    auto found = glyphs_.find(key);
    if (found == glyphs_.end()) {
        Entry& entry = glyphs_[key];
        tr_GlyphBitmap rendered;
        if (font_.RenderGlyph(style, code, rendered)) {
            entry.drawable = true;
            entry.bitmap = rendered;
            entry.coverage.resize(static_cast<size_t>(rendered.width) * rendered.rows);
            for (int y = 0; y < rendered.rows; ++y)
                for (int x = 0; x < rendered.width; ++x)
                    entry.coverage[static_cast<size_t>(y) * rendered.width + x] =
                        rendered.coverage[static_cast<long>(y) * rendered.pitch + x];
            entry.bitmap.coverage = entry.coverage.data();
            entry.bitmap.pitch = rendered.width;
            held_.push_back(key);
            held_bytes_ += entry.coverage.size();
            DropOldest(key);
        }
        found = glyphs_.find(key);
    }
    return found->second.drawable ? &found->second.bitmap : nullptr;
}

void tr_TextGlyphCache::DropOldest(uint64_t keep) {
    while (held_bytes_ > kMaxBytes && held_.front() != keep) {
        auto oldest = glyphs_.find(held_.front());
        held_bytes_ -= oldest->second.coverage.size();
        glyphs_.erase(oldest);
        held_.pop_front();
    }
}
