#include "engine/render/tr_IndexList.h"

void tr_IndexList::AddIndex(uint16_t index) {
    Append(index);
}
