// tr_LoadModule: loads a module file into the running engine core. path uses
// either separator and has no extension (".xml" is appended). The module's
// objects are parked under the storage root (resources unloaded), its
// triggers handed to the trigger registry (names already taken keep their
// old trigger), and its code run once with the file name as chunk name.
// A malformed file logs the parse error and applies nothing; a missing file
// and failing module code log a warning. Objects named like a scene root are
// dropped (with a warning) so they never stand in for the root in lookups.
// Needs the engine core (tr_EngineCore::Get()).
#pragma once

#include <string>

// True when the file was found and parsed (the module was applied).
bool tr_LoadModule(const std::string& path);
// Reads and parses the module file as tr_LoadModule does, with the same log
// lines when that fails, and applies nothing: true when loading it would.
bool tr_ModuleParses(const std::string& path);
