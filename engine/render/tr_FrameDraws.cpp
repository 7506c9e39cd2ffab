#include "engine/render/tr_FrameDraws.h"

#include "engine/render/tr_DirtyRegion.h"
#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_QuadGeometry.h"
#include "engine/render/tr_Texture.h"
#include "engine/render/tr_VertexList.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Rasterising and filtering reach no further than the pixels a shape's
// corners fall in; one more pixel on every side absorbs rounding. Lines are
// widened by their own rules, so they get two.
const float kShapeMargin = 1.0f;
const float kLineMargin = 2.0f;

uint64_t ContentOf(const tr_Texture* texture, int frame) {
    const tr_DeviceTexture* device = texture ? texture->GetDeviceTexture(frame) : nullptr;
    return device ? device->GetContentId() : 0;
}

// The box around the vertices' positions, grown by margin and kept inside
// view; the whole view when a position is not finite.
tr_Rect BoundsOf(const tr_Vertex* vertices, size_t count, float margin, const tr_Rect& view) {
    if (count == 0)
        return tr_Rect();
    float left = vertices[0].x;
    float right = left;
    float top = vertices[0].y;
    float bottom = top;
    for (size_t i = 0; i < count; ++i) {
        const float x = vertices[i].x;
        const float y = vertices[i].y;
        if (!std::isfinite(x) || !std::isfinite(y))
            return view;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    tr_Rect box;
    box.x = left - margin;
    box.y = top - margin;
    box.w = right - left + 2.0f * margin;
    box.h = bottom - top + 2.0f * margin;
    return tr_Rect::Intersect(box, view);
}

bool SameRect(const tr_Rect& a, const tr_Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

bool SameState(const tr_DrawState& a, const tr_DrawState& b) {
    return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue &&
           a.frame == b.frame && a.offset_x == b.offset_x && a.offset_y == b.offset_y &&
           a.offset_z == b.offset_z && a.blend == b.blend && a.transform == b.transform;
}

} // namespace

void tr_FrameDraws::Clear() {
    draws_.clear();
    vertices_.clear();
    indices_.clear();
}

void tr_FrameDraws::Push(Draw draw) {
    draw.texture_seen = draw.texture.get();
    draw.content = ContentOf(draw.texture_seen, draw.state.frame);
    draws_.push_back(std::move(draw));
}

void tr_FrameDraws::AddQuad(const std::shared_ptr<tr_Texture>& texture, const tr_DrawState& state,
                            const tr_Rect& view) {
    tr_QuadGeometry quad;
    if (!quad.Build(texture.get(), state))
        return;
    tr_TransformVertices(quad.vertices, 4, state.transform);
    Draw draw;
    draw.kind = Kind::kQuad;
    draw.texture = texture;
    draw.state = state;
    draw.view = view;
    draw.first_vertex = vertices_.size();
    draw.vertex_count = 4;
    vertices_.insert(vertices_.end(), quad.vertices, quad.vertices + 4);
    draw.bounds = BoundsOf(quad.vertices, 4, kShapeMargin, view);
    Push(std::move(draw));
}

void tr_FrameDraws::AddList(const std::shared_ptr<tr_Texture>& texture,
                            const tr_VertexList& vertices, const tr_IndexList* indices,
                            const tr_DrawState& state, const tr_Rect& view) {
    const std::vector<tr_Vertex>& list = vertices.GetElements();
    Draw draw;
    draw.kind = indices ? Kind::kIndexed : Kind::kList;
    draw.texture = texture;
    draw.state = state;
    draw.view = view;
    draw.first_vertex = vertices_.size();
    draw.vertex_count = list.size();
    vertices_.insert(vertices_.end(), list.begin(), list.end());
    if (indices) {
        const std::vector<uint16_t>& index_list = indices->GetElements();
        draw.first_index = indices_.size();
        draw.index_count = index_list.size();
        indices_.insert(indices_.end(), index_list.begin(), index_list.end());
    }
    draw.bounds = BoundsOf(list.data(), list.size(), kShapeMargin, view);
    Push(std::move(draw));
}

void tr_FrameDraws::AddLine(float x0, float y0, float x1, float y1, float red, float green,
                            float blue, const tr_DrawState& state, const tr_Rect& view) {
    tr_Vertex ends[2];
    ends[0].x = x0;
    ends[0].y = y0;
    ends[1].x = x1;
    ends[1].y = y1;
    Draw draw;
    draw.kind = Kind::kLine;
    draw.state = state;
    draw.view = view;
    draw.line_rgb[0] = red;
    draw.line_rgb[1] = green;
    draw.line_rgb[2] = blue;
    draw.first_vertex = vertices_.size();
    draw.vertex_count = 2;
    vertices_.insert(vertices_.end(), ends, ends + 2);
    tr_Vertex on_screen[2] = {ends[0], ends[1]};
    tr_TransformVertices(on_screen, 2, state.transform);
    draw.bounds = BoundsOf(on_screen, 2, kLineMargin, view);
    Push(std::move(draw));
}

void tr_FrameDraws::RefreshContent() {
    for (Draw& draw : draws_)
        draw.content = ContentOf(draw.texture.get(), draw.state.frame);
}

void tr_FrameDraws::ReleaseTextures() {
    for (Draw& draw : draws_)
        draw.texture.reset();
}

bool tr_FrameDraws::SameButVertices(const Draw& mine, const tr_FrameDraws& other,
                                    const Draw& theirs) const {
    if (mine.kind != theirs.kind || mine.texture_seen != theirs.texture_seen ||
        mine.content != theirs.content || !SameState(mine.state, theirs.state) ||
        !SameRect(mine.view, theirs.view) || mine.vertex_count != theirs.vertex_count ||
        mine.index_count != theirs.index_count ||
        std::memcmp(mine.line_rgb, theirs.line_rgb, sizeof(mine.line_rgb)) != 0)
        return false;
    return mine.index_count == 0 || std::memcmp(IndicesOf(mine), other.IndicesOf(theirs),
                                                mine.index_count * sizeof(uint16_t)) == 0;
}

bool tr_FrameDraws::Same(const Draw& mine, const tr_FrameDraws& other, const Draw& theirs) const {
    // Whole vertices are compared byte for byte: equal bytes draw equal
    // pixels, and a NaN simply never compares equal to itself.
    return SameButVertices(mine, other, theirs) &&
           (mine.vertex_count == 0 || std::memcmp(VerticesOf(mine), other.VerticesOf(theirs),
                                                  mine.vertex_count * sizeof(tr_Vertex)) == 0);
}

bool tr_FrameDraws::AddChangedTriangles(const tr_FrameDraws& previous, const Draw& old_draw,
                                        const tr_FrameDraws& current, const Draw& new_draw,
                                        tr_DirtyRegion& region) {
    const bool indexed = new_draw.kind == Kind::kIndexed;
    if ((new_draw.kind != Kind::kList && !indexed) ||
        !current.SameButVertices(new_draw, previous, old_draw))
        return false;
    const size_t corners = indexed ? new_draw.index_count : new_draw.vertex_count;
    if (corners % 3 != 0)
        return false;
    const uint16_t* indices = indexed ? current.IndicesOf(new_draw) : nullptr;
    if (indexed && std::any_of(indices, indices + corners,
                               [&](uint16_t i) { return i >= new_draw.vertex_count; }))
        return false;
    const tr_Vertex* old_vertices = previous.VerticesOf(old_draw);
    const tr_Vertex* new_vertices = current.VerticesOf(new_draw);
    for (size_t first = 0; first < corners; first += 3) {
        tr_Vertex was[3];
        tr_Vertex is[3];
        for (size_t k = 0; k < 3; ++k) {
            const size_t v = indexed ? indices[first + k] : first + k;
            was[k] = old_vertices[v];
            is[k] = new_vertices[v];
        }
        if (std::memcmp(was, is, sizeof(was)) == 0)
            continue;
        region.Add(BoundsOf(was, 3, kShapeMargin, old_draw.view));
        region.Add(BoundsOf(is, 3, kShapeMargin, new_draw.view));
    }
    return true;
}

void tr_FrameDraws::Diff(const tr_FrameDraws& previous, const tr_FrameDraws& current,
                         tr_DirtyRegion& region) {
    const std::vector<Draw>& old_draws = previous.draws_;
    const std::vector<Draw>& new_draws = current.draws_;
    const size_t shorter = std::min(old_draws.size(), new_draws.size());
    size_t head = 0;
    while (head < shorter && current.Same(new_draws[head], previous, old_draws[head]))
        ++head;
    size_t tail = 0;
    while (tail < shorter - head && current.Same(new_draws[new_draws.size() - 1 - tail], previous,
                                                 old_draws[old_draws.size() - 1 - tail]))
        ++tail;
    const size_t old_end = old_draws.size() - tail;
    const size_t new_end = new_draws.size() - tail;
    // Equally long middles keep their order, so a draw equal to its partner
    // draws the same pixels in both frames and needs no mark.
    const bool paired = old_end - head == new_end - head;
    for (size_t i = head; i < old_end; ++i) {
        if (paired && current.Same(new_draws[i], previous, old_draws[i]))
            continue;
        if (paired && AddChangedTriangles(previous, old_draws[i], current, new_draws[i], region))
            continue;
        region.Add(old_draws[i].bounds);
        if (paired)
            region.Add(new_draws[i].bounds);
    }
    if (!paired) {
        for (size_t i = head; i < new_end; ++i)
            region.Add(new_draws[i].bounds);
    }
}
