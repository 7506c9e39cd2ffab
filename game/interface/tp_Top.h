// tp_Top: the topmost layer of the interface (widget type 24, z 1000 under
// the hub) into which scripts attach objects that must lie above every
// widget. A plain object without module or fade of its own; owned by the hub.
#pragma once

#include "engine/scene/tr_Object.h"

#include <string>

class tp_Top : public tr_Object {
public:
    explicit tp_Top(const std::string& name) : tr_Object(name) {}
    std::string GetType() const override { return "top"; }
};
