#include "game/app/tp_SaveGameFile.h"

#include <tinyxml2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr size_t kMaxNumberLength = 63;

} // namespace

int32_t tp_SaveGameFile::Checksum(const char* data, size_t size) {
    uint32_t sum = 0;
    for (size_t i = 0; i < size; ++i)
        sum += static_cast<unsigned char>(data[i]);
    return static_cast<int32_t>(sum);
}

std::string tp_SaveGameFile::Sign(const std::string& document) {
    char line[32];
    std::snprintf(line, sizeof line, "<!--%ld-->\n",
                  static_cast<long>(Checksum(document.data(), document.size())));
    return line + document;
}

std::string tp_SaveGameFile::Resign(const char* data, size_t size) {
    size_t start = DocumentStart(data, size, nullptr);
    if (start == std::string::npos)
        start = 0;
    return Sign(std::string(data + start, size - start));
}

size_t tp_SaveGameFile::DocumentStart(const char* data, size_t size, std::string* number) {
    const char kOpen[] = "<!--";
    if (!data || size < 4 || std::memcmp(data, kOpen, 4) != 0)
        return std::string::npos;
    const std::string_view text(data, size);
    const size_t close = text.find("-->", 4);
    if (close == std::string::npos || close - 4 > kMaxNumberLength)
        return std::string::npos;
    if (number)
        *number = std::string(text.substr(4, close - 4));
    size_t start = close + 3;
    if (start < size && data[start] == '\n')
        ++start;
    return start;
}

tp_SaveGameFile::Status tp_SaveGameFile::Verify(const char* data, size_t size, int32_t* stored,
                                                int32_t* actual) {
    std::string number;
    const size_t start = DocumentStart(data, size, &number);
    if (start == std::string::npos)
        return NO_CHECKSUM;
    // Files from 32-bit builds print the sum as a signed 32-bit number; the
    // low 32 bits of the value read compare the same either way.
    const int32_t expected =
        static_cast<int32_t>(static_cast<uint32_t>(std::strtoll(number.c_str(), nullptr, 10)));
    const int32_t sum = Checksum(data + start, size - start);
    if (stored)
        *stored = expected;
    if (actual)
        *actual = sum;
    return expected == sum ? OK : WRONG_CHECKSUM;
}

tp_SaveGameFile::Status tp_SaveGameFile::Open(const char* data, size_t size,
                                              tinyxml2::XMLDocument& document,
                                              const tinyxml2::XMLElement** data_element) {
    *data_element = nullptr;
    const Status status = Verify(data, size);
    if (status != OK)
        return status;
    if (document.Parse(data, size) != tinyxml2::XML_SUCCESS)
        return BAD_XML;
    const tinyxml2::XMLElement* profile = document.FirstChildElement("profile");
    const tinyxml2::XMLElement* game_data =
        profile ? profile->FirstChildElement("game_data") : nullptr;
    if (!game_data)
        return NO_GAME_DATA;
    *data_element = game_data->FirstChildElement("data");
    return OK;
}

const char* tp_SaveGameFile::Describe(Status status) {
    switch (status) {
    case OK:
        return "ok";
    case NO_CHECKSUM:
        return "no checksum line";
    case WRONG_CHECKSUM:
        return "wrong checksum";
    case BAD_XML:
        return "not an XML document";
    case NO_GAME_DATA:
        return "no profile/game_data element";
    }
    return "unknown";
}
