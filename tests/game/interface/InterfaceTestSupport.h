// Shared set-up for the interface tests: an engine core with its script
// state and trigger registry, a mediator (through the log capture), one hub
// under the display root, probe widgets standing in for the built-in widget
// classes, and module files written to a private folder.
#pragma once

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/scene/tr_Object.h"
#include "engine/script/tr_ScriptState.h"
#include "engine/script/tr_Trigger.h"
#include "engine/script/tr_TriggerRegistry.h"
#include "game/interface/tp_Interface.h"
#include "game/interface/tp_InterfaceWidget.h"
#include "tests/engine/resources/files/TempFolder.h"
#include "tests/engine/resources/text/LogCapture.h"
#include "tests/engine/script/triggers/TriggerTestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// A widget class with no module of its own: the base behaviour only.
class ProbeWidget : public tp_InterfaceWidget {
public:
    explicit ProbeWidget(const std::string& name) : tp_InterfaceWidget(name) {}
};

class InterfaceFixture : public ::testing::Test {
protected:
    void TearDown() override {
        tr_EngineCore::Destroy();
        for (int type : probed_types_)
            tp_Interface::SetBuiltinCreator(type, nullptr);
    }

    tr_EngineCore& Core() { return *tr_EngineCore::Get(); }
    tr_TriggerRegistry& Triggers() { return Core().GetTriggers(); }

    // Builds the hub under the display root; AddWidget builds probe widgets
    // for the probed built-in types (the window type gets a plain object, as
    // its class is no widget).
    void MakeHub(std::initializer_list<int> probed_types = {}) {
        for (int type : probed_types) {
            probed_types_.push_back(type);
            tp_Interface::SetBuiltinCreator(
                type, [](const tp_WidgetTypeRecord& record, const std::string&) -> tr_Object* {
                    if (record.name == "widget_window")
                        return new tr_Object(record.name);
                    return new ProbeWidget(record.name);
                });
        }
        hub = new tp_Interface();
        tr_Object::Attach(Core().GetScene().GetDisplayRoot(), hub);
    }

    void Send(int id, tr_MediatorDataTable& data) { tr_Mediator::Get()->Send(id, data); }

    void AddWidget(int type, float z) {
        tr_MediatorDataTable data;
        data.SetInt("type", type);
        data.SetFloat("pos_z", z);
        Send(19, data);
    }

    // Writes a module whose root object is root and whose triggers are the
    // given name/code pairs; returns its path without extension.
    std::string WriteModule(const std::string& file, const std::string& root,
                            const std::vector<std::pair<std::string, std::string>>& triggers) {
        // The first object below "objs" is the module's container, which
        // never enters the scene.
        std::string text = "<module name=\"" + file + "\"><objs><obj name=\"container\">" +
                           "<obj name=\"" + root + "\"><obj name=\"" + root +
                           "_part\"/></obj></obj></objs><trigs>";
        for (const auto& trigger : triggers)
            text +=
                "<trig name=\"" + trigger.first + "\"><code>" + trigger.second + "</code></trig>";
        text += "</trigs></module>";
        TempFolder::WriteText(folder.Path() + "/" + file + ".xml", text);
        return folder.Path() + "/" + file;
    }

    std::string Global(const std::string& name) {
        std::string value;
        return Core().GetScript().GetGlobalString(name, value) ? value : "<nil>";
    }
    void Run(const std::string& code) { ASSERT_TRUE(Core().GetScript().RunChunk(code, "test")); }

    void Step(tr_Object* object, float dt) {
        tr_FrameInfo frame;
        frame.dt = dt;
        object->Update(frame);
    }

    LogCapture log;
    TempFolder folder;
    tp_Interface* hub = nullptr;

private:
    std::vector<int> probed_types_;
};
