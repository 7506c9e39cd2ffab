#include "engine/scene/tr_InputFocus.h"

// Never freed: objects destroyed during static destruction may still ask.
tr_ObjectRef& tr_InputFocus::Hovered() {
    static tr_ObjectRef* hovered = new tr_ObjectRef;
    return *hovered;
}

tr_ObjectRef& tr_InputFocus::Dragged() {
    static tr_ObjectRef* dragged = new tr_ObjectRef;
    return *dragged;
}
