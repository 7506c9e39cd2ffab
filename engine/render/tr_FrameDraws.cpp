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
// The middles of two frames are aligned draw by draw up to this many pairs
// to compare (a few hundred microseconds at most); longer ones only pair
// draws in order.
const size_t kMaxAlignCells = 64 * 64;

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

bool tr_FrameDraws::SameSetting(const Draw& mine, const Draw& theirs) const {
    return mine.kind == theirs.kind && mine.texture_seen == theirs.texture_seen &&
           mine.content == theirs.content && SameState(mine.state, theirs.state) &&
           SameRect(mine.view, theirs.view) &&
           std::memcmp(mine.line_rgb, theirs.line_rgb, sizeof(mine.line_rgb)) == 0;
}

bool tr_FrameDraws::Same(const Draw& mine, const tr_FrameDraws& other, const Draw& theirs) const {
    // Whole vertices are compared byte for byte: equal bytes draw equal
    // pixels, and a NaN simply never compares equal to itself.
    return mine.vertex_count == theirs.vertex_count && mine.index_count == theirs.index_count &&
           SameSetting(mine, theirs) &&
           (mine.index_count == 0 || std::memcmp(IndicesOf(mine), other.IndicesOf(theirs),
                                                 mine.index_count * sizeof(uint16_t)) == 0) &&
           (mine.vertex_count == 0 || std::memcmp(VerticesOf(mine), other.VerticesOf(theirs),
                                                  mine.vertex_count * sizeof(tr_Vertex)) == 0);
}

namespace {

// The triangles of one list draw: plain lists take their vertices three by
// three, indexed ones through their indices.
class Triangles {
public:
    Triangles(const tr_Vertex* vertices, const uint16_t* indices, size_t corners)
        : vertices_(vertices), indices_(indices), count_(corners / 3) {}

    size_t Count() const { return count_; }
    void Get(size_t triangle, tr_Vertex out[3]) const {
        for (size_t k = 0; k < 3; ++k) {
            const size_t corner = triangle * 3 + k;
            out[k] = vertices_[indices_ ? indices_[corner] : corner];
        }
    }

private:
    const tr_Vertex* vertices_;
    const uint16_t* indices_;
    size_t count_;
};

} // namespace

bool tr_FrameDraws::AddChangedTriangles(const tr_FrameDraws& previous, const Draw& old_draw,
                                        tr_FrameDraws& current, const Draw& new_draw,
                                        tr_DirtyRegion& region) {
    const bool indexed = new_draw.kind == Kind::kIndexed;
    if ((new_draw.kind != Kind::kList && !indexed) || !current.SameSetting(new_draw, old_draw))
        return false;
    const size_t old_corners = indexed ? old_draw.index_count : old_draw.vertex_count;
    const size_t new_corners = indexed ? new_draw.index_count : new_draw.vertex_count;
    if (old_corners % 3 != 0 || new_corners % 3 != 0)
        return false;
    const uint16_t* old_indices = indexed ? previous.IndicesOf(old_draw) : nullptr;
    const uint16_t* new_indices = indexed ? current.IndicesOf(new_draw) : nullptr;
    if (indexed && (std::any_of(old_indices, old_indices + old_corners,
                                [&](uint16_t i) { return i >= old_draw.vertex_count; }) ||
                    std::any_of(new_indices, new_indices + new_corners,
                                [&](uint16_t i) { return i >= new_draw.vertex_count; })))
        return false;
    const Triangles old_triangles(previous.VerticesOf(old_draw), old_indices, old_corners);
    const Triangles new_triangles(current.VerticesOf(new_draw), new_indices, new_corners);
    // A pixel that no changed, new or gone triangle reaches sees the same
    // triangles in the same order in both frames. Many small changes packed
    // into the list's box (a dense swarm) merge into more than the box
    // itself, so the cheaper of the two is marked.
    tr_DirtyRegion& triangles = current.scratch_.triangles;
    triangles.Reset(region.GetWidth(), region.GetHeight());
    const size_t count = std::max(old_triangles.Count(), new_triangles.Count());
    for (size_t t = 0; t < count; ++t) {
        tr_Vertex was[3];
        tr_Vertex is[3];
        const bool had = t < old_triangles.Count();
        const bool has = t < new_triangles.Count();
        if (had)
            old_triangles.Get(t, was);
        if (has)
            new_triangles.Get(t, is);
        if (had && has && std::memcmp(was, is, sizeof(was)) == 0)
            continue;
        if (had)
            triangles.Add(BoundsOf(was, 3, kShapeMargin, old_draw.view));
        if (has)
            triangles.Add(BoundsOf(is, 3, kShapeMargin, new_draw.view));
    }
    tr_DirtyRegion& boxes = current.scratch_.boxes;
    boxes.Reset(region.GetWidth(), region.GetHeight());
    if (!triangles.IsEmpty()) {
        boxes.Add(old_draw.bounds);
        boxes.Add(new_draw.bounds);
    }
    region.Add(triangles.GetArea() <= boxes.GetArea() ? triangles : boxes);
    return true;
}

