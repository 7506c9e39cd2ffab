// tr_EngineServices: fills Tarrow::Services with the engine's real
// subsystems, for the application to install with Tarrow::SetServices
// before Init: the engine core (scene), the resource registry, the sound hub
// and the display refresh. The registry made here is owned by the returned
// services and deleted by their release step; a registry or sound hub that
// already exists is used, not replaced. The cursor entries stay empty until
// the cursor exists.
#pragma once

#include "engine/core/Tarrow.h"

Tarrow::Services tr_MakeEngineServices();
