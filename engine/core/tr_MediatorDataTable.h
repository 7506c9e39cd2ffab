// tr_MediatorDataTable: a map from string key to message value, keys in byte
// order (XML letter "t"). It is the record every mediator message carries. The
// table owns its values; Set* replaces (and deletes) an existing value; a copy
// is deep. Lua tables convert into it with FromLua.
#pragma once

#include "engine/core/tr_MediatorData.h"

#include <map>
#include <memory>

class tr_MediatorDataTable : public tr_MediatorData {
public:
    using Entries = std::map<std::string, std::unique_ptr<tr_MediatorData>>;

    tr_MediatorDataTable() : tr_MediatorData(TYPE_TABLE) {}
    tr_MediatorDataTable(const tr_MediatorDataTable& other);
    tr_MediatorDataTable& operator=(const tr_MediatorDataTable& other);
    ~tr_MediatorDataTable() override;

    tr_MediatorDataTable* AsTable() override { return this; }
    void PushToLua(lua_State* state) const override;
    void WriteXmlNamed(tinyxml2::XMLElement* element) const override;
    void WriteXmlTyped(tinyxml2::XMLElement* element) const override;
    void ReadXmlTyped(const tinyxml2::XMLElement* element) override;
    tr_MediatorData* Clone() const override { return new tr_MediatorDataTable(*this); }

    // The value under key, or null; Get logs a missing key, Find does not.
    tr_MediatorData* Get(const std::string& key) const;
    tr_MediatorData* Find(const std::string& key) const;

    void SetPointer(const std::string& key, void* value);
    void SetInt(const std::string& key, int value);
    void SetFloat(const std::string& key, float value);
    void SetString(const std::string& key, const std::string& value);
    // Take ownership of value; null removes the key.
    void SetArray(const std::string& key, tr_MediatorDataArray* value);
    void SetTable(const std::string& key, tr_MediatorDataTable* value);
    void Set(const std::string& key, tr_MediatorData* value);
    // Create an empty container under key and return it.
    tr_MediatorDataTable* AddTable(const std::string& key);
    tr_MediatorDataArray* AddArray(const std::string& key);
    void Remove(const std::string& key);
    void Clear();

    int Count() const { return static_cast<int>(entries_.size()); }
    const Entries& GetEntries() const { return entries_; }

    // Adds the pairs of the Lua table on top of the stack (the stack is left
    // as it was). Stops at the first key that is not a non-empty string,
    // keeping what was converted so far.
    void FromLua(lua_State* state);

private:
    Entries entries_;
};
