#include "engine/bindings/tr_ComplexScript_Lua.h"

#include "engine/core/tr_Random.h"
#include "engine/objects/particles/tr_PartSysImpl_Complex.h"
#include "engine/objects/particles/tr_ParticleSystem.h"
#include "engine/script/tr_SLHelper_Lua.h"
#include "engine/script/tr_ScriptArgs.h"

#include <lua.hpp>

#include <cmath>

namespace {

tr_PartSysImpl_Complex* System(lua_State* L) {
    return static_cast<tr_PartSysImpl_Complex*>(lua_touserdata(L, lua_upvalueindex(1)));
}

float Number(const tr_ScriptArgs& args, int index) {
    return static_cast<float>(args.GetNumberOr(index, 0.0));
}

int CreateEmitter(lua_State* L) {
    tr_ScriptArgs args(L);
    System(L)->CreateEmitter(args.GetText(1), Number(args, 2), Number(args, 3));
    return 0;
}

int CreateParticles(lua_State* L) {
    tr_ScriptArgs args(L);
    System(L)->CreateParticles(Number(args, 1));
    return 0;
}

int DieAfter(lua_State* L) {
    tr_ScriptArgs args(L);
    System(L)->DieAfter(Number(args, 1));
    return 0;
}

int Random(lua_State* L) {
    tr_ScriptArgs args(L);
    const float a = Number(args, 1);
    const float b = Number(args, 2);
    const float r = static_cast<float>(tr_Random::Next10000());
    lua_pushnumber(L, a + r * (b - a) / 10000.0f);
    return 1;
}

int Animate(lua_State* L) {
    tr_ScriptArgs args(L);
    std::vector<float> keys;
    if (lua_istable(L, 2)) {
        for (int i = 1;; ++i) {
            lua_rawgeti(L, 2, i);
            const bool number = lua_isnumber(L, -1) != 0;
            if (number)
                keys.push_back(static_cast<float>(lua_tonumber(L, -1)));
            lua_pop(L, 1);
            if (!number)
                break;
        }
    }
    System(L)->Animate(args.GetFlag(1), std::move(keys));
    return 0;
}

int DeleteMe(lua_State* L) {
    System(L)->DeleteMe();
    return 0;
}

int ObjGet(lua_State* L) {
    lua_newtable(L);
    if (tr_ParticleSystem* owner = System(L)->GetOwnerObject()) {
        tr_SLHelper_Lua helper(L);
        owner->Save(helper);
    }
    return 1;
}

int GetPosFromMask(lua_State* L) {
    float x = 0.0f;
    float y = 0.0f;
    System(L)->PositionFromMask(x, y);
    lua_newtable(L);
    lua_pushnumber(L, x);
    lua_setfield(L, -2, "x");
    lua_pushnumber(L, y);
    lua_setfield(L, -2, "y");
    return 1;
}

int SetProperty(lua_State* L) {
    tr_ScriptArgs args(L);
    const float value = Number(args, 2);
    if (lua_type(L, 1) == LUA_TNUMBER)
        System(L)->SetProperty(args.GetFlag(1), value);
    else if (lua_type(L, 1) == LUA_TSTRING)
        System(L)->SetNamedProperty(lua_tostring(L, 1), value);
    return 0;
}

int SetIndependent(lua_State* L) {
    System(L)->SetIndependent();
    return 0;
}

int GetProperty(lua_State* L) {
    tr_ScriptArgs args(L);
    float value = 0.0f;
    if (lua_type(L, 1) == LUA_TNUMBER)
        value = System(L)->GetProperty(args.GetFlag(1));
    else if (lua_type(L, 1) == LUA_TSTRING)
        value = System(L)->GetNamedProperty(lua_tostring(L, 1));
    lua_pushnumber(L, value);
    return 1;
}

// A script that runs this many Lua instructions in one run (an endless
// loop) is stopped with an error, which abandons it like any other.
constexpr int kMaxInstructions = 10000000;

void StopRunaway(lua_State* L, lua_Debug*) {
    luaL_error(L, "script stopped after %d instructions", kMaxInstructions);
}

const char* const kPropertyNames[tr_PartSysImpl_Complex::kPropertyCount] = {
    "tr_pos_x", "tr_pos_y", "tr_pos_z",   "tr_scale_x", "tr_scale_y",
    "tr_angle", "tr_alpha", "tr_color_r", "tr_color_g", "tr_color_b"};

const luaL_Reg kFunctions[] = {
    {"CreateEmitter", CreateEmitter},
    {"CreateParticles", CreateParticles},
    {"DieAfter", DieAfter},
    {"Random", Random},
    {"Animate", Animate},
    {"DeleteMe", DeleteMe},
    {"ObjGet", ObjGet},
    {"GetPosFromMask", GetPosFromMask},
    {"SetProperty", SetProperty},
    {"SetIndependent", SetIndependent},
    {"GetProperty", GetProperty},
};

} // namespace

