// CPU cost of one empty frame of the engine's frame loop: a platform whose
// clock jumps to each due time, no hooks, a renderer that does nothing. What
// is left is the loop's own work per frame (polls, timing, the frame record,
// the draw bracket and present).
#include "engine/core/tr_Platform.h"
#include "engine/host/Tarrow.h"
#include "engine/render/tr_Render.h"

#include <benchmark/benchmark.h>

namespace {

class EmptyRender : public tr_Render {
public:
    void BeginFrame() override {}
    void EndFrame() override {}
    void EndDraw() override {}
    void BeginRenderToTexture(int, int) override {}
    std::shared_ptr<tr_Texture> EndRenderToTexture() override { return nullptr; }
    void DrawQuad(const std::shared_ptr<tr_Texture>&, const tr_DrawState&) override {}
    void DrawVertexList(const std::shared_ptr<tr_Texture>&, tr_VertexList&,
                        const tr_DrawState&) override {}
    void DrawIndexed(const std::shared_ptr<tr_Texture>&, tr_VertexList&, tr_IndexList&,
                     const tr_DrawState&) override {}
    void DrawLine(float, float, float, float, float, float, float, float, float,
                  const tr_DrawState&) override {}
};

class JumpingClockEngine : public Tarrow, public tr_Platform {
public:
    JumpingClockEngine() {
        SetRendererFactory([] { return std::make_unique<EmptyRender>(); });
    }
    bool Init(int x, int y, int width, int height, bool fullscreen, const char* title) override {
        const bool ready = Tarrow::Init(x, y, width, height, fullscreen, title);
        CreateRenderer();
        StartClock(*this);
        return ready;
    }
    void Run() override { RunLoop(*this); }

    tr_PollResult PollEvent() override { return tr_PollResult::None; }
    uint32_t GetTicks() override { return clock_; }
    uint32_t GetTickRate() const override { return 1000; }
    void WaitUntil(uint32_t ticks) override { clock_ = ticks; }
    tr_DeviceState GetDeviceState() override { return tr_DeviceState::Ready; }
    bool ResetDevice() override { return true; }
    void Present() override { benchmark::ClobberMemory(); }

private:
    uint32_t clock_ = 0;
};

void BM_EmptyFrame(benchmark::State& state) {
    JumpingClockEngine engine;
    engine.Init(0, 0, 1024, 768, false, "bench");
    const int64_t frames_per_run = 1000;
    for (auto _ : state) {
        engine.SetFrameLimit(engine.GetFrameCount() + frames_per_run);
        engine.Run();
    }
    state.SetItemsProcessed(state.iterations() * frames_per_run);
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations() * frames_per_run),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EmptyFrame);

} // namespace
