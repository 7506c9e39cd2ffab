// Script functions on scene objects: attributes, tree, intersection, keyframe
// animation, drag-and-drop and mouse-up waiters.
#include "engine/bindings/tr_ScriptApi.h"
#include "engine/core/tr_Log.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/render/tr_DrawState.h"
#include "engine/scene/tr_InputDispatch.h"
#include "engine/scene/tr_Modifier.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_Scene.h"
#include "engine/script/tr_SLHelper_Lua.h"

#include <lua.hpp>

#include <string>
#include <vector>

namespace {

bool RefuseProtected(const char* function, const tr_Object* object) {
    if (!tr_ScriptScene().IsReserved(object)) {
        return false;
    }
    tr_Log("Warning: %s refused for reserved object \"%s\"", function, object->GetName().c_str());
    return true;
}

// Pushes a new table with the raw pairs of the table at index. Reading
// attributes from the copy never runs a metamethod of the script's table,
// so no script error can be raised while object code is on the C++ stack.
void PushPlainCopy(lua_State* L, int index) {
    lua_newtable(L);
    lua_pushnil(L);
    while (lua_next(L, index) != 0) {
        lua_pushvalue(L, -2);
        lua_insert(L, -2);
        lua_rawset(L, -4);
    }
}

int ObjSet(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* object = tr_ScriptFindObject(args, 1);
    if (!object || !args.IsTable(2)) {
        return 0;
    }
    PushPlainCopy(L, 2);
    tr_SLHelper_Lua helper(L);
    object->Load(helper);
    lua_pop(L, 1);
    return 0;
}

int ObjGet(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* object = tr_ScriptFindObject(args, 1);
    lua_newtable(L);
    if (object) {
        tr_SLHelper_Lua helper(L);
        // Scripts read the informational values too ("draw_width", ...).
        helper.SetIncludeInformational(true);
        object->Save(helper);
    }
    return 1;
}

int ObjAttach(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* object = tr_ScriptFindObject(args, 1);
    tr_Object* parent = tr_ScriptFindObject(args, 2);
    if (!object || !parent || RefuseProtected("ObjAttach", object)) {
        return 0;
    }
    tr_ScriptScene().AttachObject(parent, object);
    return 0;
}

int ObjDetach(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* object = tr_ScriptFindObject(args, 1);
    if (!object || RefuseProtected("ObjDetach", object)) {
        return 0;
    }
    tr_Scene& scene = tr_ScriptScene();
    scene.AttachObject(scene.GetStorageRoot(), object);
    return 0;
}

int ObjDelete(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* object = tr_ScriptFindObject(args, 1);
    if (!object || RefuseProtected("ObjDelete", object)) {
        return 0;
    }
    tr_ScriptScene().DeleteObject(object);
    return 0;
}

bool HasInputRect(const tr_Object* object) {
    const tr_Rect& rect = object->GetInputRect();
    return object->IsInputRectDefined() &&
           (rect.x != 0.0f || rect.y != 0.0f || rect.w != 0.0f || rect.h != 0.0f);
}

// Whether a corner of a's input rectangle lies inside b's, both in world space.
bool CornerInside(const tr_Object* a, const tr_Matrix& a_world, const tr_Object* b,
                  const tr_Matrix& b_world) {
    const tr_Rect& r = a->GetInputRect();
    const float corners[4][2] = {
        {r.x, r.y}, {r.x + r.w, r.y}, {r.x, r.y + r.h}, {r.x + r.w, r.y + r.h}};
    for (const auto& corner : corners) {
        float x = corner[0];
        float y = corner[1];
        a_world.TransformPoint(x, y);
        if (tr_Object::QuadContains(b->GetInputRect(), b_world, x, y)) {
            return true;
        }
    }
    return false;
}

int ObjIntersect(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* a = tr_ScriptFindObject(args, 1);
    tr_Object* b = tr_ScriptFindObject(args, 2);
    bool intersect = false;
    // An undefined rectangle collapses to the object's origin, which could
    // still fall inside the other object; it never counts as intersecting.
    if (a && b && HasInputRect(a) && HasInputRect(b)) {
        const tr_Matrix a_world = tr_Object::ComputeWorldTransform(a);
        const tr_Matrix b_world = tr_Object::ComputeWorldTransform(b);
        intersect = CornerInside(a, a_world, b, b_world) || CornerInside(b, b_world, a, a_world);
    }
    lua_pushboolean(L, intersect ? 1 : 0);
    return 1;
}

// The modifier kind and attribute an ObjAnimate / ObjStopAnimate kind
// argument names. Numbers select the built-in kinds 0 to 12 only: an
// attribute animation needs its name, and other numbers index nothing.
bool ReadModifierKind(const tr_ScriptArgs& args, int index, int& kind, std::string& attribute) {
    if (args.IsString(index)) {
        attribute = args.GetText(index);
        kind = tr_Modifier::KindFromName(attribute);
        return true;
    }
    if (args.IsNumber(index)) {
        kind = args.GetFlag(index);
        attribute.clear();
        return kind >= 0 && kind < TR_MOD_ATTRIBUTE;
    }
    return false;
}

// The numbers of the table at index from key 1 up to the first non-number.
std::vector<float> ReadKeyArray(lua_State* L, const tr_ScriptArgs& args, int index) {
    std::vector<float> keys;
    if (!args.IsTable(index)) {
        return keys;
    }
    for (int i = 1;; ++i) {
        lua_rawgeti(L, index, i);
        const bool is_number = lua_type(L, -1) == LUA_TNUMBER;
        if (is_number) {
            keys.push_back(static_cast<float>(lua_tonumber(L, -1)));
        }
        lua_pop(L, 1);
        if (!is_number) {
            break;
        }
    }
    return keys;
}

int ObjAnimate(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* object = tr_ScriptFindObject(args, 1);
    int kind = 0;
    std::string attribute;
    if (!object || !ReadModifierKind(args, 2, kind, attribute)) {
        return 0;
    }
    const bool loop = args.GetFlag(3) != 0;
    const bool relative = args.GetFlag(4) != 0;
    // A single space names no trigger: the end of the animation logs it.
    const std::string end_code = args.IsString(5) ? args.GetText(5) : std::string(" ");
    const std::vector<float> keys = ReadKeyArray(L, args, 6);
    object->AddModifier(kind, attribute, loop, relative, end_code, keys.data(),
                        static_cast<int>(keys.size()));
    return 0;
}

int ObjStopAnimate(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* object = tr_ScriptFindObject(args, 1);
    int kind = 0;
    std::string attribute;
    if (object && ReadModifierKind(args, 2, kind, attribute)) {
        object->RemoveModifier(kind, attribute);
    }
    return 0;
}

int ObjDoNotDrop(lua_State*) {
    tr_ScriptScene().GetInputDispatch().SetKeepDragging();
    return 0;
}

int ObjStopDrag(lua_State*) {
    tr_ScriptScene().GetInputDispatch().Drop();
    return 0;
}

int ObjStartDrag(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_Object* object = tr_ScriptFindObject(args, 1)) {
        tr_ScriptScene().GetInputDispatch().StartDrag(object);
    }
    return 0;
}

