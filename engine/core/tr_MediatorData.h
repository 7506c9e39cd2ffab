// tr_MediatorData: base of the typed values carried by mediator messages and
// exchanged with Lua tables and XML. Containers (tr_MediatorDataArray,
// tr_MediatorDataTable) own their elements; a Pointer value never owns what it
// points to. Lua and tinyxml2 are only forward-declared here so that users of
// message data need neither library's headers; the Lua conversions of every
// kind are defined with the script runtime (engine/script/tr_MediatorData_Lua.cpp).
#pragma once

#include <string>

struct lua_State;
namespace tinyxml2 {
class XMLElement;
}

class tr_MediatorDataArray;
class tr_MediatorDataTable;

class tr_MediatorData {
public:
    // Type codes; they also pick the class when values are copied or read back.
    enum Type : int {
        TYPE_POINTER = 0,
        TYPE_INT = 1,
        TYPE_FLOAT = 2,
        TYPE_STRING = 3,
        TYPE_ARRAY = 4,
        TYPE_TABLE = 5,
    };

    explicit tr_MediatorData(int type) : type_(type) {}
    virtual ~tr_MediatorData() = default;

    int GetType() const { return type_; }

    virtual void* GetPointer() const { return nullptr; }
    virtual tr_MediatorDataArray* AsArray() { return nullptr; }
    virtual tr_MediatorDataTable* AsTable() { return nullptr; }
    virtual int GetInt() const { return 0; }
    virtual float GetFloat() const { return 0.0f; }
    virtual std::string GetString() const { return std::string(); }
    virtual void PushToLua(lua_State* /*state*/) const {}
    virtual void WriteXmlNamed(tinyxml2::XMLElement* /*element*/) const {}
    virtual void WriteXmlTyped(tinyxml2::XMLElement* /*element*/) const {}
    virtual void ReadXmlTyped(const tinyxml2::XMLElement* /*element*/) {}

    // A deep copy of the same type.
    virtual tr_MediatorData* Clone() const = 0;

    // An empty value for a type code, or null for an unknown code.
    static tr_MediatorData* CreateByType(int type);
    // An empty value for an XML type letter ("i", "f", "s", "a", "t"), or null.
    static tr_MediatorData* CreateByTypeLetter(const char* letter);

protected:
    tr_MediatorData(const tr_MediatorData&) = default;
    tr_MediatorData& operator=(const tr_MediatorData&) = default;

private:
    int type_;
};
