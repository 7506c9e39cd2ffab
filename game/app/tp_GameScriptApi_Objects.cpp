// Script functions about objects in design space and free-form messages:
// whether a dropped item landed on a target of the room on show, positions
// relative to another object or to the design space, the cursor in design
// units, and SendMessage, which carries a script table to every listener of
// a message number and brings their replies back.
#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ScriptApi.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/objects/tr_Cursor.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_Scene.h"
#include "game/app/tp_DisplayMode.h"
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/app/tp_Layout.h"
#include "game/core/tp_Messages.h"

#include <lua.hpp>

#include <string>
#include <vector>

namespace {

// The "matrix" reply: sixteen numbers in row-major order, the form a script
// sending AppGetMatrix gets too.
bool ReadMatrixReply(const tr_MediatorDataTable& data, tr_Matrix& matrix) {
    tr_MediatorData* value = data.Find("matrix");
    if (!value) {
        return false;
    }
    const tr_MediatorDataArray* numbers = value->AsArray();
    if (!numbers || numbers->Count() != 16) {
        return false;
    }
    tr_Matrix read;
    for (int i = 0; i < 16; ++i) {
        const tr_MediatorData* element = numbers->Get(i);
        if (!element || (element->GetType() != tr_MediatorData::TYPE_INT &&
                         element->GetType() != tr_MediatorData::TYPE_FLOAT)) {
            return false;
        }
        read[i] = element->GetFloat();
    }
    matrix = read;
    return true;
}

// The application's transform from design units to pixels, asked of the
// application with AppGetMatrix. Without an answer it is the placement the
// current display mode gives the application.
tr_Matrix AppMatrix() {
    tr_MediatorDataTable data;
    tp_ScriptSend(AppGetMatrix, data);
    tr_Matrix matrix;
    if (!ReadMatrixReply(data, matrix)) {
        matrix = tp_Layout::Transform(tp_DisplayMode::GetCurrent());
    }
    return matrix;
}

// Pushes {[1] = x, [2] = y}.
void PushPoint(lua_State* L, float x, float y) {
    lua_createtable(L, 2, 0);
    lua_pushnumber(L, static_cast<lua_Number>(x));
    lua_rawseti(L, -2, 1);
    lua_pushnumber(L, static_cast<lua_Number>(y));
    lua_rawseti(L, -2, 2);
}

// The engine's ObjIntersect test on two objects, run through the function
// captured as ApplyObj's upvalue when the game's functions were registered
// (so content redefining the global later changes nothing). False when the
// engine's function was not there.
bool InputRectsOverlap(lua_State* L, const tr_Object* a, const tr_Object* b) {
    lua_pushvalue(L, lua_upvalueindex(1));
    if (!lua_isfunction(L, -1)) {
        lua_pop(L, 1);
        return false;
    }
    lua_pushlstring(L, a->GetName().data(), a->GetName().size());
    lua_pushlstring(L, b->GetName().data(), b->GetName().size());
    if (lua_pcall(L, 2, 1, 0) != 0) {
        lua_pop(L, 1);
        return false;
    }
    const bool overlap = lua_toboolean(L, -1) != 0;
    lua_pop(L, 1);
    return overlap;
}

// Whether the level holding room (its grandparent: the room sits in the
// level's inner layer) takes input now.
bool LevelAcceptsInput(const tr_Object* room) {
    const tr_Object* layer = room->GetParent();
    const tr_Object* level = layer ? layer->GetParent() : nullptr;
    return level && level->IsInputEnabled();
}

// ApplyObj(object, target): true when the target belongs to the room on
// show (is the room or lies inside it), the level takes input, and the two
// input rectangles overlap.
int ApplyObj(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* object = tr_ScriptFindObject(args, 1);
    tr_Object* target = tr_ScriptFindObject(args, 2);
    tr_Object* room = tp_ScriptCurrentRoom();
    bool applies = false;
    if (object && target && room && LevelAcceptsInput(room)) {
        const bool in_room =
            target == room || tr_Object::FindChild(room, target->GetName(), true) != nullptr;
        applies = in_room && InputRectsOverlap(L, object, target);
    }
    lua_pushboolean(L, applies ? 1 : 0);
    return 1;
}

// GetObjPosByObj(object, reference): the object's position in the space of
// the reference object, in design units when no reference is named, or in
// pixels when the named reference does not exist. Nothing when the object
// does not exist or the reference space collapses (a zero scale).
int GetObjPosByObj(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* object = tr_ScriptFindObject(args, 1);
    if (!object) {
        return 0;
    }
    const std::string reference_name = args.GetText(2);
    tr_Matrix reference;
    if (reference_name.empty()) {
        reference = AppMatrix();
    } else if (tr_Object* named = tr_EngineCore::Get()->GetScene().FindObject(reference_name)) {
        reference = tr_Object::ComputeWorldTransform(named);
    }
    tr_Matrix inverse;
    if (!reference.Inverse2D(inverse)) {
        return 0;
    }
    const tr_Matrix relative = tr_Object::ComputeWorldTransform(object) * inverse;
    PushPoint(L, relative[12], relative[13]);
    return 1;
}

// GetGameCursorPos(): the cursor in design units ({[1] = x, [2] = y}); in
// pixels when the application's transform cannot be inverted.
int GetGameCursorPos(lua_State* L) {
    const tr_Cursor* cursor = tr_Cursor::Get();
    const float x = cursor ? cursor->GetX() : 0.0f;
    const float y = cursor ? cursor->GetY() : 0.0f;
    tr_Matrix position = tr_Matrix::Translation(x, y);
    tr_Matrix inverse;
    if (AppMatrix().Inverse2D(inverse)) {
        position = position * inverse;
    }
    PushPoint(L, position[12], position[13]);
    return 1;
}

// SendMessage(number, data): the table as the listeners left it.
int SendMessage(lua_State* L) {
    tr_ScriptArgs args(L);
    const int id = args.GetFlag(1);
    tr_MediatorDataTable data;
    if (args.IsTable(2)) {
        lua_pushvalue(L, 2);
        data.FromLua(L);
        lua_pop(L, 1);
    }
    tp_ScriptSend(id, data);
    data.PushToLua(L);
    return 1;
}

} // namespace

void tp_RegisterObjectScriptApi(lua_State* L) {
    lua_getglobal(L, "ObjIntersect");
    lua_pushcclosure(L, ApplyObj, 1);
    lua_setglobal(L, "ApplyObj");
    lua_register(L, "GetObjPosByObj", GetObjPosByObj);
    lua_register(L, "GetGameCursorPos", GetGameCursorPos);
    lua_register(L, "SendMessage", SendMessage);
}
