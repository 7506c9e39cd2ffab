// tr_RenderDevice_Null: the in-memory render device of the headless back end
// and of tests. Textures keep their texels in memory so masks, hit tests and
// texture coordinates behave exactly as on the GL device; buffers hold
// nothing (the lists' shadow copies are the data).
#pragma once

#include "engine/render/tr_RenderDevice.h"

class tr_RenderDevice_Null : public tr_RenderDevice {
public:
    std::unique_ptr<tr_DeviceBuffer> CreateBuffer(size_t bytes, bool index_buffer) override;

    // Largest side the device accepts (tests lower it to provoke failures).
    void SetMaxSize(int max_size) { max_size_ = max_size; }

protected:
    std::unique_ptr<tr_DeviceTexture> AllocateTexture(int width, int height, bool render_target,
                                                      std::string& error) override;

private:
    int max_size_ = 16384;
};
