#include "engine/resources/anim/tr_AnimRes.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cstdlib>

namespace {

// Integers as content writes them: leading digits count, anything else (or
// a missing attribute) reads as 0.
int IntAttribute(const tinyxml2::XMLElement* element, const char* name) {
    const char* text = element->Attribute(name);
    return text ? static_cast<int>(std::strtol(text, nullptr, 10)) : 0;
}

tr_AnimFunction ReadFunction(const tinyxml2::XMLElement* element) {
    tr_AnimFunction function;
    const char* function_name = element->Attribute("name");
    function.name = function_name ? function_name : "";
    function.frametime = static_cast<float>(IntAttribute(element, "frametime")) / 1000.0f;
    function.loop = IntAttribute(element, "loop") == 1;
    function.alpha = IntAttribute(element, "alpha") == 1;
    for (const tinyxml2::XMLElement* frame = element->FirstChildElement("frame"); frame;
         frame = frame->NextSiblingElement("frame"))
        function.frames.push_back(IntAttribute(frame, "idx"));
    return function;
}

} // namespace

bool tr_AnimRes::Load(const char* resource_name) {
    name = resource_name ? resource_name : "";
    frame_texture_name_.clear();
    functions_.clear();
    std::vector<char> data;
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (!tr_ContentPath::ReadBinary(name + ".xml", data, tr_FileReader::KIND_DESCRIPTION) ||
        document.Parse(data.data(), data.size()) != tinyxml2::XML_SUCCESS) {
        tr_Log("Error: animres %s could not find \"%s\" file to load!", name.c_str(), name.c_str());
        return false;
    }
    const tinyxml2::XMLElement* root = document.RootElement();
    if (!root || std::string(root->Name()) != "animation")
        return false;
    std::string folder = name;
    std::replace(folder.begin(), folder.end(), '\\', '/');
    const size_t slash = folder.find_last_of('/');
    folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
    const char* frame_texture = root->Attribute("frame_texture");
    frame_texture_name_ = folder + (frame_texture ? frame_texture : "");
    for (const tinyxml2::XMLElement* element = root->FirstChildElement("function"); element;
         element = element->NextSiblingElement("function"))
        functions_.push_back(ReadFunction(element));
    return true;
}

void tr_AnimRes::RegisterKind() {
    tr_ResourceRegistry::RegisterKind(TR_RES_ANIMATION,
                                      [] { return std::make_shared<tr_AnimRes>(); });
}

std::shared_ptr<tr_AnimRes> tr_AnimRes::GetAnimRes(const std::string& resource_name) {
    static const bool registered = (RegisterKind(), true);
    (void)registered;
    return tr_ResourceRegistry::GetOrCreate()->GetAs<tr_AnimRes>(resource_name, TR_RES_ANIMATION);
}
