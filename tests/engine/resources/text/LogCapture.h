// LogCapture: collects the log lines sent while it lives (mediator message 3),
// creating a mediator for the test when none exists.
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorData.h"
#include "engine/core/tr_MediatorDataTable.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

class LogCapture : public tr_Listener {
public:
    LogCapture() {
        if (!tr_Mediator::Get())
            own_mediator_ = std::make_unique<tr_Mediator>();
        tr_Mediator::Get()->Subscribe(3, this);
    }
    ~LogCapture() override {
        if (tr_Mediator::Get())
            tr_Mediator::Get()->Unsubscribe(this);
    }

    void OnMessage(int, tr_MediatorDataTable& data) override {
        if (tr_MediatorData* message = data.Find("message"))
            lines.push_back(message->GetString());
    }

    int Count(const std::string& line) const {
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    int CountStartingWith(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
                return l.compare(0, prefix.size(), prefix) == 0;
            }));
    }

    std::vector<std::string> lines;

private:
    std::unique_ptr<tr_Mediator> own_mediator_;
};
