// tp_Application: the top of the game's scene tree, "tp_application" under
// the display root. Its position and scale map the 1024x768 design space
// onto the window's pixels and its crop rectangle cuts the picture to the
// normal or wide layout, so everything below it works in design units. It
// owns the current level (its child) and the profile manager, switches levels when a script asks
// for one and the old level has faded out, turns the window's suspend /
// resume into the pause widget's commands, and carries out the
// toggle-fullscreen operation.
//
// Created by the engine's init hook and attached under "tr_origin", which
// owns it from then on; the shutdown hook deletes it. Get() reaches the live
// application (null before it exists and after it died). It answers the
// mediator messages AppSwitchLevel .. AppUpdateGameMode (5-9) while it
// lives; the AppGetMatrix reply "matrix" is its world transform as an array
// of 16 floats, row-major. Uses the settings, the current display mode, the
// engine and the engine core when they exist; each may be missing (tests).
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/render/tr_Matrix.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_ObjectRef.h"

#include <memory>
#include <string>

class tp_Level;
class tp_ProfileManager;
class tr_MediatorDataTable;
struct tp_DisplayMode;

class tp_Application : public tr_Object, public tr_Listener {
public:
    static constexpr const char* kObjectName = "tp_application";

    tp_Application();
    ~tp_Application() override;

    static tp_Application* Get() { return instance_; }

    void ResetDefaults() override;
    // The base update, then the pending level switch once the level has
    // faded out.
    void Update(const tr_FrameInfo& frame) override;
    // Clicks that reach the application stop here.
    bool HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state) override;
    void OnMessage(int id, tr_MediatorDataTable& data) override;

    // Position and scale from the mode's offsets and scales, and the crop
    // rectangle of its layout.
    void ApplyDisplayMode(const tp_DisplayMode& mode);
    // The visible rectangle of the normal or wide layout; records the flag.
    void SetLayoutCrop(bool widescreen);
    bool IsWidescreen() const { return widescreen_; }

    // The toggle-fullscreen operation (Alt+Enter, SetFullScreen,
    // SetWideScreen): selects the mode for (wanted, the settings' wide
    // layout), switches to it, copies the resulting flags into the settings
    // and calls the content's "tp_togglefullscreen(fullscreen changed,
    // widescreen changed)". True when the display changed.
    bool ToggleFullscreen(bool wanted_fullscreen);

    // The usable layout width in design units (message AppGetWidth).
    float GetLayoutWidth() const;

    // Suspended while the window is inactive: the pause widget is shown and
    // the tree stops updating and taking input. Nothing happens when the
    // value does not change.
    void SetSuspended(bool suspended);
    bool IsSuspended() const { return suspended_; }

    bool IsForcedFullscreen() const { return forced_fullscreen_; }
    void SetForcedFullscreen(bool forced) { forced_fullscreen_ = forced; }

    // Replaces the current level (see UnloadLevel) by a new one for module
    // and its start trigger, attached as the application's child.
    void CreateLevel(const std::string& module, const std::string& start_trigger);
    // Destroys the level, forgets every queued trigger call, empties the
    // storage root and fades all sound out.
    void UnloadLevel();
    tp_Level* GetLevel() const;

    bool HasPendingSwitch() const { return pending_switch_ != nullptr; }
    // The module of the pending switch ("" when none).
    std::string GetPendingModule() const;

private:
    tr_Matrix CurrentWorldMatrix();
    void RequestLevelSwitch(const tr_MediatorDataTable& data);
    void StartPendingLevel();

    static tp_Application* instance_;

    tr_ObjectRef level_;
    bool suspended_ = false;
    bool widescreen_ = false;
    bool forced_fullscreen_ = false;
    std::unique_ptr<tr_MediatorDataTable> pending_switch_;
    std::unique_ptr<tp_ProfileManager> profiles_;
};
