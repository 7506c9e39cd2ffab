#include "engine/render/tr_Texture.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/images/tr_JpegDecoder.h"
#include "engine/resources/images/tr_PngDecoder.h"

#include <cmath>

namespace {

// Whether every pixel (bytes blue, green, red, alpha) has alpha 255.
bool AllOpaque(const uint8_t* pixels, int width, int height, int stride) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            if (row[x * 4 + 3] != 255)
                return false;
        }
    }
    return true;
}

} // namespace

tr_Texture::tr_Texture() : tr_Resource("tr_dummytex") {}

tr_Texture::~tr_Texture() {
    mask_.Clear();
}

bool tr_Texture::Load(const char* texture_name) {
    name = texture_name;
    const std::string png_path = name + ".png";
    const std::string jpg_path = name + ".jpg";
    tr_DecodedImage image;
    bool is_png = false;
    if (tr_ContentPath::Exists(png_path)) {
        is_png = true;
        if (!tr_PngDecoder::Decode(png_path, image)) {
            tr_Log("Error: can`t read png texture \"%s\" file!", name.c_str());
            return false;
        }
    } else if (tr_ContentPath::Exists(jpg_path)) {
        if (!tr_JpegDecoder::Decode(jpg_path, image)) {
            tr_Log("Error: can`t read jpg texture \"%s\" file!", name.c_str());
            return false;
        }
    } else {
        tr_Log("Error: texture could not find \"%s\" file!", name.c_str());
        return false;
    }

    std::string error;
    if (!AllocateDevice(image.width, image.height, false, error)) {
        tr_Log("Error: could not load \"%s\" texture. Size: %d x %d. Error: %s", name.c_str(),
               tr_NextPowerOfTwo(image.width), tr_NextPowerOfTwo(image.height), error.c_str());
        return false;
    }
    const int stride = image.width * 4;
    device_->WriteRows(image.pixels.data(), image.width, image.height, stride);
    mask_.Build(is_png ? image.pixels.data() : nullptr, image.width, image.height, stride);
    // A padded allocation holds transparent texels that linear sampling
    // reaches at the edges.
    opaque_ = alloc_width_ == width_ && alloc_height_ == height_ &&
              (!is_png || AllOpaque(image.pixels.data(), image.width, image.height, stride));
    return true;
}

bool tr_Texture::AllocateDevice(int width, int height, bool render_target, std::string& error) {
    device_.reset();
    opaque_ = false;
    tr_RenderDevice* device = tr_RenderDevice::Current();
    std::unique_ptr<tr_DeviceTexture> texture =
        device->CreateTexture(width, height, render_target, error);
    if (!texture) {
        texture = device->CreateTexture(tr_NextPowerOfTwo(width), tr_NextPowerOfTwo(height),
                                        render_target, error);
    }
    if (!texture)
        return false;
    width_ = static_cast<float>(width);
    height_ = static_cast<float>(height);
    alloc_width_ = static_cast<float>(texture->GetAllocWidth());
    alloc_height_ = static_cast<float>(texture->GetAllocHeight());
    device_ = std::move(texture);
    return true;
}

tr_Rect tr_Texture::GetRect(const tr_DrawState&) const {
    return tr_Rect{-width_ * 0.5f, -height_ * 0.5f, width_, height_};
}

tr_Rect tr_Texture::GetUV(const tr_DrawState&) const {
    return tr_Rect{0.0f, 0.0f, width_ / alloc_width_, height_ / alloc_height_};
}

tr_DeviceTexture* tr_Texture::GetDeviceTexture(int) const {
    return device_.get();
}

void tr_Texture::GetQuad(const tr_DrawState& state, Quad& quad) const {
    quad.rect = tr_Texture::GetRect(state);
    quad.uv = tr_Texture::GetUV(state);
    quad.device = device_.get();
}

namespace {

// Even-odd crossing test of (x, y) against the polygon of n corners.
bool InsidePolygon(const float* xs, const float* ys, int n, float x, float y) {
    bool inside = false;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        if ((ys[i] > y) != (ys[j] > y) &&
            x < (xs[j] - xs[i]) * (y - ys[i]) / (ys[j] - ys[i]) + xs[i])
            inside = !inside;
    }
    return inside;
}

} // namespace

bool tr_Texture::HitQuad(const tr_Rect& rect, float x, float y, const tr_DrawState& state,
                         float& local_x, float& local_y) {
    const tr_Matrix m = tr_Matrix::Translation(state.offset_x, state.offset_y) * state.transform;
    float xs[4] = {rect.x, rect.x + rect.w, rect.x + rect.w, rect.x};
    float ys[4] = {rect.y, rect.y, rect.y + rect.h, rect.y + rect.h};
    for (int i = 0; i < 4; ++i)
        m.TransformPoint(xs[i], ys[i]);
    if (!InsidePolygon(xs, ys, 4, x, y))
        return false;
    tr_Matrix inverse;
    if (!m.Inverse2D(inverse))
        return false;
    local_x = x;
    local_y = y;
    inverse.TransformPoint(local_x, local_y);
    return std::isfinite(local_x) && std::isfinite(local_y);
}

int tr_Texture::TexelIndex(float v) {
    if (!(v > -1.0e9f && v < 1.0e9f))
        return -1;
    return static_cast<int>(v);
}

bool tr_Texture::HitTest(float x, float y, const tr_DrawState& state) const {
    const tr_Rect rect = GetRect(state);
    float local_x = 0.0f;
    float local_y = 0.0f;
    if (!HitQuad(rect, x, y, state, local_x, local_y))
        return false;
    if (mask_.IsEmpty())
        return true;
    return mask_.Get(TexelIndex(local_x - rect.x), TexelIndex(local_y - rect.y));
}

std::shared_ptr<tr_Texture> tr_ResourceRegistry::GetTexture(const std::string& name) {
    static const bool registered =
        (RegisterKind(TR_RES_TEXTURE, [] { return std::make_shared<tr_Texture>(); }), true);
    (void)registered;
    return std::dynamic_pointer_cast<tr_Texture>(GetResource(name, TR_RES_TEXTURE));
}
