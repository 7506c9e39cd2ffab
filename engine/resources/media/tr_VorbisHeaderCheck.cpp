#include "engine/resources/media/tr_VorbisHeaderCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Vorbis packs fields least significant bit first. Every read past the end
// fails, so a truncated header is refused instead of read as zeros.
class BitReader {
public:
    BitReader(const unsigned char* data, size_t bytes) : data_(data), bits_(bytes * 8) {}

    bool Read(int count, uint32_t* value) {
        if (count < 0 || count > 32 || bits_ - at_ < static_cast<uint64_t>(count)) {
            return false;
        }
        uint32_t result = 0;
        for (int i = 0; i < count; ++i, ++at_) {
            const uint32_t bit = (data_[at_ >> 3] >> (at_ & 7)) & 1u;
            result |= bit << i;
        }
        *value = result;
        return true;
    }
    bool Skip(uint64_t count) {
        if (bits_ - at_ < count) {
            return false;
        }
        at_ += count;
        return true;
    }

private:
    const unsigned char* data_;
    uint64_t bits_;
    uint64_t at_ = 0;
};

int ILog(uint32_t v) {
    int bits = 0;
    while (v) {
        ++bits;
        v >>= 1;
    }
    return bits;
}

// What the later sections need to know about a codebook.
struct Book {
    uint32_t dim = 0;
    uint32_t entries = 0;
    uint32_t lookup = 0;
};

// The greatest v with v^dim <= entries (the value count of a lattice book).
uint32_t Lookup1Values(uint32_t entries, uint32_t dim) {
    auto fits = [&](uint64_t v) {
        uint64_t acc = 1;
        for (uint32_t i = 0; i < dim; ++i) {
            acc *= v;
            if (acc > entries) {
                return false;
            }
        }
        return true;
    };
    uint64_t v = static_cast<uint64_t>(std::floor(std::pow(double(entries), 1.0 / dim)));
    while (v > 0 && !fits(v)) {
        --v;
    }
    while (fits(v + 1)) {
        ++v;
    }
    return static_cast<uint32_t>(v);
}

class SetupReader {
public:
    SetupReader(const unsigned char* packet, size_t bytes, int channels)
        : in_(packet, bytes), channels_(channels) {}

    std::string Run() {
        uint32_t type = 0;
        unsigned char magic[6];
        if (!in_.Read(8, &type) || type != 5 || !ReadMagic(magic) ||
            std::memcmp(magic, "vorbis", 6) != 0) {
            return "not a Vorbis setup header";
        }
        const char* fault = Codebooks();
        if (!fault) {
            fault = TimeDomain();
        }
        if (!fault) {
            fault = Floors();
        }
        if (!fault) {
            fault = Residues();
        }
        if (!fault) {
            fault = Mappings();
        }
        if (!fault) {
            fault = Modes();
        }
        uint32_t framing = 0;
        if (!fault && (!in_.Read(1, &framing) || framing != 1)) {
            fault = "setup header without framing bit";
        }
        return fault ? fault : "";
    }

private:
    bool ReadMagic(unsigned char* magic) {
        for (int i = 0; i < 6; ++i) {
            uint32_t c = 0;
            if (!in_.Read(8, &c)) {
                return false;
            }
            magic[i] = static_cast<unsigned char>(c);
        }
        return true;
    }

    // A count field stored as value - 1.
    bool ReadCount(int bits, uint32_t* count) {
        if (!in_.Read(bits, count)) {
            return false;
        }
        ++*count;
        return true;
    }

    const char* Codebooks() {
        uint32_t count = 0;
        if (!ReadCount(8, &count)) {
            return "setup header cut off";
        }
        for (uint32_t i = 0; i < count; ++i) {
            if (const char* fault = Codebook()) {
                return fault;
            }
        }
        return nullptr;
    }

