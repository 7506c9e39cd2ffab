// Keeping thousands of siblings sorted by z: attaching them one by one with
// random z, and re-sorting after every child's z changed at once.
#include "engine/core/tr_Random.h"
#include "engine/scene/tr_Object.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_AttachWithRandomZ(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tr_Random::Reset();
        tr_Object parent("parent");
        for (int i = 0; i < count; ++i) {
            tr_Object* child = new tr_Object("c" + std::to_string(i));
            child->SetPosZ(static_cast<float>(tr_Random::Next()));
            tr_Object::AddChild(&parent, child);
        }
        benchmark::DoNotOptimize(parent.GetChildren().data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AttachWithRandomZ)->Arg(1000)->Arg(4000)->Arg(16000)->Complexity();

void BM_ResortAfterEveryZChanged(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    tr_Random::Reset();
    tr_Object parent("parent");
    for (int i = 0; i < count; ++i)
        tr_Object::AddChild(&parent, new tr_Object("c" + std::to_string(i)));
    for (auto _ : state) {
        for (tr_Object* child : parent.GetChildren())
            child->SetPosZ(static_cast<float>(tr_Random::Next()));
        parent.SortChildren();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ResortAfterEveryZChanged)->Arg(1000)->Arg(4000)->Arg(16000)->Complexity();

} // namespace
