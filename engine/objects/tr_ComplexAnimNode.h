// tr_ComplexAnimNode: one image node of a complex animation's tree: what
// the file says about it (name, image, draw offset, position, blend mode),
// its image while the animation's resources are loaded, its child nodes
// (owned), and the pose of the current moment: the values the tracks set,
// whether any track reached it, and its colour and matrix relative to the
// animation. Nodes no track reached are not drawn, and neither is anything
// below them.
#pragma once

#include "engine/render/tr_DrawState.h"

#include <memory>
#include <string>
#include <vector>

class tr_Render;
class tr_Texture;

class tr_ComplexAnimNode {
public:
    // Clears the pose of this node and its subtree: default colour, the
    // node's draw offset and blend mode, neutral values, not visible.
    void ResetPose();
    // Stores a track value by kind (tr_ComplexAnimTrack::Kind) and makes
    // the node visible; kinds that drive nothing only make it visible.
    void SetValue(int kind, float value);
    // Matrices and colours from this node down, under the parent node's;
    // invisible subtrees are skipped.
    void ComputePose(const tr_DrawState& parent);
    // Draws the visible nodes of this subtree under the object's state.
    void Draw(tr_Render* render, const tr_DrawState& object_state) const;

    std::string name;
    std::string res;
    float drawoff_x = 0.0f;
    float drawoff_y = 0.0f;
    float pos_x = 0.0f;
    float pos_y = 0.0f;
    float pos_z = 0.0f;
    int blend = 0;
    std::shared_ptr<tr_Texture> texture;
    std::vector<std::unique_ptr<tr_ComplexAnimNode>> children;

    tr_DrawState state;
    float anim_x = 0.0f;
    float anim_y = 0.0f;
    float scale_x = 1.0f;
    float scale_y = 1.0f;
    float angle = 0.0f;
    bool visible = false;
};
