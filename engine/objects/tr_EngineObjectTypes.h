// tr_RegisterEngineObjectTypes: puts the engine's built-in scene types into
// an object factory under their content names, in the engine's fixed order.
// tr_ObjectFactory::Get() calls it when it makes the process's factory.
#pragma once

class tr_ObjectFactory;

void tr_RegisterEngineObjectTypes(tr_ObjectFactory& factory);
