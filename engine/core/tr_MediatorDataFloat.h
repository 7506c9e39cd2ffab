// tr_MediatorDataFloat: a float in message data (XML letter "f"). GetInt
// truncates toward zero and saturates at the int range.
#pragma once

#include "engine/core/tr_MediatorData.h"

class tr_MediatorDataFloat : public tr_MediatorData {
public:
    explicit tr_MediatorDataFloat(float value = 0.0f)
        : tr_MediatorData(TYPE_FLOAT), value_(value) {}

    int GetInt() const override;
    float GetFloat() const override { return value_; }
    void SetValue(float value) { value_ = value; }
    void PushToLua(lua_State* state) const override;
    void WriteXmlNamed(tinyxml2::XMLElement* element) const override;
    void WriteXmlTyped(tinyxml2::XMLElement* element) const override;
    void ReadXmlTyped(const tinyxml2::XMLElement* element) override;
    tr_MediatorData* Clone() const override { return new tr_MediatorDataFloat(value_); }

private:
    float value_;
};
