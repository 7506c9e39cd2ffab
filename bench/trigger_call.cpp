// A compiled trigger called with two arguments: from QueueCall through
// RunQueue (the path of every object event), alone and in batches, and the
// immediate CallNow path for comparison. Target: a queued call at most 2 us.
#include "engine/script/tr_ScriptState.h"
#include "engine/script/tr_Trigger.h"
#include "engine/script/tr_TriggerRegistry.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const char* const kTriggerCode = "local a, b = tr_params.param_0, tr_params.param_1\n"
                                 "hits = hits + 1\n";

struct Runtime {
    Runtime() {
        script.RunChunk("hits = 0", "setup");
        registry.AddTrigger(std::make_unique<tr_Trigger>("trg_bench", kTriggerCode));
        // Compiled outside the measured loop, as after a trigger's first call.
        registry.CallNow("bench", "trg_bench(1, first)");
    }
    tr_ScriptState script;
    tr_TriggerRegistry registry{script};
};

void BM_QueuedTriggerCall(benchmark::State& state) {
    Runtime runtime;
    const int batch = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < batch; ++i)
            runtime.registry.QueueCall("button_object", "trg_bench(12, door_left)");
        runtime.registry.RunQueue();
    }
    state.SetItemsProcessed(state.iterations() * batch);
    double hits = 0;
    runtime.script.GetGlobalNumber("hits", hits);
    if (hits < static_cast<double>(state.iterations() * batch))
        state.SkipWithError("the trigger did not run every time");
}
BENCHMARK(BM_QueuedTriggerCall)->Arg(1)->Arg(100);

void BM_ImmediateTriggerCall(benchmark::State& state) {
    Runtime runtime;
    for (auto _ : state)
        runtime.registry.CallNow("button_object", "trg_bench(12, door_left)");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ImmediateTriggerCall);

void BM_QueuedCallWithEvaluatedArgument(benchmark::State& state) {
    Runtime runtime;
    for (auto _ : state) {
        runtime.registry.QueueCall("button_object", "trg_bench(~12 * 2, door_left)");
        runtime.registry.RunQueue();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QueuedCallWithEvaluatedArgument);

} // namespace