int ObjWaitForMouseUp(lua_State* L) {
    tr_ScriptArgs args(L);
    std::string name;
    if (args.GetName(1, name)) {
        tr_ScriptScene().GetInputDispatch().AddMouseUpWaiter(name, args.GetText(2));
    }
    return 0;
}

int ObjGetRelations(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Object* object = tr_ScriptFindObject(args, 1);
    if (!object) {
        lua_newtable(L);
        return 1;
    }
    tr_MediatorDataTable relations;
    const tr_Object* parent = object->GetParent();
    relations.SetString("parent", parent ? parent->GetName() : std::string("null"));
    tr_MediatorDataArray* children = relations.AddArray("childs");
    for (const tr_Object* child : object->GetChildren()) {
        if (!child->IsPendingDelete()) {
            children->AddString(child->GetName());
        }
    }
    relations.PushToLua(L);
    return 1;
}

} // namespace

void tr_RegisterObjectScriptApi(lua_State* L) {
    lua_register(L, "ObjSet", ObjSet);
    lua_register(L, "ObjGet", ObjGet);
    lua_register(L, "ObjAttach", ObjAttach);
    lua_register(L, "ObjDetach", ObjDetach);
    lua_register(L, "ObjDelete", ObjDelete);
    lua_register(L, "ObjIntersect", ObjIntersect);
    lua_register(L, "ObjAnimate", ObjAnimate);
    lua_register(L, "ObjStopAnimate", ObjStopAnimate);
    lua_register(L, "ObjDoNotDrop", ObjDoNotDrop);
    lua_register(L, "ObjStopDrag", ObjStopDrag);
    lua_register(L, "ObjStartDrag", ObjStartDrag);
    lua_register(L, "ObjWaitForMouseUp", ObjWaitForMouseUp);
    lua_register(L, "ObjGetRelations", ObjGetRelations);
}
