#include "engine/render/tr_ChangedOnlyRender.h"

#include "engine/core/tr_Log.h"

#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_VertexList.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// Geometry lists only take elements through their protected Append; the
// replay copies kept vertices and indices back in unchanged.
template <class List, class Element> class ReplayList : public List {
public:
    void Fill(const Element* elements, size_t count) {
        this->Clear();
        for (size_t i = 0; i < count; ++i)
            this->Append(elements[i]);
    }
};

// A list with room for count elements: the one given when it is large
// enough, else a new one (lists cannot grow once made).
template <class List> void MakeRoom(std::unique_ptr<List>& list, size_t count) {
    if (list && static_cast<size_t>(list->GetCapacity()) >= count)
        return;
    size_t capacity = 256;
    while (capacity < count)
        capacity *= 2;
    list = std::make_unique<List>();
    list->Create(static_cast<int>(capacity));
}

} // namespace

// One pair of lists per list draw of the frame, filled when the draw is
// first replayed and drawn from unchanged in every further area it reaches:
// writing a buffer that a queued draw still reads would make the device
// wait for that draw.
class tr_ChangedOnlyRender::ReplayLists {
public:
    struct Pair {
        std::unique_ptr<ReplayList<tr_VertexList, tr_Vertex>> vertices;
        std::unique_ptr<ReplayList<tr_IndexList, uint16_t>> indices;
    };

    // Forgets which draws the lists hold; the frame has draw_count draws.
    void StartFrame(size_t draw_count) {
        pair_of_draw_.assign(draw_count, kNone);
        used_ = 0;
    }
    // The lists holding draw number index of frame, filled on first use.
    Pair& For(size_t index, const tr_FrameDraws& frame) {
        if (pair_of_draw_[index] != kNone)
            return pairs_[pair_of_draw_[index]];
        pair_of_draw_[index] = used_;
        if (used_ == pairs_.size())
            pairs_.emplace_back();
        Pair& pair = pairs_[used_++];
        const tr_FrameDraws::Draw& draw = frame.GetDraws()[index];
        MakeRoom(pair.vertices, draw.vertex_count);
        pair.vertices->Fill(frame.VerticesOf(draw), draw.vertex_count);
        if (draw.kind == tr_FrameDraws::Kind::kIndexed) {
            MakeRoom(pair.indices, draw.index_count);
            pair.indices->Fill(frame.IndicesOf(draw), draw.index_count);
        }
        return pair;
    }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    std::vector<Pair> pairs_;
    std::vector<size_t> pair_of_draw_;
    size_t used_ = 0;
};

std::unique_ptr<tr_Render> tr_ChangedOnlyRender::Wrap(std::unique_ptr<tr_Render> inner) {
    if (!inner || !inner->CanKeepFrame())
        return inner;
    return std::make_unique<tr_ChangedOnlyRender>(std::move(inner));
}

tr_ChangedOnlyRender::tr_ChangedOnlyRender(std::unique_ptr<tr_Render> inner)
    : inner_(std::move(inner)), lists_(std::make_unique<ReplayLists>()) {
    if (const char* skip = std::getenv("TARROW_REDRAW_STATS")) {
        print_totals_ = true;
        frames_to_skip_ = std::max(0LL, std::atoll(skip));
    }
}

tr_ChangedOnlyRender::~tr_ChangedOnlyRender() {
    if (print_totals_) {
        std::fprintf(
            stderr, "redraw totals: frames %lld whole %lld pixels %lld rects %lld screen %lld\n",
            totals_.frames, totals_.whole_frames, totals_.pixels, totals_.rects, totals_.screen);
    }
    // Everything holding device objects goes while the back end still lives.
    Forget();
    lists_.reset();
    white_texture_.reset();
    black_texture_.reset();
    inner_.reset();
}

void tr_ChangedOnlyRender::Forget() {
    previous_.Clear();
    current_.Clear();
    have_previous_ = false;
}

