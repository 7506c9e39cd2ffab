#include "engine/scene/tr_TimerObj.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/script/tr_CallQueue.h"

namespace {

// Counting a float down by float frame steps leaves rounding crumbs: one
// second at 1/60 s per frame ends 1e-7 above 0 and would fire a frame late.
// Anything below a tenth of a millisecond counts as run out.
constexpr float kRunOut = 1e-4f;

} // namespace

tr_TimerObj::tr_TimerObj() {
    ResetDefaults();
}

tr_TimerObj::tr_TimerObj(std::string name) : tr_Object(std::move(name)) {
    ResetDefaults();
}

void tr_TimerObj::ResetDefaults() {
    tr_Object::ResetDefaults();
    time_ = 0.0;
    infinite_ = false;
    playing_ = false;
    end_trigger_.clear();
}

void tr_TimerObj::Load(tr_SLHelper& helper) {
    tr_Object::Load(helper);
    helper.ReadBool("infinite", infinite_);
    helper.ReadString("endtrig", end_trigger_);
    helper.ReadBool("playing", playing_);
    float time = GetTime();
    helper.ReadFloat("time", time);
    time_ = time;
}

void tr_TimerObj::Save(tr_SLHelper& helper) {
    tr_Object::Save(helper);
    helper.WriteBool("infinite", infinite_);
    helper.WriteString("endtrig", end_trigger_);
    helper.WriteBool("playing", playing_);
    helper.WriteFloat("time", GetTime());
}

void tr_TimerObj::Update(const tr_FrameInfo& frame) {
    tr_Object::Update(frame);
    if (!playing_)
        return;
    if (infinite_) {
        time_ += frame.dt;
        return;
    }
    time_ -= frame.dt;
    if (time_ > kRunOut)
        return;
    time_ = 0.0;
    playing_ = false;
    tr_QueueObjectCall(name_, end_trigger_);
}
