// tr_MediatorDataArray: an ordered list of message values (XML letter "a").
// The array owns its elements; a copy is deep. Lua tables convert into it with
// FromLua, in the traversal order of Lua's next().
#pragma once

#include "engine/core/tr_MediatorData.h"

#include <memory>
#include <vector>

class tr_MediatorDataArray : public tr_MediatorData {
public:
    tr_MediatorDataArray() : tr_MediatorData(TYPE_ARRAY) {}
    tr_MediatorDataArray(const tr_MediatorDataArray& other);
    tr_MediatorDataArray& operator=(const tr_MediatorDataArray& other);
    ~tr_MediatorDataArray() override;

    tr_MediatorDataArray* AsArray() override { return this; }
    void PushToLua(lua_State* state) const override;
    void WriteXmlNamed(tinyxml2::XMLElement* element) const override;
    void WriteXmlTyped(tinyxml2::XMLElement* element) const override;
    void ReadXmlTyped(const tinyxml2::XMLElement* element) override;
    tr_MediatorData* Clone() const override { return new tr_MediatorDataArray(*this); }

    // The element at index, or null (logged) when index is out of range.
    tr_MediatorData* Get(int index) const;
    int Count() const { return static_cast<int>(elements_.size()); }

    void AddInt(int value);
    void AddFloat(float value);
    void AddString(const std::string& value);
    void AddPointer(void* value);
    tr_MediatorDataTable* AddTable();
    tr_MediatorDataArray* AddArray();
    // Appends value and takes ownership; null is ignored.
    void Add(tr_MediatorData* value);
    void Clear();

    // Appends the values of the Lua table on top of the stack (the stack is
    // left as it was). Does nothing when the top is not a table.
    void FromLua(lua_State* state);

private:
    std::vector<std::unique_ptr<tr_MediatorData>> elements_;
};