void tr_ChangedOnlyRender::Init(float width, float height) {
    inner_->Init(width, height);
    tr_Render::Init(width, height);
    CreateSolidTextures();
    const bool was_kept = frame_kept_;
    frame_kept_ = inner_->KeepFrame(true);
    // Init runs again after every device reset; one line when it changes.
    if (frame_kept_ != was_kept || !logged_) {
        tr_Log(frame_kept_ ? "Redraw: only what changed since the last frame."
                           : "Redraw: every frame whole, the device keeps no picture.");
        logged_ = true;
    }
    inner_->SetScreenScissor(nullptr);
    Forget();
    region_.Reset(static_cast<int>(width), static_cast<int>(height));
}

void tr_ChangedOnlyRender::ReleaseDeviceObjects() {
    Forget();
    lists_ = std::make_unique<ReplayLists>();
    inner_->ReleaseDeviceObjects();
}

void tr_ChangedOnlyRender::BeginFrame() {
    current_.Clear();
    inner_->BeginFrame();
}

void tr_ChangedOnlyRender::EndFrame() {
    Compose();
    current_.ReleaseTextures();
    inner_->EndFrame();
    std::swap(previous_, current_);
}

void tr_ChangedOnlyRender::BeginDraw() {
    tr_Render::BeginDraw();
    drawing_enabled_ = true;
    inner_->BeginDraw();
}

void tr_ChangedOnlyRender::EndDraw() {
    drawing_enabled_ = false;
    inner_->EndDraw();
}

void tr_ChangedOnlyRender::BeginRenderToTexture(int width, int height) {
    inner_->BeginRenderToTexture(width, height);
}

std::shared_ptr<tr_Texture> tr_ChangedOnlyRender::EndRenderToTexture() {
    return inner_->EndRenderToTexture();
}

std::shared_ptr<tr_Texture>
tr_ChangedOnlyRender::MakeSoftCopy(const std::shared_ptr<tr_Texture>& source, int width, int height,
                                   float radius) {
    return inner_->MakeSoftCopy(source, width, height, radius);
}

bool tr_ChangedOnlyRender::DrawsToScreen() const {
    // A render target that could not start leaves the back end drawing to
    // the screen, exactly as when no target was asked for.
    return drawing_enabled_ && !inner_->IsRenderTargetActive();
}

void tr_ChangedOnlyRender::DrawQuad(const std::shared_ptr<tr_Texture>& texture,
                                    const tr_DrawState& state) {
    if (inner_->IsRenderTargetActive())
        inner_->DrawQuad(texture, state);
    else if (DrawsToScreen())
        current_.AddQuad(texture, state, inner_->GetViewRect());
}

void tr_ChangedOnlyRender::DrawVertexList(const std::shared_ptr<tr_Texture>& texture,
                                          tr_VertexList& vertices, const tr_DrawState& state) {
    if (inner_->IsRenderTargetActive())
        inner_->DrawVertexList(texture, vertices, state);
    else if (DrawsToScreen() && vertices.HasBuffer())
        current_.AddList(texture, vertices, nullptr, state, inner_->GetViewRect());
}

void tr_ChangedOnlyRender::DrawIndexed(const std::shared_ptr<tr_Texture>& texture,
                                       tr_VertexList& vertices, tr_IndexList& indices,
                                       const tr_DrawState& state) {
    if (inner_->IsRenderTargetActive())
        inner_->DrawIndexed(texture, vertices, indices, state);
    else if (DrawsToScreen() && vertices.HasBuffer() && indices.HasBuffer())
        current_.AddList(texture, vertices, &indices, state, inner_->GetViewRect());
}

void tr_ChangedOnlyRender::DrawLine(float x0, float y0, float z0, float x1, float y1, float z1,
                                    float red, float green, float blue, const tr_DrawState& state) {
    if (inner_->IsRenderTargetActive())
        inner_->DrawLine(x0, y0, z0, x1, y1, z1, red, green, blue, state);
    else if (DrawsToScreen())
        current_.AddLine(x0, y0, x1, y1, red, green, blue, state, inner_->GetViewRect());
}

