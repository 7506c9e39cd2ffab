#include "engine/script/tr_MediatorDataString.h"

#include <lua.hpp>
#include <tinyxml2.h>

void tr_MediatorDataString::PushToLua(lua_State* state) const {
    lua_pushlstring(state, value_.data(), value_.size());
}

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