void tr_FrameDraws::AddGap(const tr_FrameDraws& previous, size_t old_begin, size_t old_end,
                           tr_FrameDraws& current, size_t new_begin, size_t new_end,
                           tr_DirtyRegion& region) {
    const std::vector<Draw>& old_draws = previous.draws_;
    const std::vector<Draw>& new_draws = current.draws_;
    // Pairs keep their order, so that triangles left unmarked are drawn in
    // the same order in both frames.
    size_t next_old = old_begin;
    for (size_t j = new_begin; j < new_end; ++j) {
        const Draw& is = new_draws[j];
        size_t k = next_old;
        while (k < old_end && !current.SameSetting(is, old_draws[k]))
            ++k;
        if (k < old_end) {
            for (; next_old < k; ++next_old)
                region.Add(old_draws[next_old].bounds);
            ++next_old;
            if (current.Same(is, previous, old_draws[k]) ||
                AddChangedTriangles(previous, old_draws[k], current, is, region))
                continue;
            region.Add(old_draws[k].bounds);
        }
        region.Add(is.bounds);
    }
    for (; next_old < old_end; ++next_old)
        region.Add(old_draws[next_old].bounds);
}

void tr_FrameDraws::Diff(const tr_FrameDraws& previous, tr_FrameDraws& current,
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
    const size_t rows = old_end - head;
    const size_t columns = new_end - head;
    if (rows == 0 || columns == 0 || rows * columns > kMaxAlignCells) {
        AddGap(previous, head, old_end, current, head, new_end, region);
        return;
    }
    // The longest run of equal draws kept in order by both middles, so
    // that a draw appearing or going in between does not make the draws
    // after it look changed. run[i][j]: the run's length from old draw
    // head + i and new draw head + j on.
    std::vector<uint16_t>& run = current.scratch_.run;
    run.assign((rows + 1) * (columns + 1), 0);
    const auto at = [&](size_t i, size_t j) -> uint16_t& { return run[i * (columns + 1) + j]; };
    for (size_t i = rows; i-- > 0;) {
        for (size_t j = columns; j-- > 0;) {
            at(i, j) = current.Same(new_draws[head + j], previous, old_draws[head + i])
                           ? static_cast<uint16_t>(at(i + 1, j + 1) + 1)
                           : std::max(at(i + 1, j), at(i, j + 1));
        }
    }
    size_t i = 0;
    size_t j = 0;
    size_t gap_i = 0;
    size_t gap_j = 0;
    while (i < rows && j < columns) {
        if (at(i, j) == at(i + 1, j + 1) + 1 &&
            current.Same(new_draws[head + j], previous, old_draws[head + i])) {
            AddGap(previous, head + gap_i, head + i, current, head + gap_j, head + j, region);
            gap_i = ++i;
            gap_j = ++j;
        } else if (at(i + 1, j) >= at(i, j + 1)) {
            ++i;
        } else {
            ++j;
        }
    }
    AddGap(previous, head + gap_i, old_end, current, head + gap_j, new_end, region);
}
