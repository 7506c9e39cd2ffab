// The object-factory types of the level layer: "room" (tp_Room),
// "subroom" (tp_SubRoom) and "textedit" (tp_TextEdit). The application registers them at start-up,
// after the engine's own types; tests call it for themselves.
#pragma once

void tp_RegisterLevelObjectTypes();
