#include "engine/core/tr_MediatorDataInt.h"

#include "engine/core/tr_SLHelper_Text.h"

#include <tinyxml2.h>

void tr_MediatorDataInt::WriteXmlNamed(tinyxml2::XMLElement* element) const {
    element->SetAttribute("val", value_);
}

void tr_MediatorDataInt::WriteXmlTyped(tinyxml2::XMLElement* element) const {
    element->SetAttribute("t", "i");
    element->SetAttribute("v", value_);
}

void tr_MediatorDataInt::ReadXmlTyped(const tinyxml2::XMLElement* element) {
    value_ = tr_SLHelper_Text::ToInt(element->Attribute("v"));
}
