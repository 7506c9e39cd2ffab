#include "engine/core/tr_MediatorDataFloat.h"

#include "engine/core/tr_SLHelper_Text.h"

#include <climits>
#include <cmath>
#include <tinyxml2.h>

int tr_MediatorDataFloat::GetInt() const {
    // Out-of-range float to int conversion is undefined; saturate instead.
    if (std::isnan(value_)) {
        return 0;
    }
    if (value_ >= 2147483648.0f) {
        return INT_MAX;
    }
    if (value_ <= -2147483648.0f) {
        return INT_MIN;
    }
    return static_cast<int>(value_);
}

void tr_MediatorDataFloat::WriteXmlNamed(tinyxml2::XMLElement* element) const {
    element->SetAttribute("val", value_);
}

void tr_MediatorDataFloat::WriteXmlTyped(tinyxml2::XMLElement* element) const {
    element->SetAttribute("t", "f");
    element->SetAttribute("v", value_);
}

void tr_MediatorDataFloat::ReadXmlTyped(const tinyxml2::XMLElement* element) {
    value_ = tr_SLHelper_Text::ToFloat(element->Attribute("v"));
}
