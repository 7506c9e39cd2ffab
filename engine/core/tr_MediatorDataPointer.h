// tr_MediatorDataPointer: an untyped pointer carried in message data. The value
// is never owned; the sender keeps what it points to alive for the send.
// Pointers have no XML form.
#pragma once

#include "engine/core/tr_MediatorData.h"

class tr_MediatorDataPointer : public tr_MediatorData {
public:
    explicit tr_MediatorDataPointer(void* value = nullptr)
        : tr_MediatorData(TYPE_POINTER), value_(value) {}

    void* GetPointer() const override { return value_; }
    void SetValue(void* value) { value_ = value; }
    void PushToLua(lua_State* state) const override;
    tr_MediatorData* Clone() const override { return new tr_MediatorDataPointer(value_); }

private:
    void* value_;
};