    const char* Codebook() {
        const char* cut = "codebook cut off";
        uint32_t sync = 0;
        Book book;
        if (!in_.Read(24, &sync) || !in_.Read(16, &book.dim) || !in_.Read(24, &book.entries)) {
            return cut;
        }
        if (sync != 0x564342) {
            return "codebook without sync pattern";
        }
        if (ILog(book.dim) + ILog(book.entries) > 24) {
            return "codebook too large";
        }
        uint32_t ordered = 0;
        if (!in_.Read(1, &ordered)) {
            return cut;
        }
        if (const char* fault = ordered ? OrderedLengths(book.entries) : Lengths(book.entries)) {
            return fault;
        }
        if (!in_.Read(4, &book.lookup)) {
            return cut;
        }
        if (book.lookup > 2) {
            return "codebook of unknown lookup type";
        }
        // Vectors of dimension 0 make the value count a root of degree 0 and
        // the residue decoders divide by zero or never advance.
        if (book.lookup != 0 && book.dim == 0) {
            return "codebook of dimension 0";
        }
        if (book.lookup != 0) {
            uint32_t skip = 0, value_bits = 0;
            if (!in_.Read(32, &skip) || !in_.Read(32, &skip) || !ReadCount(4, &value_bits) ||
                !in_.Read(1, &skip)) {
                return cut;
            }
            const uint64_t values = book.lookup == 1
                                        ? Lookup1Values(book.entries, book.dim)
                                        : static_cast<uint64_t>(book.entries) * book.dim;
            if (!in_.Skip(values * value_bits)) {
                return cut;
            }
        }
        books_.push_back(book);
        return nullptr;
    }

    const char* Lengths(uint32_t entries) {
        uint32_t sparse = 0;
        if (!in_.Read(1, &sparse)) {
            return "codebook cut off";
        }
        for (uint32_t i = 0; i < entries; ++i) {
            uint32_t used = 1, length = 0;
            if ((sparse && !in_.Read(1, &used)) || (used && !in_.Read(5, &length))) {
                return "codebook cut off";
            }
        }
        return nullptr;
    }

    const char* OrderedLengths(uint32_t entries) {
        uint32_t length = 0;
        if (!ReadCount(5, &length)) {
            return "codebook cut off";
        }
        for (uint32_t entry = 0; entry < entries; ++length) {
            uint32_t number = 0;
            if (!in_.Read(ILog(entries - entry), &number)) {
                return "codebook cut off";
            }
            // More codewords of one length than that length can hold.
            if (length > 32 || number > entries - entry ||
                (number > 0 && ((number - 1) >> (length - 1)) > 1)) {
                return "codebook with impossible lengths";
            }
            entry += number;
        }
        return nullptr;
    }

