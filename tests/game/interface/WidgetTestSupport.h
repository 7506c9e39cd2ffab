// Shared set-up for the built-in widget tests: the real widget classes
// registered with the hub, the configuration's slot count, SendMessage for
// module scripts, and module stand-ins. A stand-in module records every
// command its widget sends it ("n", ":name", "@pos", "x count", "[name@pos,
// ...]" for layouts), runs the Lua function on_command(n, data) when a test
// defines one and, while the Lua global "answer" is true, answers at once
// with the events a real module sends when its animation ends.
#pragma once

#include "InterfaceTestSupport.h"

#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Random.h"
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/core/tp_Config.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_BuiltinWidgets.h"

#include <map>

// Stands in for the level and the transporter: counts messages 16 and 152
// and answers 16 with its "loading" flag.
class LevelStandIn : public tr_Listener {
public:
    LevelStandIn() {
        tr_Mediator::Get()->Subscribe(LevelIsLoading, this);
        tr_Mediator::Get()->Subscribe(Command_Transporter_Finish, this);
    }
    ~LevelStandIn() override {
        if (tr_Mediator::Get())
            tr_Mediator::Get()->Unsubscribe(this);
    }
    void OnMessage(int id, tr_MediatorDataTable& data) override {
        ++received[id];
        if (id == LevelIsLoading)
            data.SetInt("loading", loading ? 1 : 0);
    }
    bool loading = false;
    std::map<int, int> received;
};

class WidgetFixture : public InterfaceFixture {
protected:
    // The events a stand-in answers with: command number -> Lua statement.
    using Answers = std::map<int, std::string>;

    void Begin(int slots = 6) {
        tp_Config::Create()->inventory_size = slots;
        tp_RegisterObjectScriptApi(Core().GetScript().GetLua());
        tp_RegisterBuiltinWidgets();
        tr_Random::Reset();
        MakeHub();
        Run("answer = true calls = {}");
    }

    void TearDown() override {
        InterfaceFixture::TearDown();
        for (int type = 0; type < InterfaceWidget_Custom; ++type)
            tp_Interface::SetBuiltinCreator(type, nullptr);
        tp_Config::Destroy();
    }

    // Writes the stand-in for module root and adds the widget of type with
    // it; returns the widget.
    template <class Widget>
    Widget* AddWithStandIn(int type, const std::string& root, const Answers& answers = {}) {
        std::string code =
            "local n = tonumber(tr_params.param_0) local t = tr_params.table or {} "
            "local s = tostring(n) "
            "if t.name then s = s .. ':' .. t.name end "
            "if t.pos then s = s .. '@' .. t.pos end "
            "if t.count then s = s .. 'x' .. t.count end "
            "if t.size then local p = {} "
            "for _, o in ipairs(t.objects) do p[#p + 1] = o.name .. '@' .. o.pos end "
            "s = s .. '[' .. table.concat(p, ',') .. ']' end "
            "calls[#calls + 1] = s "
            "if on_command then on_command(n, t) end ";
        for (const auto& answer : answers)
            code += "if answer and n == " + std::to_string(answer.first) + " then " +
                    answer.second + " end ";
        const std::string path =
            WriteModule(root, root, {{"trg_" + root + "_message", Escape(code)}});
        tr_MediatorDataTable data;
        data.SetInt("type", type);
        data.SetFloat("pos_z", 1.0f);
        data.SetString("module", path);
        Send(Command_Interface_WidgetAdd, data);
        return dynamic_cast<Widget*>(hub->GetWidget(type));
    }

    // The commands recorded since the last call, space-separated.
    std::string Calls() {
        Run("joined = table.concat(calls, ' ') calls = {}");
        return Global("joined");
    }

    tr_Object* Place(const std::string& name, tr_Object* parent = nullptr) {
        tr_Object* object = new tr_Object(name);
        tr_Object::Attach(parent ? parent : Core().GetScene().GetDisplayRoot(), object);
        return object;
    }

    void SendNamed(int id, const std::string& name) {
        tr_MediatorDataTable data;
        data.SetString("name", name);
        Send(id, data);
    }
    void SendEmpty(int id) {
        tr_MediatorDataTable data;
        Send(id, data);
    }

    // Whether a queued trigger of that name ran: runs the queue, counting
    // the calls a recording trigger of that name makes.
    void RecordTrigger(const std::string& name) {
        Triggers().AddTrigger(
            std::make_unique<tr_Trigger>(name, "fired = (fired or '') .. '" + name + " '"));
    }
    std::string Fired() {
        Triggers().RunQueue();
        const std::string fired = Global("fired");
        Run("fired = nil");
        return fired == "<nil>" ? "" : fired;
    }

private:
    static std::string Escape(const std::string& code) {
        std::string out;
        for (char c : code) {
            if (c == '<')
                out += "&lt;";
            else if (c == '&')
                out += "&amp;";
            else
                out += c;
        }
        return out;
    }
};
