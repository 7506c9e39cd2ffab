// tp_CheatHighlight: the developer aid every level owns as its child
// "tp_cheat_highlight". The Tab cheat key (Event_Level_CheatKeyPressed,
// sent only when cheat keys are available) toggles it; while on, it marks
// every object of the level that takes input, red when the object has a
// mouse-down handler and green otherwise: input rectangles are outlined,
// sprites without one glow additively. Drawn last among its siblings; the
// level is held weakly. Listens to the mediator while it lives.
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_ObjectRef.h"

class tp_CheatHighlight : public tr_Object, public tr_Listener {
public:
    static constexpr const char* kName = "tp_cheat_highlight";
    static constexpr int kToggleKey = 9; // Tab

    tp_CheatHighlight();
    ~tp_CheatHighlight() override;

    void ResetDefaults() override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;
    void OnMessage(int id, tr_MediatorDataTable& data) override;

    void SetLevel(tr_Object* level) { level_.Set(level); }
    bool IsEnabled() const { return enabled_; }

private:
    static void Highlight(tr_Render* render, tr_Object* object);

    bool enabled_ = false;
    tr_ObjectRef level_;
};
