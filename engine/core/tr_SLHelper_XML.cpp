#include "engine/core/tr_SLHelper_XML.h"

#include "engine/core/tr_SLHelper_Text.h"

#include <tinyxml2.h>

void tr_SLHelper_XML::SetString(tinyxml2::XMLElement* element, const char* key,
                                const std::string& value) {
    if (element != nullptr) {
        element->SetAttribute(key, value.c_str());
    }
}

void tr_SLHelper_XML::SetFloat(tinyxml2::XMLElement* element, const char* key, float value) {
    if (element != nullptr) {
        element->SetAttribute(key, value);
    }
}

void tr_SLHelper_XML::SetInt(tinyxml2::XMLElement* element, const char* key, int value) {
    if (element != nullptr) {
        element->SetAttribute(key, value);
    }
}

bool tr_SLHelper_XML::GetString(const tinyxml2::XMLElement* element, const char* key,
                                std::string& value) {
    const char* text = element != nullptr ? element->Attribute(key) : nullptr;
    if (text == nullptr) {
        return false;
    }
    value = text;
    return true;
}

bool tr_SLHelper_XML::GetFloat(const tinyxml2::XMLElement* element, const char* key, float& value) {
    const char* text = element != nullptr ? element->Attribute(key) : nullptr;
    if (text == nullptr) {
        return false;
    }
    value = tr_SLHelper_Text::ToFloat(text);
    return true;
}

bool tr_SLHelper_XML::GetInt(const tinyxml2::XMLElement* element, const char* key, int& value) {
    const char* text = element != nullptr ? element->Attribute(key) : nullptr;
    if (text == nullptr) {
        return false;
    }
    value = tr_SLHelper_Text::ToInt(text);
    return true;
}

bool tr_SLHelper_XML::GetBool(const tinyxml2::XMLElement* element, const char* key, bool& value) {
    int number = 0;
    if (!GetInt(element, key, number)) {
        return false;
    }
    value = number != 0;
    return true;
}

void tr_SLHelper_XML::WriteString(const char* key, const std::string& value) {
    if (!WritesSkipped()) {
        SetString(element_, key, value);
    }
}

void tr_SLHelper_XML::WriteFloat(const char* key, const float& value) {
    if (!WritesSkipped()) {
        SetFloat(element_, key, value);
    }
}

void tr_SLHelper_XML::WriteInt(const char* key, const int& value) {
    if (!WritesSkipped()) {
        SetInt(element_, key, value);
    }
}

void tr_SLHelper_XML::WriteInt2(const char* key, const int& value) {
    WriteInt(key, value);
}

void tr_SLHelper_XML::WriteBool(const char* key, const bool& value) {
    if (!WritesSkipped()) {
        SetInt(element_, key, value ? 1 : 0);
    }
}

bool tr_SLHelper_XML::ReadString(const char* key, std::string& value) {
    return GetString(element_, key, value);
}

bool tr_SLHelper_XML::ReadFloat(const char* key, float& value) {
    return GetFloat(element_, key, value);
}

bool tr_SLHelper_XML::ReadInt(const char* key, int& value) {
    return GetInt(element_, key, value);
}

bool tr_SLHelper_XML::ReadInt2(const char* key, int& value) {
    return ReadInt(key, value);
}

bool tr_SLHelper_XML::ReadBool(const char* key, bool& value) {
    return GetBool(element_, key, value);
}
