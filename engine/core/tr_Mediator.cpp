#include "engine/core/tr_Mediator.h"

#include "engine/core/tr_Listener.h"

#include <algorithm>

tr_Mediator* tr_Mediator::instance_ = nullptr;

tr_Mediator::tr_Mediator() {
    instance_ = this;
}

tr_Mediator::~tr_Mediator() {
    if (instance_ == this) {
        instance_ = nullptr;
    }
}

void tr_Mediator::Subscribe(int id, tr_Listener* listener) {
    if (listener != nullptr) {
        listeners_[id].push_back(listener);
    }
}

void tr_Mediator::Unsubscribe(tr_Listener* listener) {
    for (auto& entry : listeners_) {
        std::vector<tr_Listener*>& list = entry.second;
        if (dispatch_depth_ > 0) {
            for (tr_Listener*& slot : list) {
                if (slot == listener) {
                    slot = nullptr;
                    needs_compaction_ = true;
                }
            }
        } else {
            list.erase(std::remove(list.begin(), list.end(), listener), list.end());
        }
    }
}

bool tr_Mediator::SendIfAny(int id, tr_MediatorDataTable& data) {
    if (instance_ == nullptr) {
        return false;
    }
    instance_->Send(id, data);
    return true;
}

void tr_Mediator::Send(int id, tr_MediatorDataTable& data) {
    auto found = listeners_.find(id);
    if (found == listeners_.end()) {
        return;
    }
    // std::map nodes are stable, so the list reference survives subscriptions
    // to other ids; the index loop re-reads the size to reach late joiners.
    std::vector<tr_Listener*>& list = found->second;
    ++dispatch_depth_;
    for (size_t i = 0; i < list.size(); ++i) {
        if (tr_Listener* listener = list[i]) {
            listener->OnMessage(id, data);
        }
    }
    --dispatch_depth_;
    if (dispatch_depth_ == 0 && needs_compaction_) {
        Compact();
    }
}

int tr_Mediator::CountListeners(int id) const {
    auto found = listeners_.find(id);
    if (found == listeners_.end()) {
        return 0;
    }
    return static_cast<int>(
        std::count_if(found->second.begin(), found->second.end(),
                      [](const tr_Listener* listener) { return listener != nullptr; }));
}

void tr_Mediator::Compact() {
    for (auto& entry : listeners_) {
        std::vector<tr_Listener*>& list = entry.second;
        list.erase(std::remove(list.begin(), list.end(), nullptr), list.end());
    }
    needs_compaction_ = false;
}
