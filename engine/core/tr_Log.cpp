#include "engine/core/tr_Log.h"

#include "engine/core/tr_EngineMessages.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/core/tr_Utf8.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

constexpr size_t kLogBufferSize = 16384;

// A truncated line may end inside a UTF-8 sequence; drop the partial
// character so the log file stays valid UTF-8.
size_t TrimPartialUtf8(const char* text, size_t length) {
    size_t start = length;
    while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80 &&
           length - start < 3) {
        --start;
    }
    if (start == 0) {
        return length;
    }
    const size_t needed = tr_Utf8::SequenceLength(static_cast<unsigned char>(text[start - 1]));
    const size_t have = length - start + 1;
    return needed > 1 && have < needed ? start - 1 : length;
}

} // namespace

void tr_Log(const char* format, ...) {
    // One buffer for the life of the process; formatting is bounded, so an
    // over-long line is cut rather than overflowing it.
    static char* buffer = new char[kLogBufferSize];

    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer, kLogBufferSize, format, args);
    va_end(args);
    if (written < 0) {
        return;
    }
    size_t length = static_cast<size_t>(written);
    if (length >= kLogBufferSize) {
        length = TrimPartialUtf8(buffer, kLogBufferSize - 1);
    }
    // Listeners may log themselves (a failed append does), which reuses the
    // buffer; keep this line's own copy for the rest of the call.
    std::string line(buffer, length);

    if (tr_Mediator* mediator = tr_Mediator::Get()) {
        tr_MediatorDataTable data;
        data.SetString("message", line);
        mediator->Send(TR_MSG_LOG, data);
    }
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}
