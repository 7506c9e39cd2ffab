#include "game/app/tp_ProfileList.h"

#include "game/app/tp_Base64.h"

#include <tinyxml2.h>

#include <cstdio>
#include <cstdlib>

bool tp_ProfileList::Parse(const char* data, size_t size) {
    profiles.clear();
    current = kNoProfile;
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (!data || document.Parse(data, size) != tinyxml2::XML_SUCCESS) {
        current = kListError;
        return false;
    }
    const tinyxml2::XMLElement* root = document.FirstChildElement("profiles");
    if (!root)
        return true;
    int index = root->IntAttribute("current", kNoProfile);
    for (const tinyxml2::XMLElement* element = root->FirstChildElement("profile"); element;
         element = element->NextSiblingElement("profile")) {
        const char* id = element->Attribute("id");
        const char* name = element->Attribute("name");
        profiles.push_back({id ? id : "", tp_Base64::Decode(name ? name : "")});
    }
    const bool in_range = index >= 0 && size_t(index) < profiles.size();
    current = in_range || index == kListError ? index : kNoProfile;
    return true;
}

std::string tp_ProfileList::Print() const {
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("profiles");
    document.InsertEndChild(root);
    root->SetAttribute("current", current);
    for (const tp_ProfileRecord& record : profiles) {
        tinyxml2::XMLElement* element = document.NewElement("profile");
        element->SetAttribute("id", record.id.c_str());
        element->SetAttribute("name", tp_Base64::Encode(record.name).c_str());
        root->InsertEndChild(element);
    }
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    return std::string(printer.CStr(), size_t(printer.CStrSize() - 1));
}

bool tp_ProfileList::IsValidId(const std::string& id) {
    if (id.size() < 3 || id.size() > 12 || id.compare(0, 2, "p_") != 0)
        return false;
    for (size_t i = 2; i < id.size(); ++i) {
        if (id[i] < '0' || id[i] > '9')
            return false;
    }
    return true;
}

long long tp_ProfileList::IdNumber(const std::string& id) {
    return IsValidId(id) ? std::strtoll(id.c_str() + 2, nullptr, 10) : -1;
}

std::string tp_ProfileList::MakeId(long long number) {
    char text[32];
    std::snprintf(text, sizeof text, "p_%06lld", number);
    return text;
}