bool tr_ChangedOnlyRender::PushClip(const tr_Rect& rect) {
    return inner_->PushClip(rect);
}

void tr_ChangedOnlyRender::PopClip() {
    inner_->PopClip();
}

tr_Rect tr_ChangedOnlyRender::GetViewRect() const {
    return inner_->GetViewRect();
}

bool tr_ChangedOnlyRender::ReadFrame(std::vector<uint32_t>& argb, int& width, int& height) {
    return inner_->ReadFrame(argb, width, height);
}

void tr_ChangedOnlyRender::SetWindowKeepsPicture(bool keeps) {
    inner_->SetWindowKeepsPicture(keeps);
}

bool tr_ChangedOnlyRender::GetScreenChanges(tr_ScreenChanges& changes) const {
    return inner_->GetScreenChanges(changes);
}

void tr_ChangedOnlyRender::SetScreenDiscarded(bool discarded) {
    screen_discarded_ = discarded;
    inner_->SetScreenDiscarded(discarded);
}

void tr_ChangedOnlyRender::Compose() {
    current_.RefreshContent();
    region_.Reset(static_cast<int>(screen_width_), static_cast<int>(screen_height_));
    if (screen_discarded_) {
        have_previous_ = false;
        return;
    }
    if (have_previous_ && frame_kept_)
        tr_FrameDraws::Diff(previous_, current_, region_);
    else
        region_.AddWholeScreen();
    have_previous_ = true;
    Count();
    if (region_.IsEmpty())
        return;
    inner_->BeginDraw();
    const std::vector<tr_FrameDraws::Draw>& draws = current_.GetDraws();
    lists_->StartFrame(draws.size());
    for (const tr_PixelRect& area : region_.GetRects()) {
        const tr_Rect rect = area.ToRect();
        inner_->SetScreenScissor(&rect);
        inner_->ClearScreenArea();
        for (size_t i = 0; i < draws.size(); ++i) {
            const tr_Rect reach = tr_Rect::Intersect(draws[i].bounds, rect);
            if (reach.w > 0.0f && reach.h > 0.0f)
                Replay(i);
        }
    }
    inner_->SetScreenScissor(nullptr);
    inner_->EndDraw();
}

void tr_ChangedOnlyRender::Count() {
    if (frames_to_skip_ > 0) {
        --frames_to_skip_;
        return;
    }
    ++totals_.frames;
    totals_.whole_frames += region_.IsWholeScreen() ? 1 : 0;
    totals_.pixels += region_.GetArea();
    totals_.rects += static_cast<long long>(region_.GetRects().size());
    totals_.screen = static_cast<long long>(screen_width_) * static_cast<long long>(screen_height_);
}

void tr_ChangedOnlyRender::Replay(size_t index) {
    const tr_FrameDraws::Draw& draw = current_.GetDraws()[index];
    // One pushed rectangle equal to the recorded view gives the back end the
    // same view the draw was made in.
    if (!inner_->PushClip(draw.view))
        return;
    switch (draw.kind) {
    case tr_FrameDraws::Kind::kQuad:
        inner_->DrawQuad(draw.texture, draw.state);
        break;
    case tr_FrameDraws::Kind::kList:
        inner_->DrawVertexList(draw.texture, *lists_->For(index, current_).vertices, draw.state);
        break;
    case tr_FrameDraws::Kind::kIndexed: {
        ReplayLists::Pair& lists = lists_->For(index, current_);
        inner_->DrawIndexed(draw.texture, *lists.vertices, *lists.indices, draw.state);
        break;
    }
    case tr_FrameDraws::Kind::kLine: {
        const tr_Vertex* ends = current_.VerticesOf(draw);
        inner_->DrawLine(ends[0].x, ends[0].y, 0.0f, ends[1].x, ends[1].y, 0.0f, draw.line_rgb[0],
                         draw.line_rgb[1], draw.line_rgb[2], draw.state);
        break;
    }
    }
    inner_->PopClip();
}
