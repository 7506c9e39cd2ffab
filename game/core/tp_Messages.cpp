#include "game/core/tp_Messages.h"

namespace {

#define TP_MESSAGE_ROW(name, number) {#name, number},
const tp_MessageName kScriptMessages[] = {TP_SCRIPT_MESSAGES(TP_MESSAGE_ROW)};
#undef TP_MESSAGE_ROW

} // namespace

const tp_MessageName* tp_GetScriptMessages(size_t* count) {
    if (count) {
        *count = sizeof(kScriptMessages) / sizeof(kScriptMessages[0]);
    }
    return kScriptMessages;
}
