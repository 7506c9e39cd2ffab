// tr_SLHelper_TinyXML2: serialization helper over a tinyxml2 document it owns
// (resource description files). Reads and writes work on the attributes of
// the current element, with the conversions of tr_SLHelper_XML. The root and
// first current element is the document's first child element.
//
// Navigation: Enter(name) moves to a named child, Leave() back to the parent
// (never above the root). Groups are walked like this:
//     if (h.BeginGroup("emit")) {
//         while (h.NextInGroup()) { ...read the child...; h.Leave(); }
//         h.EndGroup();
//     }
// NextInGroup visits the current element's children of any name in order.
#pragma once

#include "engine/core/tr_SLHelper.h"

#include <memory>
#include <vector>

namespace tinyxml2 {
class XMLDocument;
class XMLElement;
} // namespace tinyxml2

class tr_SLHelper_TinyXML2 : public tr_SLHelper {
public:
    // Takes ownership of document (which may be null: then nothing reads).
    explicit tr_SLHelper_TinyXML2(tinyxml2::XMLDocument* document);
    ~tr_SLHelper_TinyXML2() override;

    void WriteString(const char* key, const std::string& value) override;
    void WriteFloat(const char* key, const float& value) override;
    void WriteInt(const char* key, const int& value) override;
    void WriteInt2(const char* key, const int& value) override;
    void WriteBool(const char* key, const bool& value) override;
    bool ReadString(const char* key, std::string& value) override;
    bool ReadFloat(const char* key, float& value) override;
    bool ReadInt(const char* key, int& value) override;
    bool ReadInt2(const char* key, int& value) override;
    bool ReadBool(const char* key, bool& value) override;
    bool BeginGroup(const char* name) override;
    void EndGroup() override;
    bool NextInGroup() override;
    bool Enter(const char* name) override;
    void Leave() override;

    tinyxml2::XMLDocument* GetDocument() const { return document_.get(); }
    tinyxml2::XMLElement* GetRoot() const { return root_; }
    tinyxml2::XMLElement* GetCurrent() const { return current_; }

private:
    std::unique_ptr<tinyxml2::XMLDocument> document_;
    tinyxml2::XMLElement* root_ = nullptr;
    tinyxml2::XMLElement* current_ = nullptr;
    // One entry per open group: the position of the next child, and the
    // last child visited under which parent, so a walk is linear rather than
    // recounting from the first child each time.
    struct GroupPosition {
        int counter = 0;
        tinyxml2::XMLElement* parent = nullptr;
        tinyxml2::XMLElement* last = nullptr;
    };
    std::vector<GroupPosition> groups_;
};
