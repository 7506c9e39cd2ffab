// tr_EngineServices: fills Tarrow::Services with the engine's real
// subsystems, for the application to install with Tarrow::SetServices
// before Init: the engine core (scene), the resource registry, the cursor,
// the sound hub and the display refresh. The registry and the cursor made
// here are owned by the returned services and deleted by their release
// steps; a registry, cursor or sound hub that already exists is used, not
// replaced.
#pragma once

#include "engine/host/Tarrow.h"

#include <functional>
#include <memory>

class tr_Cursor;

// Makes the cursor for the host. Without one the services pick it: the SDL
// cursor when SDL's video runs (a window host), else the window-less
// tr_Cursor_Headless.
using tr_CursorFactory = std::function<std::unique_ptr<tr_Cursor>()>;

Tarrow::Services tr_MakeEngineServices(tr_CursorFactory make_cursor = nullptr);
