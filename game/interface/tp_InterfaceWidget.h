// tp_InterfaceWidget: the base of the interface widgets. It carries the
// widget's own fade (4.0 per second towards shown or hidden), answers the
// hub's SetVisible broadcast (message 28) and does the common module work:
// load a module file, park its root object under the storage root while its
// "_init" trigger runs, then hang it under the widget and queue its "_set"
// trigger. The module root is a child of the widget (owned through the
// tree); the widget keeps only a weak reference to it, since scripts may
// delete it.
//
// Subclasses handle messages in HandleMessage, never in OnMessage: OnMessage
// tracks whether a handler is on the stack, so that a widget destroyed by its
// own module's script while it handles a message is only detached then and
// deleted once the handler has returned.
//
// Module calls run Lua, and Lua may delete anything by name: this widget, its
// module root, the objects it remembers. So a widget calls its module through
// CallModule and stops at once when that reports the widget gone, and it
// remembers objects it does not own only as tr_ObjectRef, read again after
// every call.
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_ObjectRef.h"

#include <memory>
#include <string>

class tp_InterfaceWidget : public tr_Object, public tr_Listener {
public:
    static constexpr float kFadeRate = 4.0f;
    static constexpr const char* kModuleFolder = "assets/shared/interface/";

    explicit tp_InterfaceWidget(const std::string& name);
    ~tp_InterfaceWidget() override;

    float GetFade() const { return fade_; }
    bool IsShown() const { return shown_; }
    // need_fade false jumps the fade and "alp" to the end value at once.
    void SetShown(bool shown, bool need_fade);

    // The loaded module's root object, or null (absent or deleted).
    tr_Object* GetModuleObject() const { return module_object_.Get(); }
    const std::string& GetModuleName() const { return module_name_; }
    const std::string& GetModuleOverride() const { return module_override_; }

    bool IsHandlingMessage() const { return handling_depth_ > 0; }
    // Detaches the widget and ends its subscriptions now; the object itself
    // is deleted when the outermost running handler returns (or now when none
    // runs). The caller gives up the widget.
    void Destroy();

    // The base pass-on to the children, then, for classes that lay their
    // module out per display (SetRefreshRunsSet), the "_set" trigger again.
    void Refresh(bool recursive) override;
    void Update(const tr_FrameInfo& frame) override;
    void OnMessage(int id, tr_MediatorDataTable& data) final;

protected:
    // The base answers message 28; overrides call it first.
    virtual void HandleMessage(int id, tr_MediatorDataTable& data);

    // Where a freshly loaded module root rests: under the widget (with its
    // "_set" queued), or parked under the storage root with only "_init" run,
    // for widgets that show their module on demand (UnparkModule).
    enum class ModulePlacement { kUnderWidget, kParked };
    // The module of a built-in class: the class default module D from the
    // interface folder, or the override given at creation (a module path);
    // either way the root object is looked up by D.
    tr_Object* LoadClassModule(const std::string& module_override,
                               const std::string& default_module,
                               ModulePlacement placement = ModulePlacement::kUnderWidget);
    // Loads path (no extension), finds its root object by root_name and
    // installs it as described above. Returns the root or null.
    tr_Object* LoadModule(const std::string& path, const std::string& root_name,
                          ModulePlacement placement = ModulePlacement::kUnderWidget);
    // Moves the module root under the widget, or back to the hub's storage
    // object "interface_hub" (the storage root when no hub lives).
    void UnparkModule();
    void ParkModule();
    // Runs the module's message trigger at once with the data as parameters.
    void ForwardToModule(int id, const tr_MediatorDataTable& data);
    // ForwardToModule that reports whether this widget still exists after
    // the module's script ran; on false the caller returns at once without
    // touching any member.
    [[nodiscard]] bool CallModule(int id, const tr_MediatorDataTable& data);
    // CallModule handing over a table built for this call (no copy).
    [[nodiscard]] bool CallModuleWith(int id, std::shared_ptr<tr_MediatorDataTable> data);
    // Queues the module's "_set" trigger (layout for the current display).
    void QueueModuleSet();
    // Adds one mediator subscription (twice subscribed means called twice).
    void Subscribe(int id);
    void SetRefreshRunsSet(bool on) { refresh_runs_set_ = on; }

private:
    float fade_ = 1.0f;
    bool shown_ = true;
    std::string module_override_;
    std::string module_name_;
    tr_ObjectRef module_object_;
    int handling_depth_ = 0;
    bool destroy_pending_ = false;
    bool refresh_runs_set_ = false;
};
