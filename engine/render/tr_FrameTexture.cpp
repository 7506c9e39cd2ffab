#include "engine/render/tr_FrameTexture.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include <tinyxml2.h>

#include <cstdlib>

namespace {

// Decimal integer conversion as content expects it: leading digits count,
// anything else (or a missing attribute) reads as 0.
float IntAttribute(const tinyxml2::XMLElement* element, const char* name) {
    const char* text = element->Attribute(name);
    if (!text)
        return 0.0f;
    return static_cast<float>(std::strtol(text, nullptr, 10));
}

} // namespace

bool tr_FrameTexture::Load(const char* texture_name) {
    name = texture_name;
    frames_.clear();
    std::vector<char> data;
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (!tr_ContentPath::ReadBinary(name + ".xml", data, tr_FileReader::KIND_DESCRIPTION) ||
        document.Parse(data.data(), data.size()) != tinyxml2::XML_SUCCESS) {
        tr_Log("Error: frametexture could not find \"%s\" file!", name.c_str());
        return false;
    }
    const tinyxml2::XMLElement* root = document.RootElement();
    if (!root || std::string(root->Name()) != "frametexture")
        return false;
    const size_t slash = name.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "" : name.substr(0, slash + 1);
    for (const tinyxml2::XMLElement* element = root->FirstChildElement("frame"); element;
         element = element->NextSiblingElement("frame")) {
        Frame frame;
        frame.left = IntAttribute(element, "left");
        frame.top = IntAttribute(element, "top");
        frame.width = IntAttribute(element, "widht");
        frame.height = IntAttribute(element, "height");
        frame.x = IntAttribute(element, "x");
        frame.y = IntAttribute(element, "y");
        const char* image = element->Attribute("texture");
        frame.texture =
            tr_ResourceRegistry::GetOrCreate()->GetTexture(folder + (image ? image : ""));
        frames_.push_back(std::move(frame));
    }
    return true;
}

const tr_FrameTexture::Frame* tr_FrameTexture::GetFrame(int index) const {
    if (index < 0 || index >= GetFrameCount())
        return nullptr;
    return &frames_[static_cast<size_t>(index)];
}

tr_Rect tr_FrameTexture::GetRect(const tr_DrawState& state) const {
    const Frame* frame = GetFrame(state.frame);
    if (!frame)
        return tr_Rect();
    return tr_Rect{-frame->x, -frame->y, frame->width, frame->height};
}

tr_Rect tr_FrameTexture::GetUV(const tr_DrawState& state) const {
    const Frame* frame = GetFrame(state.frame);
    if (!frame || !frame->texture)
        return tr_Rect();
    const float a = frame->texture->GetAllocWidth();
    const float b = frame->texture->GetAllocHeight();
    return tr_Rect{frame->left / a, frame->top / b, frame->width / a, frame->height / b};
}

tr_DeviceTexture* tr_FrameTexture::GetDeviceTexture(int index) const {
    const Frame* frame = GetFrame(index);
    if (!frame || !frame->texture)
        return tr_Texture::GetDeviceTexture(index);
    return frame->texture->GetDeviceTexture(0);
}

void tr_FrameTexture::GetQuad(const tr_DrawState& state, Quad& quad) const {
    quad.rect = tr_FrameTexture::GetRect(state);
    quad.uv = tr_FrameTexture::GetUV(state);
    quad.device = tr_FrameTexture::GetDeviceTexture(state.frame);
}

bool tr_FrameTexture::HitTest(float x, float y, const tr_DrawState& state) const {
    const tr_Rect rect = GetRect(state);
    float local_x = 0.0f;
    float local_y = 0.0f;
    if (!HitQuad(rect, x, y, state, local_x, local_y))
        return false;
    const Frame* frame = GetFrame(state.frame);
    if (!frame || !frame->texture)
        return false;
    // The frame rectangle comes from content and may reach outside its
    // image; the mask read is bounds-checked and anything outside misses.
    return frame->texture->GetMask().Get(TexelIndex(frame->left + local_x + frame->x),
                                         TexelIndex(frame->top + local_y + frame->y));
}

std::shared_ptr<tr_FrameTexture> tr_ResourceRegistry::GetFrameTexture(const std::string& name) {
    static const bool registered =
        (RegisterKind(TR_RES_FRAME_TEXTURE, [] { return std::make_shared<tr_FrameTexture>(); }),
         true);
    (void)registered;
    return std::dynamic_pointer_cast<tr_FrameTexture>(GetResource(name, TR_RES_FRAME_TEXTURE));
}
