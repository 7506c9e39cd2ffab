// Loading a module of 1,000 objects (nested two deep, four types) with 20
// triggers and a little module code into the engine core, then removing it
// again outside the measured time. Target: at most 20 ms a load.
#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/scene/tr_Object.h"
#include "engine/script/tr_TriggerRegistry.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kObjects = 1000;
constexpr int kTriggers = 20;
const char* const kTypes[] = {"obj", "spr", "timer", "text"};

std::string MakeModule() {
    std::string xml = "<module name=\"bench_module\">\n<objs>\n<obj name=\"container\">\n";
    int made = 0;
    for (int group = 0; made < kObjects; ++group) {
        // One parent with nine children of mixed types: 1,000 objects in 100 groups.
        xml += "  <obj name=\"group_" + std::to_string(group) +
               "\" pos_x=\"10\" pos_y=\"20\" pos_z=\"1\" alpha=\"0.5\" "
               "event_mdown=\"trg_bench_0(" +
               std::to_string(group) + ", click)\">\n";
        ++made;
        for (int i = 0; i < 9 && made < kObjects; ++i, ++made) {
            const char* type = kTypes[i % 4];
            xml += std::string("    <") + type + " name=\"item_" + std::to_string(made) +
                   "\" pos_x=\"" + std::to_string(i * 12) +
                   ".5\" pos_y=\"3\" scale_x=\"1.25\" "
                   "res=\"assets/none/item_" +
                   std::to_string(i) + "\" event_menter=\"trg_bench_1\"/>\n";
        }
        xml += "  </obj>\n";
    }
    xml += "</obj>\n</objs>\n<trigs>\n";
    for (int t = 0; t < kTriggers; ++t) {
        xml += "  <trig name=\"trg_bench_" + std::to_string(t) +
               "\"><code>\n"
               "local sender = tr_params.sender\n"
               "if tr_params.param_0 then count_" +
               std::to_string(t) +
               " = 1 end\n"
               "</code></trig>\n";
    }
    xml += "</trigs>\n<code>\nloaded = (loaded or 0) + 1\n</code>\n</module>\n";
    return xml;
}

void BM_ModuleLoad(benchmark::State& state) {
    char folder[] = "/tmp/tarrow_bench_XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string base = std::string(folder) + "/bench_module";
    std::ofstream(base + ".xml") << MakeModule();

    tr_EngineCore* core = tr_EngineCore::Get();
    tr_Object* storage = core->GetScene().GetStorageRoot();
    for (auto _ : state) {
        if (!tr_LoadModule(base)) {
            state.SkipWithError("the module did not load");
            break;
        }
        state.PauseTiming();
        if (storage->GetChildren().size() != 100u)
            state.SkipWithError("the module made the wrong objects");
        tr_Object::DeleteChildren(storage);
        for (int t = 0; t < kTriggers; ++t)
            core->GetTriggers().DeleteTrigger("trg_bench_" + std::to_string(t));
        state.ResumeTiming();
    }
    tr_EngineCore::Destroy();
    std::remove((base + ".xml").c_str());
    rmdir(folder);
}
BENCHMARK(BM_ModuleLoad)->Unit(benchmark::kMillisecond);

} // namespace
