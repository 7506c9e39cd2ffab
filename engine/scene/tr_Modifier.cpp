#include "engine/scene/tr_Modifier.h"

namespace {

struct NamedKind {
    const char* name;
    int kind;
};

const NamedKind kNamedKinds[] = {
    {"pos_x", TR_MOD_POS_X},     {"pos_y", TR_MOD_POS_Y},     {"pos_xy", TR_MOD_POS_XY},
    {"scale_x", TR_MOD_SCALE_X}, {"scale_y", TR_MOD_SCALE_Y}, {"scale_xy", TR_MOD_SCALE_XY},
    {"ang", TR_MOD_ANGLE},       {"alp", TR_MOD_ALPHA},       {"color_r", TR_MOD_RED},
    {"color_g", TR_MOD_GREEN},   {"color_b", TR_MOD_BLUE},    {"color_rgb", TR_MOD_RGB},
};

} // namespace

int tr_Modifier::KindFromName(const std::string& name) {
    for (const NamedKind& named : kNamedKinds)
        if (name == named.name)
            return named.kind;
    return TR_MOD_ATTRIBUTE;
}

int tr_Modifier::Components(int kind) {
    switch (kind) {
    case TR_MOD_POS_XY:
    case TR_MOD_SCALE_XY:
        return 2;
    case TR_MOD_RGB:
        return 3;
    default:
        return (kind >= 0 && kind < TR_MOD_KIND_COUNT) ? 1 : 0;
    }
}
