// Module files: XML parsing, object creation through the factory, triggers
// and module code. The code runs without the os, io and package libraries
// (a fuzzer must not touch the machine) and under a short time limit.
#include "../FuzzSupport.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_Scene.h"
#include "engine/script/tr_ScriptState.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tr_EngineCore* core = [] {
        tr_EngineCore* made = tr_EngineCore::Get();
        made->GetScript().RunChunk("os, io, package, require, dofile, loadfile, debug = nil",
                                   "fuzz sandbox");
        made->GetScript().GetGuard().SetTimeLimit(0.2);
        return made;
    }();
    FuzzFiles::Write("module.xml", data, size);
    tr_LoadModule(FuzzFiles::Folder() + "/module");
    tr_Object::DeleteChildren(core->GetScene().GetStorageRoot());
    return 0;
}
