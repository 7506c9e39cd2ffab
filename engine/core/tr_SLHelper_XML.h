// tr_SLHelper_XML: serialization helper over the attributes of one tinyxml2
// element (module objects, the settings file). The element is not owned and
// must outlive the helper. Strings are written and read verbatim; numbers as
// text (reads like atoi / atof, locale-independent); booleans are written as 1
// or 0 and read as text-to-integer, nonzero meaning true (so "true" reads
// false: content relies on this).
#pragma once

#include "engine/core/tr_SLHelper.h"

namespace tinyxml2 {
class XMLElement;
}

class tr_SLHelper_XML : public tr_SLHelper {
public:
    explicit tr_SLHelper_XML(tinyxml2::XMLElement* element) : element_(element) {}

    void WriteString(const char* key, const std::string& value) override;
    void WriteFloat(const char* key, const float& value) override;
    void WriteInt(const char* key, const int& value) override;
    void WriteInt2(const char* key, const int& value) override;
    void WriteBool(const char* key, const bool& value) override;
    bool ReadString(const char* key, std::string& value) override;
    bool ReadFloat(const char* key, float& value) override;
    bool ReadInt(const char* key, int& value) override;
    bool ReadInt2(const char* key, int& value) override;
    bool ReadBool(const char* key, bool& value) override;

    tinyxml2::XMLElement* GetElement() const { return element_; }

    // The attribute conversions, shared with tr_SLHelper_TinyXML2. A null
    // element reads nothing and ignores writes.
    static void SetString(tinyxml2::XMLElement* element, const char* key, const std::string& value);
    static void SetFloat(tinyxml2::XMLElement* element, const char* key, float value);
    static void SetInt(tinyxml2::XMLElement* element, const char* key, int value);
    static bool GetString(const tinyxml2::XMLElement* element, const char* key, std::string& value);
    static bool GetFloat(const tinyxml2::XMLElement* element, const char* key, float& value);
    static bool GetInt(const tinyxml2::XMLElement* element, const char* key, int& value);
    static bool GetBool(const tinyxml2::XMLElement* element, const char* key, bool& value);

private:
    tinyxml2::XMLElement* element_;
};
