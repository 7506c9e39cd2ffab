// The game's configuration file.
#include "game/core/tp_Config.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tp_Config config;
    config.LoadFromText(std::string(reinterpret_cast<const char*>(data), size), "fuzz");
    config.WindowTitleKey();
    return 0;
}
