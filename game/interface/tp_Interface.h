// tp_Interface: the interface hub. It owns the table of widget types, keeps
// the live widgets as its children (owned through the scene tree like any
// child), runs the hub fade and answers the hub commands of the mediator.
// The level creates exactly one hub and owns it as its child; the hub also
// creates the storage object "interface_hub" under the scene's storage root,
// which the scene owns.
//
// Widget classes plug into the built-in type table with
// tp_Interface::SetBuiltinCreator before the hub is created (the game does it
// once in tp_RegisterBuiltinWidgets); a type without a class logs a warning
// naming it and AddWidget creates nothing for it.
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_ObjectRef.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

struct tp_WidgetTypeRecord;

// Widget type numbers; every number from InterfaceWidget_Custom up is a
// script-defined (custom) type.
enum tp_WidgetType : int {
    InterfaceWidget_FrameSubroom = 0,
    InterfaceWidget_Inventory = 1,
    InterfaceWidget_TaskPanel = 2,
    InterfaceWidget_TaskHeader = 3,
    InterfaceWidget_ItemPanel = 4,
    InterfaceWidget_BtnHint = 5,
    InterfaceWidget_BtnSkip = 6,
    InterfaceWidget_BtnInfo = 7,
    InterfaceWidget_BtnReset = 8,
    InterfaceWidget_BtnGuide = 9,
    InterfaceWidget_Map = 10,
    InterfaceWidget_BtnMap = 11,
    InterfaceWidget_BtnMenu = 12,
    InterfaceWidget_DialogHo = 13,
    InterfaceWidget_Dialog = 14,
    InterfaceWidget_Tutorial = 15,
    InterfaceWidget_BlackBarText = 16,
    InterfaceWidget_DialogVideo = 17,
    InterfaceWidget_DialogStory = 18,
    InterfaceWidget_DialogCharacter = 19,
    InterfaceWidget_Window = 20,
    InterfaceWidget_Popup = 21,
    InterfaceWidget_Effects = 22,
    InterfaceWidget_Pause = 23,
    InterfaceWidget_Top = 24,
    InterfaceWidget_Transporter = 25,
    InterfaceWidget_StrategyGuide = 26,
    InterfaceWidget_Custom = 27,
};

enum tp_WidgetFlag : uint32_t {
    TP_WIDGET_FOLLOWS_HUB_FADE = 0x01,
    TP_WIDGET_PAUSES_WITH_GAME = 0x10,
};

// Builds a widget for a type record and a module override (empty: the
// class default). Returns a new object the caller owns, or null.
using tp_WidgetCreator =
    std::function<tr_Object*(const tp_WidgetTypeRecord& record, const std::string& module)>;

struct tp_WidgetTypeRecord {
    std::string name;
    tp_WidgetCreator creator;
    uint32_t flags = 0;
};

class tp_Interface : public tr_Object, public tr_Listener {
public:
    tp_Interface();
    ~tp_Interface() override;

    // The level reaches the hub it owns through its own pointer; widgets and
    // game code that only know the scene use this (null when no hub lives).
    static tp_Interface* Get() { return instance_; }

    // Replaces the creator the next hubs use for a built-in type (0 to 26);
    // ignored for other numbers.
    static void SetBuiltinCreator(int type, tp_WidgetCreator creator);

    // The live widget of a type, or null (unknown type or no such widget).
    tr_Object* GetWidget(int type);
    void AddWidget(int type, float z, const std::string& module);
    void AddCustomWidget(int type, float z, const std::string& module, const std::string& name);
    // Destroys the widget of a type, now or, while it is handling a message,
    // as soon as that handling returns. False when no such widget lives.
    bool DeleteWidget(int type);

    // The record of a type, or null.
    const tp_WidgetTypeRecord* GetTypeRecord(int type) const;
    const std::map<int, tp_WidgetTypeRecord>& GetTypes() const { return types_; }

    // The storage object under which widgets park extra modules.
    tr_Object* GetStorage() const { return storage_.Get(); }

    float GetHubAlpha() const { return hub_alpha_; }
    bool IsHubHidden() const { return hub_hidden_; }

    // Hub fade direction; without fade the alpha jumps to its end at once.
    void SetHubVisible(bool visible, bool fade);
    // Sets "active" of every live widget whose type pauses with the game.
    void SetPaused(bool paused);

    std::string GetType() const override { return "interface"; }
    void Update(const tr_FrameInfo& frame) override;
    void OnMessage(int id, tr_MediatorDataTable& data) override;

private:
    void Build();
    void RegisterBuiltinTypes();
    void HandleWidgetAdd(tr_MediatorDataTable& data);
    void HandleWidgetSetVisible(tr_MediatorDataTable& data);
    void HandleSubscribeCustomWidget(tr_MediatorDataTable& data);
    void PlaceWidget(tr_Object* widget, float z);
    void WriteHubAlphaToWidgets();

    static tp_Interface* instance_;

    std::map<int, tp_WidgetTypeRecord> types_;
    float hub_alpha_ = 1.0f;
    bool hub_hidden_ = false;
    tr_ObjectRef storage_;
};
