// tr_MediatorDataInt: a 32-bit signed integer in message data (XML letter "i").
#pragma once

#include "engine/core/tr_MediatorData.h"

class tr_MediatorDataInt : public tr_MediatorData {
public:
    explicit tr_MediatorDataInt(int value = 0) : tr_MediatorData(TYPE_INT), value_(value) {}

    int GetInt() const override { return value_; }
    float GetFloat() const override { return static_cast<float>(value_); }
    void SetValue(int value) { value_ = value; }
    void PushToLua(lua_State* state) const override;
    void WriteXmlNamed(tinyxml2::XMLElement* element) const override;
    void WriteXmlTyped(tinyxml2::XMLElement* element) const override;
    void ReadXmlTyped(const tinyxml2::XMLElement* element) override;
    tr_MediatorData* Clone() const override { return new tr_MediatorDataInt(value_); }

private:
    int value_;
};
