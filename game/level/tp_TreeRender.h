// Rendering helpers shared by the level and its rooms: drawing an object's
// subtree outside the frame's scene walk (into a render target, for room
// snapshots and the level's blurred backdrop) and asking the application for
// the layout width those pictures are made at. Textures are returned shared;
// the caller keeps them as long as it needs them.
#pragma once

#include "engine/render/tr_DrawState.h"

#include <memory>

class tr_Object;
class tr_Render;
class tr_Texture;

// Renders object's tree into a new width x height render target of the
// current renderer and returns it; empty when there is no renderer, the size
// is not positive or the target could not be made.
std::shared_ptr<tr_Texture> tp_RenderTreeToTexture(tr_Object* object, int width, int height,
                                                   const tr_DrawState& parent);

// A picture size in pixels from a size in units read from content: NaN and
// negative sizes give 0, sizes past any render target are capped, so the
// conversion to int is always defined.
int tp_PixelSize(float units);

// The usable layout width in design units, asked of the application with
// AppGetWidth; 1024 when nobody answers.
float tp_AskLayoutWidth();

// A parent draw state that moves the 1024-unit design area right so the
// margins of a layout width-units wide picture are included.
tr_DrawState tp_WideLayoutState(float width);
