#include "engine/platform/headless/tr_RenderDevice_Null.h"

#include "engine/platform/headless/tr_DeviceTexture_Null.h"

namespace {

class tr_DeviceBuffer_Null : public tr_DeviceBuffer {
public:
    void Upload(const void*, size_t) override {}
    uintptr_t GetNativeHandle() const override { return 0; }
};

} // namespace

std::unique_ptr<tr_DeviceBuffer> tr_RenderDevice_Null::CreateBuffer(size_t bytes, bool) {
    if (bytes == 0)
        return nullptr;
    return std::make_unique<tr_DeviceBuffer_Null>();
}

std::unique_ptr<tr_DeviceTexture> tr_RenderDevice_Null::AllocateTexture(int width, int height, bool,
                                                                        std::string& error) {
    if (width > max_size_ || height > max_size_) {
        error = "GL_OUT_OF_MEMORY";
        return nullptr;
    }
    return std::make_unique<tr_DeviceTexture_Null>(width, height);
}
