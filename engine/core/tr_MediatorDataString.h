// tr_MediatorDataString: a byte string in message data (XML letter "s").
#pragma once

#include "engine/core/tr_MediatorData.h"

#include <utility>

class tr_MediatorDataString : public tr_MediatorData {
public:
    explicit tr_MediatorDataString(std::string value = std::string())
        : tr_MediatorData(TYPE_STRING), value_(std::move(value)) {}

    std::string GetString() const override { return value_; }
    const std::string& Value() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    void PushToLua(lua_State* state) const override;
    void WriteXmlNamed(tinyxml2::XMLElement* element) const override;
    void WriteXmlTyped(tinyxml2::XMLElement* element) const override;
    void ReadXmlTyped(const tinyxml2::XMLElement* element) override;
    tr_MediatorData* Clone() const override { return new tr_MediatorDataString(value_); }

private:
    std::string value_;
};
