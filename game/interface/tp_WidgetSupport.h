// tp_WidgetSupport: the scene and message services the built-in widgets
// share. Scene objects are looked up by name the way scripts name them, but
// never a root or an object the engine or the game owns (reserved names): a
// widget must not move, hide or delete what its owner still points at. None
// of these functions keeps what it is given.
#pragma once

#include <string>

class tr_MediatorData;
class tr_MediatorDataArray;
class tr_MediatorDataTable;
class tr_Object;

// The scene object of that name, or null for an empty or reserved name.
tr_Object* tp_FindSceneObject(const std::string& name);
// Deletes object, unless it is keeper or holds keeper (a widget never
// deletes itself or its ancestors from inside its own handler).
void tp_DeleteSceneObject(tr_Object* object, const tr_Object* keeper);
// Attaches object to the storage root, taking it off the screen.
void tp_ParkInStorage(tr_Object* object);

// The world position of object in the space of space (its world transform
// undone). A space scaled to nothing has no inverse; its positions then
// read as world positions instead of infinities.
void tp_PositionInSpaceOf(tr_Object* object, tr_Object* space, float& x, float& y);

// Asks the level (message 16) whether it is still loading; false when no
// level answers.
bool tp_IsLevelLoading();
// Ends the running transporter flight of a type (message 152).
void tp_FinishTransfer(int type);

// The array under key. Lua turns an empty table into an empty message
// table, so an empty table counts as an empty array; out receives a pointer
// into data. False (logged as a missing key) when there is neither.
bool tp_ReadArray(const tr_MediatorDataTable& data, const std::string& key,
                  const tr_MediatorDataArray*& out);
// The same for an array element (a hint group of a task, for example).
const tr_MediatorDataArray* tp_AsArray(const tr_MediatorData* value);
