// The object-factory types of the level layer: "room" (tp_Room),
// "subroom" (tp_SubRoom), the text edit field "textedit" (tp_TextEdit) and
// the particle systems "partsys_gm" (tp_ParticleSystemGm) and "partsys_pm"
// (tp_ParticleSystemPm). The application registers them at start-up,
// after the engine's own types; tests call it for themselves.
#pragma once

void tp_RegisterLevelObjectTypes();
