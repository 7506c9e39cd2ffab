#include "engine/objects/particles/tr_ParticlePool.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr size_t kRecordsPerBlock = tr_ParticlePool::kBlockBytes / sizeof(tr_FluxParticle);

// Blocks stay owned here so that the process exits without leaks.
struct PoolState {
    std::vector<std::unique_ptr<tr_FluxParticle[]>> blocks;
    std::vector<tr_FluxParticle*> free;
};

PoolState& State() {
    static PoolState state;
    return state;
}

} // namespace

tr_FluxParticle* tr_ParticlePool::Acquire() {
    PoolState& state = State();
    if (state.free.empty()) {
        state.blocks.emplace_back(new tr_FluxParticle[kRecordsPerBlock]);
        tr_FluxParticle* block = state.blocks.back().get();
        state.free.reserve(state.blocks.size() * kRecordsPerBlock);
        // Handed out from the block's start, so neighbours in a list are
        // neighbours in memory.
        for (size_t i = kRecordsPerBlock; i-- > 0;)
            state.free.push_back(block + i);
    }
    tr_FluxParticle* particle = state.free.back();
    state.free.pop_back();
    std::memset(particle, 0, sizeof(*particle));
    return particle;
}

void tr_ParticlePool::Release(tr_FluxParticle* particle) {
    if (particle)
        State().free.push_back(particle);
}

size_t tr_ParticlePool::GetCapacity() {
    return State().blocks.size() * kRecordsPerBlock;
}

size_t tr_ParticlePool::GetFreeCount() {
    return State().free.size();
}
