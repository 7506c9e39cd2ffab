// The user's settings file, read and written back.
#include "game/core/tp_Config.h"
#include "game/core/tp_Settings.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const tp_Config config;
    tp_Settings settings(config);
    if (settings.ReadXml(std::string(reinterpret_cast<const char*>(data), size)))
        settings.ToXml();
    return 0;
}
