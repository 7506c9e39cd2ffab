// tp_DevMode: the development mode for content authors. With --dev: the
// engine's error panel (tr_DevOverlay) over the game, F5 to reload the
// current level from its files (string tables, the level module with its
// triggers, and with them the room's textures) back into the room on show,
// triggers read again replacing their old code, and string ids the string
// table lacks reported. With --room and --level, with or without --dev: the
// start level and the room it opens in.
//
// One per process, made by the host before tp_GameStartup::Initialise when
// the command line asks for any of it, and destroyed after Shutdown; the
// game's hooks reach it through Get() (null when there is none). The panel
// belongs to the scene once attached; it is held weakly.
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/scene/tr_ObjectRef.h"

#include <string>
#include <vector>

class tp_Level;
class tr_DevOverlay;
class tr_Object;
struct tr_InputEvent;

struct tp_DevOptions {
    bool enabled = false;      // the panel, the reload key and trigger replacing
    std::string room;          // start room ("" for the start trigger's choice)
    std::string subroom;       // sub-room opened in it once the level plays
    std::string level;         // start level module ("" for the configured one)
    std::string level_trigger; // its start trigger
};

class tp_DevMode : public tr_Listener {
public:
    static constexpr int kReloadKey = 0x74; // F5

    explicit tp_DevMode(tp_DevOptions options);
    ~tp_DevMode() override;
    tp_DevMode(const tp_DevMode&) = delete;
    tp_DevMode& operator=(const tp_DevMode&) = delete;

    static tp_DevMode* Get() { return instance_; }
    const tp_DevOptions& GetOptions() const { return options_; }

    // The mediator exists and the configuration is read: a chosen start level
    // replaces its start point, and the errors and warnings logged from now
    // on are kept for the panel, which does not exist before the first level.
    void OnConfigured();
    void OnMessage(int id, tr_MediatorDataTable& data) override;
    // The application and its first level exist: the panel goes under
    // display_root, the start room is handed to the level.
    void OnGameStarted(tr_Object* display_root, tp_Level* level);
    // True when the event was the development mode's own (the game does not
    // see it then).
    bool HandleInput(const tr_InputEvent& event);
    // Makes the current level again from its files, in the room on show;
    // false (the level untouched, the reason logged and shown) when there
    // is no level or its module does not parse.
    bool Reload();

    tr_DevOverlay* GetOverlay() const;

private:
    // The first font in assets/fonts (name without extension), or "".
    static std::string FindFont();

    static tp_DevMode* instance_;
    void StopListening();

    tp_DevOptions options_;
    tr_ObjectRef overlay_;
    std::vector<std::string> early_lines_;
    bool listening_ = false;
};
