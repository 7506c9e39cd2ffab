// tr_FrameDraws: the screen draws of one frame, kept in order with
// everything that decides their pixels (texture and the id of its content,
// draw state, view rectangle, the vertices themselves) and the screen area
// each may touch. Comparing two frames' lists tells which parts of the screen
// can differ, and the list is what a renderer replays inside them. It holds
// shared references to the textures it saw until ReleaseTextures (once
// replayed, a list is only compared), so it is released, cleared or dropped
// before the renderer's device goes. Owned by tr_ChangedOnlyRender.
#pragma once

#include "engine/render/tr_DirtyRegion.h"
#include "engine/render/tr_DrawState.h"
#include "engine/render/tr_Rect.h"
#include "engine/render/tr_Vertex.h"

#include <cstdint>
#include <memory>
#include <vector>

class tr_IndexList;
class tr_Texture;
class tr_VertexList;

class tr_FrameDraws {
public:
    enum class Kind { kQuad, kList, kIndexed, kLine };

    struct Draw {
        Kind kind = Kind::kQuad;
        std::shared_ptr<tr_Texture> texture;
        // Which texture it was, still compared after ReleaseTextures: with
        // the content id (never reused) an address taken again by another
        // texture cannot pass for the old one.
        const tr_Texture* texture_seen = nullptr;
        uint64_t content = 0; // device texture content id; 0 untextured
        tr_DrawState state;
        tr_Rect view;   // the renderer's view rectangle when it was drawn
        tr_Rect bounds; // screen pixels it may touch, inside view
        // Quads: the built corners on screen; lists: their vertices; lines:
        // the two end points (colour packed from the line's colour).
        size_t first_vertex = 0;
        size_t vertex_count = 0;
        size_t first_index = 0;
        size_t index_count = 0;
        float line_rgb[3] = {0.0f, 0.0f, 0.0f};
    };

    void Clear();
    // A quad the renderer would skip (no texture, alpha out of range) draws
    // nothing and is not kept.
    void AddQuad(const std::shared_ptr<tr_Texture>& texture, const tr_DrawState& state,
                 const tr_Rect& view);
    // indices may be null (a plain triangle list).
    void AddList(const std::shared_ptr<tr_Texture>& texture, const tr_VertexList& vertices,
                 const tr_IndexList* indices, const tr_DrawState& state, const tr_Rect& view);
    void AddLine(float x0, float y0, float x1, float y1, float red, float green, float blue,
                 const tr_DrawState& state, const tr_Rect& view);

    const std::vector<Draw>& GetDraws() const { return draws_; }
    // Pointer arithmetic, not indexing: an empty list's first element may
    // be one past the end.
    const tr_Vertex* VerticesOf(const Draw& draw) const {
        return vertices_.data() + draw.first_vertex;
    }
    const uint16_t* IndicesOf(const Draw& draw) const { return indices_.data() + draw.first_index; }

    // Reads every texture's content id again: what the draws will show is
    // what the textures hold when they are replayed, not when drawn.
    void RefreshContent();
    // Lets go of the textures once the list will only be compared: a
    // texture nobody else holds can then be rewritten in place (a video's
    // next frame) instead of being made anew.
    void ReleaseTextures();

    // Adds to region every part of the screen where a frame drawing current
    // can differ from one that drew previous. The two lists are aligned
    // (the draws both share at the start and the end, then the longest run
    // of equal draws in order between them), so a draw that appears, goes
    // or changes marks where it was and where it is, and nothing else does.
    // Two lists of triangles that differ only in their geometry mark
    // triangle by triangle.
    // The work space it needs is kept in current, so a renderer diffing
    // its reused lists frame after frame allocates nothing.
    static void Diff(const tr_FrameDraws& previous, tr_FrameDraws& current, tr_DirtyRegion& region);

private:
    bool Same(const Draw& mine, const tr_FrameDraws& other, const Draw& theirs) const;
    // Same in all but the geometry (vertices, indices and their counts).
    bool SameSetting(const Draw& mine, const Draw& theirs) const;
    // For two lists of triangles that differ only in their geometry: marks
    // where each triangle that changed, appeared or went was and is, so that
    // particles moving, born or gone over a wide area mark their own few
    // pixels, not the whole area; false (nothing marked) when the draws are
    // not such a pair or an index points past its vertices.
    static bool AddChangedTriangles(const tr_FrameDraws& previous, const Draw& old_draw,
                                    tr_FrameDraws& current, const Draw& new_draw,
                                    tr_DirtyRegion& region);
    // Marks the draws of two stretches that share no equal draw: draws of
    // the same setting are paired in order (lists then mark triangle by
    // triangle), the rest mark their bounds.
    static void AddGap(const tr_FrameDraws& previous, size_t old_begin, size_t old_end,
                       tr_FrameDraws& current, size_t new_begin, size_t new_end,
                       tr_DirtyRegion& region);
    void Push(Draw draw);

    // Diff's work space: the alignment table of the two middles and the
    // regions a changed list is weighed in.
    struct Scratch {
        std::vector<uint16_t> run;
        tr_DirtyRegion triangles;
        tr_DirtyRegion boxes;
    };

    std::vector<Draw> draws_;
    std::vector<tr_Vertex> vertices_;
    std::vector<uint16_t> indices_;
    Scratch scratch_;
};
