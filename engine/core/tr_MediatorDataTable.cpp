#include "engine/core/tr_MediatorDataTable.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataFloat.h"
#include "engine/core/tr_MediatorDataInt.h"
#include "engine/core/tr_MediatorDataPointer.h"
#include "engine/core/tr_MediatorDataString.h"

#include <tinyxml2.h>

namespace {

bool IsNameStart(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameChar(unsigned char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// Keys become element names in the named form; a key that is not a valid XML
// name would make the whole document unreadable, so such pairs use "el" (the
// "name" attribute still carries the key).
bool IsXmlName(const std::string& key) {
    if (key.empty() || !IsNameStart(static_cast<unsigned char>(key[0]))) {
        return false;
    }
    for (char c : key) {
        if (!IsNameChar(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

} // namespace

tr_MediatorDataTable::tr_MediatorDataTable(const tr_MediatorDataTable& other)
    : tr_MediatorData(other) {
    for (const auto& entry : other.entries_) {
        entries_.emplace(entry.first, std::unique_ptr<tr_MediatorData>(entry.second->Clone()));
    }
}

tr_MediatorDataTable& tr_MediatorDataTable::operator=(const tr_MediatorDataTable& other) {
    if (this != &other) {
        tr_MediatorDataTable copy(other);
        entries_.swap(copy.entries_);
    }
    return *this;
}

tr_MediatorDataTable::~tr_MediatorDataTable() = default;

tr_MediatorData* tr_MediatorDataTable::Get(const std::string& key) const {
    tr_MediatorData* value = Find(key);
    if (value == nullptr) {
        tr_Log("Error: try to get NULL from tr_MediatorDataTable by key %s.", key.c_str());
    }
    return value;
}

tr_MediatorData* tr_MediatorDataTable::Find(const std::string& key) const {
    auto found = entries_.find(key);
    return found != entries_.end() ? found->second.get() : nullptr;
}

void tr_MediatorDataTable::SetPointer(const std::string& key, void* value) {
    Set(key, new tr_MediatorDataPointer(value));
}

void tr_MediatorDataTable::SetInt(const std::string& key, int value) {
    Set(key, new tr_MediatorDataInt(value));
}

void tr_MediatorDataTable::SetFloat(const std::string& key, float value) {
    Set(key, new tr_MediatorDataFloat(value));
}

void tr_MediatorDataTable::SetString(const std::string& key, const std::string& value) {
    Set(key, new tr_MediatorDataString(value));
}

void tr_MediatorDataTable::SetArray(const std::string& key, tr_MediatorDataArray* value) {
    Set(key, value);
}

void tr_MediatorDataTable::SetTable(const std::string& key, tr_MediatorDataTable* value) {
    Set(key, value);
}

void tr_MediatorDataTable::Set(const std::string& key, tr_MediatorData* value) {
    if (value == nullptr) {
        Remove(key);
        return;
    }
    // Storing a container inside itself, or re-storing the value a key
    // already holds, would free it while it is still in use; refuse.
    if (value == this) {
        return;
    }
    std::unique_ptr<tr_MediatorData>& slot = entries_[key];
    if (slot.get() != value) {
        slot.reset(value);
    }
}

tr_MediatorDataTable* tr_MediatorDataTable::AddTable(const std::string& key) {
    auto* table = new tr_MediatorDataTable();
    Set(key, table);
    return table;
}

tr_MediatorDataArray* tr_MediatorDataTable::AddArray(const std::string& key) {
    auto* array = new tr_MediatorDataArray();
    Set(key, array);
    return array;
}

void tr_MediatorDataTable::Remove(const std::string& key) {
    entries_.erase(key);
}

void tr_MediatorDataTable::Clear() {
    entries_.clear();
}

void tr_MediatorDataTable::WriteXmlNamed(tinyxml2::XMLElement* element) const {
    for (const auto& entry : entries_) {
        const char* name = IsXmlName(entry.first) ? entry.first.c_str() : "el";
        tinyxml2::XMLElement* child = element->GetDocument()->NewElement(name);
        element->InsertEndChild(child);
        child->SetAttribute("name", entry.first.c_str());
        entry.second->WriteXmlNamed(child);
    }
}

void tr_MediatorDataTable::WriteXmlTyped(tinyxml2::XMLElement* element) const {
    element->SetAttribute("t", "t");
    for (const auto& entry : entries_) {
        tinyxml2::XMLElement* child = element->GetDocument()->NewElement("el");
        element->InsertEndChild(child);
        child->SetAttribute("k", entry.first.c_str());
        entry.second->WriteXmlTyped(child);
    }
}

void tr_MediatorDataTable::ReadXmlTyped(const tinyxml2::XMLElement* element) {
    for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const char* key = child->Attribute("k");
        if (key == nullptr) {
            continue;
        }
        tr_MediatorData* value = CreateByTypeLetter(child->Attribute("t"));
        if (value != nullptr) {
            value->ReadXmlTyped(child);
            Set(key, value);
        }
    }
}
