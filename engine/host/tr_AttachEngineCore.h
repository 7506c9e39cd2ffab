// tr_AttachEngineCore: plugs the engine core (scene, trigger queue, script
// state) into an engine object's frame loop: every update, input event and
// drawn frame goes to the core while it exists, and to nothing before Init
// made it or after Release ended it. The game and the engine-only mode
// (tarrow --module) both attach the core this way; the game then adds its
// own init, shutdown, activation and full-screen hooks.
//
// Replaces the engine's update, input and draw hooks; owns nothing.
#pragma once

class Tarrow;

void tr_AttachEngineCore(Tarrow& engine);
