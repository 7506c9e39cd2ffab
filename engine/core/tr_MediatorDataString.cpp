#include "engine/core/tr_MediatorDataString.h"

#include <tinyxml2.h>

void tr_MediatorDataString::WriteXmlNamed(tinyxml2::XMLElement* element) const {
    element->SetAttribute("val", value_.c_str());
}

void tr_MediatorDataString::WriteXmlTyped(tinyxml2::XMLElement* element) const {
    element->SetAttribute("t", "s");
    element->SetAttribute("v", value_.c_str());
}

void tr_MediatorDataString::ReadXmlTyped(const tinyxml2::XMLElement* element) {
    const char* text = element->Attribute("v");
    value_ = text != nullptr ? text : "";
}
