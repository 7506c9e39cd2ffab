// ResourceProbe: loads content the way the running game does, on a headless
// engine of its own, and hands back what the engine complained about. An
// object element is built by the object factory from its own attributes
// (not its children) and attached under the display root, which loads its
// resources through the registry exactly as when a room shows it; every
// "Error: " or "Warning: " log line meanwhile is the object's finding.
// Owns the mediator, the engine and its core for its whole life: make one
// per run, before anything else touches the engine's singletons. The
// engine's own log lines are kept off standard output while it lives.
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Mediator.h"

#include <memory>
#include <string>
#include <vector>

namespace tinyxml2 {
class XMLElement;
}
class Tarrow;

class ResourceProbe : private tr_Listener {
public:
    ResourceProbe();
    ~ResourceProbe() override;

    // The complaints of loading what element names; empty when it loads.
    std::vector<std::string> LoadObject(const tinyxml2::XMLElement* element);

private:
    void OnMessage(int id, tr_MediatorDataTable& data) override;
    void Silence();
    void Restore();

    tr_Mediator mediator_;
    std::unique_ptr<Tarrow> engine_;
    std::vector<std::string> caught_;
    int saved_stdout_ = -1;
};
