// Update + draw traversal of a 10,000-object scene three levels deep, one
// object in ten running a looping keyframe modifier, drawn through a renderer
// that does nothing. Prints the cost per object per frame and the heap
// allocations per frame once warmed up (counted by replacing operator new).
#include "engine/bindings/tr_EngineCore.h"
#include "engine/render/tr_Render.h"
#include "engine/scene/tr_Object.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>

namespace {

size_t g_allocations = 0;

// CPU time of this process: on a shared machine the wall clock also counts
// the time other processes hold the cores.
double CpuNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e9 + ts.tv_nsec;
}

class NullRender : public tr_Render {
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

constexpr int kGroups = 10;
constexpr int kSubgroups = 10;
constexpr int kTotal = 10000;

int BuildScene(tr_Object* root) {
    const int leaves = kTotal - kGroups - kGroups * kSubgroups;
    int made = 0;
    auto make = [&made](tr_Object* parent, float x, float y) {
        tr_Object* obj = new tr_Object("obj" + std::to_string(made));
        obj->SetPosition(x, y);
        obj->SetScale(1.01f, 0.99f);
        if (made % 10 == 0) {
            const float keys[] = {0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 3.0f, 5.0f, 5.0f};
            obj->AddModifier(TR_MOD_POS_XY, "", true, true, "", keys, 8);
        }
        tr_Object::Attach(parent, obj);
        ++made;
        return obj;
    };
    for (int g = 0; g < kGroups; ++g) {
        tr_Object* group = make(root, 10.0f * g, 5.0f);
        for (int s = 0; s < kSubgroups; ++s) {
            tr_Object* sub = make(group, 3.0f, 2.0f * s);
            const int index = g * kSubgroups + s;
            const int count =
                leaves / (kGroups * kSubgroups) + (index < leaves % (kGroups * kSubgroups) ? 1 : 0);
            for (int l = 0; l < count; ++l)
                make(sub, 1.0f * l, 0.5f * l);
        }
    }
    return made;
}

} // namespace

void* operator new(size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// The replacements pair malloc with free; GCC cannot see that new and delete
// are replaced together.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

int main() {
    tr_EngineCore* core = tr_EngineCore::Get();
    const int objects = BuildScene(core->GetScene().GetDisplayRoot());
    NullRender render;
    render.Init(1024.0f, 768.0f);
    const tr_FrameInfo frame{1.0f / 60.0f, 1.0f / 60.0f, 0.0f};

    for (int i = 0; i < 60; ++i) {
        core->Update(&frame);
        core->Draw(&render);
    }

    constexpr int kFrames = 600;
    g_allocations = 0;
    const auto start = std::chrono::steady_clock::now();
    const double cpu_start = CpuNanoseconds();
    for (int i = 0; i < kFrames; ++i) {
        core->Update(&frame);
        core->Draw(&render);
    }
    const auto stop = std::chrono::steady_clock::now();
    const double cpu_ns = CpuNanoseconds() - cpu_start;
    const size_t allocations = g_allocations;

    const double ns = std::chrono::duration<double, std::nano>(stop - start).count();
    std::printf("objects: %d (three levels, %d with a modifier)\n", objects, (objects + 9) / 10);
    std::printf("update + draw: %.1f ns CPU per object per frame (target <= 100), %.1f ns wall\n",
                cpu_ns / kFrames / objects, ns / kFrames / objects);
    std::printf("heap allocations per frame: %.2f (target 0)\n",
                static_cast<double>(allocations) / kFrames);
    tr_EngineCore::Destroy();
    return 0;
}
