#include "tools/modcheck/ResourceProbe.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Backends.h"
#include "engine/core/tr_EngineMessages.h"
#include "engine/core/tr_MediatorData.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/core/tr_SLHelper_XML.h"
#include "engine/host/Tarrow.h"
#include "engine/host/tr_AttachEngineCore.h"
#include "engine/host/tr_EngineServices.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/scene/tr_Object.h"

#include <tinyxml2.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

ResourceProbe::ResourceProbe() {
    mediator_.Subscribe(TR_MSG_LOG, this);
    Silence();
    engine_ = tr_Backends::MakeHost("headless");
    engine_->SetServices(tr_MakeEngineServices());
    tr_AttachEngineCore(*engine_);
    engine_->SetCompanyName("Brightfold");
    engine_->SetGameName("modcheck");
    engine_->Init(0, 0, 1024, 768, false, "modcheck");
    Restore();
}

ResourceProbe::~ResourceProbe() {
    Silence();
    engine_->Release();
    engine_.reset();
    Restore();
}

std::vector<std::string> ResourceProbe::LoadObject(const tinyxml2::XMLElement* element) {
    caught_.clear();
    tr_EngineCore* core = tr_EngineCore::GetIfCreated();
    const char* name = element->Attribute("name");
    tr_Object* object = tr_ObjectFactory::Get().CreateObject(element->Name(), name ? name : "");
    if (!core || !object) {
        delete object;
        return caught_;
    }
    Silence();
    tr_SLHelper_XML helper(const_cast<tinyxml2::XMLElement*>(element));
    object->Load(helper);
    tr_Object* root = core->GetScene().GetDisplayRoot();
    tr_Object::Attach(root, object);
    tr_Object::RemoveChild(root, object, false);
    delete object;
    Restore();
    return caught_;
}

void ResourceProbe::OnMessage(int, tr_MediatorDataTable& data) {
    const tr_MediatorData* message = data.Find("message");
    if (!message)
        return;
    const std::string line = message->GetString();
    if (line.compare(0, 7, "Error: ") == 0 || line.compare(0, 9, "Warning: ") == 0)
        caught_.push_back(line);
}

void ResourceProbe::Silence() {
    std::fflush(stdout);
    saved_stdout_ = dup(STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        close(null);
    }
}

void ResourceProbe::Restore() {
    std::fflush(stdout);
    if (saved_stdout_ >= 0) {
        dup2(saved_stdout_, STDOUT_FILENO);
        close(saved_stdout_);
        saved_stdout_ = -1;
    }
}
