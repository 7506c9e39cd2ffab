// tr_Modifier: one keyframe animation of an object attribute (position,
// scale, angle, colour, or any float attribute by name), owned by the object
// it animates. The kind table fixes how many values each key carries.
#pragma once

#include "engine/scene/tr_AnimCurve.h"

#include <memory>
#include <string>

enum tr_ModifierKind : int {
    TR_MOD_POS_X = 0,
    TR_MOD_POS_Y = 1,
    TR_MOD_NONE = 2, // accepted, changes nothing
    TR_MOD_POS_XY = 3,
    TR_MOD_SCALE_X = 4,
    TR_MOD_SCALE_Y = 5,
    TR_MOD_SCALE_XY = 6,
    TR_MOD_ANGLE = 7,
    TR_MOD_ALPHA = 8,
    TR_MOD_RED = 9,
    TR_MOD_GREEN = 10,
    TR_MOD_BLUE = 11,
    TR_MOD_RGB = 12,
    TR_MOD_ATTRIBUTE = 13, // any float attribute, named by the record
    TR_MOD_KIND_COUNT = 14,
};

struct tr_Modifier {
    int kind = TR_MOD_NONE;
    std::string attribute; // TR_MOD_ATTRIBUTE only
    std::string end_code;
    bool relative = false;
    std::unique_ptr<tr_AnimCurve> curve;

    // Kind for an animation name: the named kinds, else TR_MOD_ATTRIBUTE.
    static int KindFromName(const std::string& name);
    // Components of a kind (1 to 3); 0 for a kind outside the table.
    static int Components(int kind);
    // Floats per key of a kind: time, easing and the components.
    static int ValuesPerKey(int kind) { return Components(kind) ? Components(kind) + 2 : 0; }
};
