// Mediator dispatch, Lua table conversion, log formatting and content path
// resolution: the per-message and per-file costs every subsystem pays.
#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/resources/files/tr_ContentPath.h"

#include <benchmark/benchmark.h>
#include <lua.hpp>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

class CountingListener : public tr_Listener {
public:
    void OnMessage(int, tr_MediatorDataTable& data) override {
        benchmark::DoNotOptimize(data.Find("x"));
        ++count;
    }
    long count = 0;
};

void BM_MediatorSend(benchmark::State& state) {
    tr_Mediator mediator;
    std::vector<std::unique_ptr<CountingListener>> listeners;
    for (int i = 0; i < state.range(0); ++i) {
        listeners.push_back(std::make_unique<CountingListener>());
        mediator.Subscribe(42, listeners.back().get());
        mediator.Subscribe(43 + i, listeners.back().get()); // other ids in the map
    }
    tr_MediatorDataTable data;
    data.SetInt("x", 1);
    for (auto _ : state) {
        mediator.Send(42, data);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MediatorSend)->Arg(1)->Arg(16)->Arg(128);

void BM_TableFromLuaAndBack(benchmark::State& state) {
    lua_State* L = luaL_newstate();
    luaL_openlibs(L);
    luaL_dostring(L, "return {name = 'task', count = 3, ratio = 0.5, "
                     "items = {'a', 'b', 'c', 'd'}, pos = {x = 10, y = 20}}");
    for (auto _ : state) {
        tr_MediatorDataTable table;
        table.FromLua(L);
        table.PushToLua(L);
        lua_pop(L, 1);
        benchmark::DoNotOptimize(table.Count());
    }
    lua_close(L);
}
BENCHMARK(BM_TableFromLuaAndBack);

void BM_TableDeepCopy(benchmark::State& state) {
    tr_MediatorDataTable table;
    for (int i = 0; i < 16; ++i) {
        table.SetInt("k" + std::to_string(i), i);
    }
    table.AddArray("list")->AddString("value");
    for (auto _ : state) {
        tr_MediatorDataTable copy(table);
        benchmark::DoNotOptimize(copy.Count());
    }
}
BENCHMARK(BM_TableDeepCopy);

class ContentTree {
public:
    ContentTree() {
        char pattern[] = "/tmp/tarrow_bench_XXXXXX";
        root = mkdtemp(pattern);
        std::system(("mkdir -p " + root + "/Assets/Rooms/Hall && touch " + root +
                     "/Assets/Rooms/Hall/Door.png")
                        .c_str());
        for (int i = 0; i < 200; ++i) {
            std::system(("touch " + root + "/Assets/Rooms/Hall/f" + std::to_string(i)).c_str());
        }
    }
    ~ContentTree() { std::system(("rm -rf " + root).c_str()); }
    std::string root;
};

void BM_ContentPathExact(benchmark::State& state) {
    static ContentTree tree;
    const std::string path = tree.root + "\\Assets\\Rooms\\Hall\\Door.png";
    for (auto _ : state) {
        benchmark::DoNotOptimize(tr_ContentPath::Resolve(path));
    }
}
BENCHMARK(BM_ContentPathExact);

void BM_ContentPathCaseFallback(benchmark::State& state) {
    static ContentTree tree;
    const std::string path = tree.root + "/assets/rooms/hall/DOOR.PNG";
    for (auto _ : state) {
        benchmark::DoNotOptimize(tr_ContentPath::Resolve(path));
    }
}
BENCHMARK(BM_ContentPathCaseFallback);

} // namespace
