// tr_InputFocus: the process-wide hovered and dragged objects. Both are weak
// references: destroying the object clears them (the object's destructor
// queues the hovered object's leave event first). A dragged object is drawn
// at its drag position.
#pragma once

#include "engine/scene/tr_ObjectRef.h"

class tr_InputFocus {
public:
    static tr_ObjectRef& Hovered();
    static tr_ObjectRef& Dragged();
};
