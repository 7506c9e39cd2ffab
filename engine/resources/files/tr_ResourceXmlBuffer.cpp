#include "engine/resources/files/tr_ResourceXmlBuffer.h"

#include "engine/core/tr_SLHelper_TinyXML2.h"

#include <tinyxml2.h>

#include <cstring>

std::unique_ptr<tr_SLHelper_TinyXML2> tr_ParseResourceXml(const char* data, size_t size) {
    if (!data || size == 0)
        return nullptr;
    auto document = std::make_unique<tinyxml2::XMLDocument>(true, tinyxml2::PRESERVE_WHITESPACE);
    if (document->Parse(data, size) != tinyxml2::XML_SUCCESS || !document->FirstChildElement())
        return nullptr;
    return std::make_unique<tr_SLHelper_TinyXML2>(document.release());
}

void tr_ForEachResourceElement(tr_SLHelper_TinyXML2& reader, const char* name,
                               const std::function<void()>& visit) {
    if (!reader.BeginGroup(name))
        return;
    while (reader.NextInGroup()) {
        const tinyxml2::XMLElement* child = reader.GetCurrent();
        if (child && std::strcmp(child->Name(), name) == 0)
            visit();
        reader.Leave();
    }
    reader.EndGroup();
}
