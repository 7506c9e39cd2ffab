#include "engine/core/tr_MediatorDataArray.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_MediatorDataFloat.h"
#include "engine/core/tr_MediatorDataInt.h"
#include "engine/core/tr_MediatorDataPointer.h"
#include "engine/core/tr_MediatorDataString.h"
#include "engine/core/tr_MediatorDataTable.h"

#include <tinyxml2.h>

tr_MediatorDataArray::tr_MediatorDataArray(const tr_MediatorDataArray& other)
    : tr_MediatorData(other) {
    elements_.reserve(other.elements_.size());
    for (const auto& element : other.elements_) {
        elements_.emplace_back(element->Clone());
    }
}

tr_MediatorDataArray& tr_MediatorDataArray::operator=(const tr_MediatorDataArray& other) {
    if (this != &other) {
        tr_MediatorDataArray copy(other);
        elements_.swap(copy.elements_);
    }
    return *this;
}

tr_MediatorDataArray::~tr_MediatorDataArray() = default;

tr_MediatorData* tr_MediatorDataArray::Get(int index) const {
    if (index < 0 || index >= Count()) {
        tr_Log("Error: try to get NULL from tr_MediatorDataArray by index %d.", index);
        return nullptr;
    }
    return elements_[static_cast<size_t>(index)].get();
}

void tr_MediatorDataArray::AddInt(int value) {
    Add(new tr_MediatorDataInt(value));
}

void tr_MediatorDataArray::AddFloat(float value) {
    Add(new tr_MediatorDataFloat(value));
}

void tr_MediatorDataArray::AddString(const std::string& value) {
    Add(new tr_MediatorDataString(value));
}

void tr_MediatorDataArray::AddPointer(void* value) {
    Add(new tr_MediatorDataPointer(value));
}

tr_MediatorDataTable* tr_MediatorDataArray::AddTable() {
    auto* table = new tr_MediatorDataTable();
    Add(table);
    return table;
}

tr_MediatorDataArray* tr_MediatorDataArray::AddArray() {
    auto* array = new tr_MediatorDataArray();
    Add(array);
    return array;
}

void tr_MediatorDataArray::Add(tr_MediatorData* value) {
    // An array inside itself would be freed twice.
    if (value != nullptr && value != this) {
        elements_.emplace_back(value);
    }
}

void tr_MediatorDataArray::Clear() {
    elements_.clear();
}

void tr_MediatorDataArray::WriteXmlNamed(tinyxml2::XMLElement* element) const {
    for (const auto& value : elements_) {
        tinyxml2::XMLElement* child = element->GetDocument()->NewElement("el");
        element->InsertEndChild(child);
        child->SetAttribute("name", "el");
        value->WriteXmlNamed(child);
    }
}

void tr_MediatorDataArray::WriteXmlTyped(tinyxml2::XMLElement* element) const {
    element->SetAttribute("t", "a");
    for (const auto& value : elements_) {
        tinyxml2::XMLElement* child = element->GetDocument()->NewElement("el");
        element->InsertEndChild(child);
        value->WriteXmlTyped(child);
    }
}

void tr_MediatorDataArray::ReadXmlTyped(const tinyxml2::XMLElement* element) {
    for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        tr_MediatorData* value = CreateByTypeLetter(child->Attribute("t"));
        if (value != nullptr) {
            value->ReadXmlTyped(child);
            Add(value);
        }
    }
}