    const char* TimeDomain() {
        uint32_t count = 0;
        if (!ReadCount(6, &count)) {
            return "setup header cut off";
        }
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t type = 0;
            if (!in_.Read(16, &type) || type != 0) {
                return "unknown time domain transform";
            }
        }
        return nullptr;
    }

    bool ValidBook(uint32_t book) const { return book < books_.size(); }

    const char* Floors() {
        if (!ReadCount(6, &floors_)) {
            return "setup header cut off";
        }
        for (uint32_t i = 0; i < floors_; ++i) {
            uint32_t type = 0;
            if (!in_.Read(16, &type)) {
                return "floor cut off";
            }
            const char* fault = type == 0 ? Floor0() : type == 1 ? Floor1() : "unknown floor type";
            if (fault) {
                return fault;
            }
        }
        return nullptr;
    }

    const char* Floor0() {
        uint32_t order = 0, rate = 0, bark = 0, skip = 0, count = 0;
        if (!in_.Read(8, &order) || !in_.Read(16, &rate) || !in_.Read(16, &bark) ||
            !in_.Read(6, &skip) || !in_.Read(8, &skip) || !ReadCount(4, &count)) {
            return "floor cut off";
        }
        if (order < 1 || rate < 1 || bark < 1) {
            return "floor 0 with zero order, rate or bark map";
        }
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t book = 0;
            if (!in_.Read(8, &book)) {
                return "floor cut off";
            }
            // The line spectrum is read as vectors of the book's dimension.
            if (!ValidBook(book) || books_[book].lookup == 0) {
                return "floor 0 with an unusable book";
            }
        }
        return nullptr;
    }

    const char* Floor1() {
        const char* cut = "floor cut off";
        uint32_t partitions = 0;
        if (!in_.Read(5, &partitions)) {
            return cut;
        }
        std::vector<uint32_t> partition_class(partitions);
        uint32_t classes = 0;
        for (uint32_t& c : partition_class) {
            if (!in_.Read(4, &c)) {
                return cut;
            }
            classes = std::max(classes, c + 1);
        }
        std::vector<uint32_t> class_dim(classes);
        for (uint32_t c = 0; c < classes; ++c) {
            uint32_t subclasses = 0, book = 0;
            if (!ReadCount(3, &class_dim[c]) || !in_.Read(2, &subclasses)) {
                return cut;
            }
            if (subclasses != 0 && (!in_.Read(8, &book) || !ValidBook(book))) {
                return "floor 1 with an unknown book";
            }
            for (uint32_t k = 0; k < (1u << subclasses); ++k) {
                // Stored as book + 1; 0 means no book.
                if (!in_.Read(8, &book) || (book != 0 && !ValidBook(book - 1))) {
                    return "floor 1 with an unknown book";
                }
            }
        }
        uint32_t multiplier = 0, range_bits = 0;
        if (!in_.Read(2, &multiplier) || !in_.Read(4, &range_bits)) {
            return cut;
        }
        // The curve's end points, then the posts; two posts at one position
        // would make a segment of length zero.
        std::vector<uint32_t> posts = {0, 1u << range_bits};
        for (uint32_t c : partition_class) {
            for (uint32_t k = 0; k < class_dim[c]; ++k) {
                uint32_t x = 0;
                if (posts.size() >= 65 || !in_.Read(static_cast<int>(range_bits), &x)) {
                    return posts.size() >= 65 ? "floor 1 with too many posts" : cut;
                }
                posts.push_back(x);
            }
        }
        std::sort(posts.begin(), posts.end());
        if (std::adjacent_find(posts.begin(), posts.end()) != posts.end()) {
            return "floor 1 with repeated posts";
        }
        return nullptr;
    }

    const char* Residues() {
        if (!ReadCount(6, &residues_)) {
            return "setup header cut off";
        }
        for (uint32_t i = 0; i < residues_; ++i) {
            if (const char* fault = Residue()) {
                return fault;
            }
        }
        return nullptr;
    }

    const char* Residue() {
        const char* cut = "residue cut off";
        uint32_t type = 0, skip = 0, partition_size = 0, classifications = 0, classbook = 0;
        if (!in_.Read(16, &type)) {
            return cut;
        }
        if (type > 2) {
            return "unknown residue type";
        }
        if (!in_.Read(24, &skip) || !in_.Read(24, &skip) || !ReadCount(24, &partition_size) ||
            !ReadCount(6, &classifications) || !in_.Read(8, &classbook)) {
            return cut;
        }
        if (!ValidBook(classbook)) {
            return "residue with an unknown classbook";
        }
        // The classbook's entries must cover every combination of classes
        // one codeword stands for.
        const Book& group = books_[classbook];
        uint64_t combinations = 1;
        for (uint32_t d = 0; d < group.dim; ++d) {
            combinations *= classifications;
            if (combinations > group.entries) {
                return "residue classbook too small";
            }
        }
        std::vector<uint32_t> cascade(classifications);
        for (uint32_t& stages : cascade) {
            uint32_t low = 0, high_flag = 0, high = 0;
            if (!in_.Read(3, &low) || !in_.Read(1, &high_flag) ||
                (high_flag && !in_.Read(5, &high))) {
                return cut;
            }
            stages = (high << 3) | low;
        }
        for (uint32_t stages : cascade) {
            for (int bit = 0; bit < 8; ++bit) {
                if (!(stages & (1u << bit))) {
                    continue;
                }
                uint32_t book = 0;
                if (!in_.Read(8, &book)) {
                    return cut;
                }
                // Residue values come from the book's value table.
                if (!ValidBook(book) || books_[book].lookup == 0) {
                    return "residue with an unusable book";
                }
            }
        }
        return nullptr;
    }

    const char* Mappings() {
        if (!ReadCount(6, &mappings_)) {
            return "setup header cut off";
        }
        const uint32_t channels = static_cast<uint32_t>(channels_);
        const int channel_bits = ILog(channels - 1);
        for (uint32_t i = 0; i < mappings_; ++i) {
            const char* cut = "mapping cut off";
            uint32_t type = 0, flag = 0, submaps = 1, steps = 0, reserved = 0;
            if (!in_.Read(16, &type) || !in_.Read(1, &flag)) {
                return cut;
            }
            if (type != 0) {
                return "unknown mapping type";
            }
            if (flag && !ReadCount(4, &submaps)) {
                return cut;
            }
            if (!in_.Read(1, &flag) || (flag && !ReadCount(8, &steps))) {
                return cut;
            }
            for (uint32_t s = 0; s < steps; ++s) {
                uint32_t magnitude = 0, angle = 0;
                if (!in_.Read(channel_bits, &magnitude) || !in_.Read(channel_bits, &angle)) {
                    return cut;
                }
                if (magnitude == angle || magnitude >= channels || angle >= channels) {
                    return "mapping with impossible channel coupling";
                }
            }
            if (!in_.Read(2, &reserved) || reserved != 0) {
                return "mapping with reserved bits set";
            }
            for (uint32_t c = 0; submaps > 1 && c < channels; ++c) {
                uint32_t mux = 0;
                if (!in_.Read(4, &mux) || mux >= submaps) {
                    return "mapping with an unknown submap";
                }
            }
            for (uint32_t s = 0; s < submaps; ++s) {
                uint32_t skip = 0, floor = 0, residue = 0;
                if (!in_.Read(8, &skip) || !in_.Read(8, &floor) || !in_.Read(8, &residue)) {
                    return cut;
                }
                if (floor >= floors_ || residue >= residues_) {
                    return "mapping with an unknown floor or residue";
                }
            }
        }
        return nullptr;
    }

    const char* Modes() {
        uint32_t count = 0;
        if (!ReadCount(6, &count)) {
            return "setup header cut off";
        }
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t block = 0, window = 0, transform = 0, mapping = 0;
            if (!in_.Read(1, &block) || !in_.Read(16, &window) || !in_.Read(16, &transform) ||
                !in_.Read(8, &mapping)) {
                return "mode cut off";
            }
            if (window != 0 || transform != 0 || mapping >= mappings_) {
                return "mode with an unknown window, transform or mapping";
            }
        }
        return nullptr;
    }

    BitReader in_;
    int channels_;
    std::vector<Book> books_;
    uint32_t floors_ = 0;
    uint32_t residues_ = 0;
    uint32_t mappings_ = 0;
};

} // namespace