tr_ComplexScript_Lua::tr_ComplexScript_Lua(tr_PartSysImpl_Complex* system) : lua_(luaL_newstate()) {
    if (!lua_)
        return;
    luaL_openlibs(lua_);
    // Kept for scripts that pass it around; the functions do not read it.
    lua_pushlightuserdata(lua_, system);
    lua_setglobal(lua_, "pointer");
    for (int i = 0; i < tr_PartSysImpl_Complex::kPropertyCount; ++i) {
        lua_pushnumber(lua_, i);
        lua_setglobal(lua_, kPropertyNames[i]);
    }
    for (const luaL_Reg& function : kFunctions) {
        lua_pushlightuserdata(lua_, system);
        lua_pushcclosure(lua_, function.func, 1);
        lua_setglobal(lua_, function.name);
    }
}

tr_ComplexScript_Lua::~tr_ComplexScript_Lua() {
    if (lua_)
        lua_close(lua_);
}

void tr_ComplexScript_Lua::SetFrameGlobals(int state, float dt) {
    if (!lua_)
        return;
    lua_pushnumber(lua_, state);
    lua_setglobal(lua_, "ps_state");
    lua_pushnumber(lua_, dt);
    lua_setglobal(lua_, "ps_dt");
}

int tr_ComplexScript_Lua::ReadState() {
    if (!lua_)
        return 0;
    lua_getglobal(lua_, "ps_state");
    int state = 0;
    if (lua_type(lua_, -1) == LUA_TNUMBER)
        state = tr_SLHelper_Lua::RoundHalfEven(lua_tonumber(lua_, -1));
    lua_pop(lua_, 1);
    return state;
}

void tr_ComplexScript_Lua::Run(int id, const std::string& text, const char* chunk_name) {
    if (!lua_ || id < 0 || text.empty())
        return;
    if (static_cast<size_t>(id) >= compiled_.size())
        compiled_.resize(static_cast<size_t>(id) + 1, LUA_NOREF);
    int& compiled = compiled_[static_cast<size_t>(id)];
    if (compiled == LUA_NOREF) {
        const char* name = chunk_name ? chunk_name : text.c_str();
        if (luaL_loadbuffer(lua_, text.data(), text.size(), name) == 0) {
            compiled = luaL_ref(lua_, LUA_REGISTRYINDEX);
        } else {
            lua_pop(lua_, 1);
            compiled = LUA_REFNIL;
        }
    }
    if (compiled == LUA_REFNIL)
        return;
    const int top = lua_gettop(lua_);
    // Setting the hook restarts its count for this run.
    lua_sethook(lua_, StopRunaway, LUA_MASKCOUNT, kMaxInstructions);
    lua_rawgeti(lua_, LUA_REGISTRYINDEX, compiled);
    lua_pcall(lua_, 0, LUA_MULTRET, 0);
    lua_settop(lua_, top);
}

void tr_ComplexScript_Lua::Install() {
    tr_ComplexScript::SetMaker(
        [](tr_PartSysImpl_Complex* system) -> std::unique_ptr<tr_ComplexScript> {
            return std::make_unique<tr_ComplexScript_Lua>(system);
        });
}
