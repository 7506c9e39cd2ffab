// Saving and loading a player's progress: a tp_global of 10,000 entries
// (nested tables of strings, numbers and booleans) through the profile
// manager, to and from a saved-game file in a private user folder (atomic
// replace with sync included), and the in-memory conversion alone.
#include "engine/bindings/tr_EngineCore.h"
#include "engine/resources/files/tr_FileManager.h"
#include "engine/script/tr_ScriptState.h"
#include "game/app/tp_GameScriptSaveData.h"
#include "game/app/tp_ProfileManager.h"
#include "game/app/tp_SaveGameFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

// 100 rooms of 24 entries, each with a nested table of 75: 10,000 entries.
const char* const kMakeGlobal = R"(
tp_global = {}
for r = 1, 100 do
  local room = {name = "room_" .. r, visited = r % 3 == 0, time = r * 1.37}
  for i = 1, 20 do room["flag_" .. i] = i % 2 == 0 end
  local items = {}
  for i = 1, 75 do items[i] = (i % 3 == 0) and ("item " .. i) or i / 7 end
  room.items = items
  tp_global["r" .. r] = room
end
)";

class ProfileBench {
public:
    ProfileBench() {
        char pattern[] = "/tmp/tarrow_bench_XXXXXX";
        folder_ = mkdtemp(pattern) ? pattern : "/tmp";
        setenv("XDG_DATA_HOME", folder_.c_str(), 1);
        tr_FileManager::SetFolderNames("Brightfold", "Profile Bench");
        script_ = &tr_EngineCore::Get()->GetScript();
        script_->RunChunk(kMakeGlobal, "bench");
        manager_ = std::make_unique<tp_ProfileManager>();
        manager_->Add("Ann");
        manager_->SetCurrent("Ann");
        manager_->SaveGameData();
    }
    ~ProfileBench() {
        manager_.reset();
        tr_EngineCore::Destroy();
        tr_FileManager::Destroy();
        std::system(("rm -rf '" + folder_ + "'").c_str());
    }
    tp_ProfileManager& Manager() { return *manager_; }
    tr_ScriptState& Script() { return *script_; }

private:
    std::string folder_;
    tr_ScriptState* script_ = nullptr;
    std::unique_ptr<tp_ProfileManager> manager_;
};

void BM_SaveGameData10k(benchmark::State& state) {
    ProfileBench bench;
    for (auto _ : state)
        bench.Manager().SaveGameData();
}
BENCHMARK(BM_SaveGameData10k)->Unit(benchmark::kMillisecond);

void BM_LoadGameData10k(benchmark::State& state) {
    ProfileBench bench;
    for (auto _ : state) {
        state.PauseTiming();
        bench.Script().RunChunk("tp_global = {}", "bench");
        state.ResumeTiming();
        if (!bench.Manager().LoadGameData())
            state.SkipWithError("the saved game did not load");
    }
}
BENCHMARK(BM_LoadGameData10k)->Unit(benchmark::kMillisecond);

void BM_ConvertAndSign10k(benchmark::State& state) {
    ProfileBench bench;
    for (auto _ : state) {
        const std::string text =
            tp_SaveGameFile::Sign(tp_GameScriptSaveData::SaveGlobal(bench.Script().GetLua()));
        benchmark::DoNotOptimize(text.data());
        state.counters["bytes"] = double(text.size());
    }
}
BENCHMARK(BM_ConvertAndSign10k)->Unit(benchmark::kMillisecond);

} // namespace