std::string tr_VorbisHeaderCheck::CheckIdentification(const unsigned char* packet, size_t bytes,
                                                      int max_channels, Format* format) {
    // Type, "vorbis", version, channels, rate, three bit rates, block sizes, framing.
    if (bytes < 30 || packet[0] != 1 || std::memcmp(packet + 1, "vorbis", 6) != 0) {
        return "not a Vorbis stream";
    }
    BitReader in(packet + 7, bytes - 7);
    uint32_t version = 0, channels = 0, rate = 0, small = 0, large = 0, framing = 0;
    in.Read(32, &version);
    in.Read(8, &channels);
    in.Read(32, &rate);
    in.Skip(96);
    in.Read(4, &small);
    in.Read(4, &large);
    in.Read(1, &framing);
    if (version != 0 || framing != 1 || small < 6 || large > 13 || small > large) {
        return "damaged identification header";
    }
    format->channels = static_cast<int>(channels);
    format->rate = static_cast<long>(rate);
    if (rate < kMinRate || rate > kMaxRate) {
        return "sample rate " + std::to_string(rate) + " Hz outside " + std::to_string(kMinRate) +
               ".." + std::to_string(kMaxRate);
    }
    if (channels < 1 || static_cast<int>(channels) > max_channels) {
        return std::to_string(channels) + " channels (at most " + std::to_string(max_channels) +
               ")";
    }
    return "";
}

std::string tr_VorbisHeaderCheck::CheckSetup(const unsigned char* packet, size_t bytes,
                                             int channels) {
    if (channels < 1) {
        return "no channels";
    }
    return SetupReader(packet, bytes, channels).Run();
}
