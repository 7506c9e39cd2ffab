// tp_SaveGameFile: the bytes of a saved-game file. It is the line
// "<!--checksum-->" followed by one compact XML document, profile /
// game_data / data; the checksum is the sum of the document's bytes (as
// unsigned 8-bit values, wrapping in 32 bits) printed as a signed 32-bit
// number. Everything here works on a byte buffer and trusts nothing in it.
// Stateless; the profile manager, the save checker and tests use it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tinyxml2 {
class XMLDocument;
class XMLElement;
} // namespace tinyxml2

class tp_SaveGameFile {
public:
    enum Status {
        OK = 0,
        NO_CHECKSUM,    // no "<!--number-->" line at the start
        WRONG_CHECKSUM, // the document's bytes do not add up to it
        BAD_XML,        // the file is not an XML document
        NO_GAME_DATA,   // the document lacks profile / game_data
    };

    // The opening and closing text around the data's entries.
    static constexpr const char* kDocumentStart = "<profile><game_data><data>";
    static constexpr const char* kDocumentEnd = "</data></game_data></profile>";

    static int32_t Checksum(const char* data, size_t size);
    // The checksum line followed by the document.
    static std::string Sign(const std::string& document);
    // The document of a file (after its checksum line, when it has one) with
    // a checksum line made for it: what a hand-edited file needs.
    static std::string Resign(const char* data, size_t size);

    // Checks the checksum line and the sum; stored and actual receive the
    // two sums when the line was readable.
    static Status Verify(const char* data, size_t size, int32_t* stored = nullptr,
                         int32_t* actual = nullptr);
    // Verify, then parse into document. data_element is profile / game_data /
    // data, or null when the game data has no data element (nothing to load).
    static Status Open(const char* data, size_t size, tinyxml2::XMLDocument& document,
                       const tinyxml2::XMLElement** data_element);

    static const char* Describe(Status status);

private:
    // Where the document starts: after "-->" and the line feed that follows
    // it; npos without a checksum line. number receives the text between.
    static size_t DocumentStart(const char* data, size_t size, std::string* number);
};
