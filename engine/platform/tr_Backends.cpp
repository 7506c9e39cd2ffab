// The back-end table: every kind's names and the factories behind them.
#include "engine/core/tr_Backends.h"

#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/platform/headless/Tarrow_Headless.h"
#include "engine/platform/headless/tr_AudioBackend_Null.h"
#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/platform/headless/tr_RenderDevice_Null.h"
#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/platform/posix/tr_FileManager_Posix.h"
#include "engine/platform/sdl/tr_AudioBackend_SDL.h"
#include "engine/platform/sdl/tr_Cursor_SDL.h"

#include <functional>
#include <utility>

namespace {

template <class T> using Table = std::pair<const char*, std::function<std::unique_ptr<T>()>>;

const Table<tr_AudioBackend> kAudio[] = {
    {"sdl", [] { return tr_AudioBackend_SDL::Create(); }},
    {"null", [] { return std::make_unique<tr_AudioBackend_Null>(); }},
};

const Table<tr_Cursor> kCursors[] = {
    {"sdl", [] { return tr_Cursor_SDL::CreateIfVideoRuns(); }},
    {"headless", [] { return std::make_unique<tr_Cursor_Headless>(); }},
};

const Table<tr_FileManager> kFileManagers[] = {
    {"posix", [] { return std::make_unique<tr_FileManager_Posix>(); }},
};

const Table<Tarrow> kHosts[] = {
    {"headless", [] { return std::make_unique<Tarrow_Headless>(); }},
};

const Table<tr_Render> kRenderers[] = {
    {"gl", [] { return std::make_unique<tr_Render_GL>(); }},
    {"null", [] { return std::make_unique<tr_Render_Null>(); }},
};

const Table<tr_RenderDevice> kRenderDevices[] = {
    {"null", [] { return std::make_unique<tr_RenderDevice_Null>(); }},
};

template <class T, size_t N>
std::unique_ptr<T> Make(const Table<T> (&table)[N], const std::string& name) {
    for (const Table<T>& entry : table) {
        if (name == entry.first) {
            return entry.second();
        }
    }
    return nullptr;
}

} // namespace

namespace tr_Backends {

std::unique_ptr<tr_AudioBackend> MakeAudio(const std::string& name) {
    return Make(kAudio, name);
}

std::unique_ptr<tr_Cursor> MakeCursor(const std::string& name) {
    return Make(kCursors, name);
}

std::unique_ptr<tr_FileManager> MakeFileManager(const std::string& name) {
    return Make(kFileManagers, name);
}

std::unique_ptr<Tarrow> MakeHost(const std::string& name) {
    return Make(kHosts, name);
}

std::unique_ptr<tr_Render> MakeRenderer(const std::string& name) {
    return Make(kRenderers, name);
}

std::unique_ptr<tr_RenderDevice> MakeRenderDevice(const std::string& name) {
    return Make(kRenderDevices, name);
}

} // namespace tr_Backends
