#include "engine/render/tr_RenderTargetTexture.h"

bool tr_RenderTargetTexture::Create(int width, int height) {
    return Allocate(width, height, true);
}
