// Sets the checksum of every whole Ogg page in a byte buffer, so tests and fuzz
// targets can change bytes inside pages the way a deliberately damaged file
// does, and the decoder sees the change instead of a page that fails its check.
// Header-only; needs libogg.
#pragma once

#include <ogg/ogg.h>

#include <cstddef>
#include <cstdint>

namespace test_support {

inline void FixOggChecksums(unsigned char* bytes, size_t size) {
    size_t at = 0;
    while (at + 27 <= size) {
        if (bytes[at] != 'O' || bytes[at + 1] != 'g' || bytes[at + 2] != 'g' ||
            bytes[at + 3] != 'S') {
            ++at;
            continue;
        }
        const size_t header = 27 + static_cast<size_t>(bytes[at + 26]);
        if (at + header > size) {
            return;
        }
        size_t body = 0;
        for (size_t i = 27; i < header; ++i) {
            body += bytes[at + i];
        }
        if (at + header + body > size) {
            return;
        }
        ogg_page page;
        page.header = bytes + at;
        page.header_len = static_cast<long>(header);
        page.body = bytes + at + header;
        page.body_len = static_cast<long>(body);
        ogg_page_checksum_set(&page);
        at += header + body;
    }
}

} // namespace test_support
