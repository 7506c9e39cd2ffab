// tr_InputFocus: the process-wide hovered and dragged objects, plus the drag
// position bookkeeping objects consult while drawing. Both are weak
// references: destroying the object clears them (the object's destructor
// also queues the hovered object's leave event first).
#pragma once

#include "engine/scene/tr_ObjectRef.h"

class tr_InputFocus {
public:
    static tr_ObjectRef& Hovered();
    static tr_ObjectRef& Dragged();
};
