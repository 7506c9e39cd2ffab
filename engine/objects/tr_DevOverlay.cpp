#include "engine/objects/tr_DevOverlay.h"

#include "engine/core/tr_EngineMessages.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorData.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_Texture.h"

namespace {

constexpr float kMargin = 8.0f;
constexpr float kPadding = 6.0f;
constexpr int kFontSize = 15;
constexpr float kShade = 0.78f;
// Above anything content places under the display root.
constexpr float kOverlayZ = 1.0e6f;

} // namespace

tr_DevOverlay::tr_DevOverlay(const std::string& font) : tr_Text(kObjectName) {
    SetRes(font);
    SetDispRawText(true);
    SetFontSize(kFontSize);
    tr_TextStyle& style = GetStyle();
    style.align = 0;
    style.align_v = 0;
    style.fontcolor_r = 1.0f;
    style.fontcolor_g = 0.82f;
    style.fontcolor_b = 0.55f;
    SetPosition(kMargin + kPadding, kMargin + kPadding);
    SetPosZ(kOverlayZ);
    SetInputEnabled(false);
    SetVisible(false);
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Subscribe(TR_MSG_LOG, this);
}

tr_DevOverlay::~tr_DevOverlay() {
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Unsubscribe(this);
}

bool tr_DevOverlay::IsShown(const std::string& line) {
    return line.compare(0, 5, "Error") == 0 || line.compare(0, 7, "Warning") == 0;
}

void tr_DevOverlay::OnMessage(int id, tr_MediatorDataTable& data) {
    if (id != TR_MSG_LOG || laying_out_)
        return;
    if (const tr_MediatorData* message = data.Find("message"))
        Add(message->GetString());
}

void tr_DevOverlay::Add(std::string line) {
    if (!IsShown(line))
        return;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    if (line.size() > kMaxLineLength)
        line = line.substr(0, kMaxLineLength - 3) + "...";
    if (!entries_.empty() && entries_.back().text == line) {
        ++entries_.back().count;
    } else {
        entries_.push_back(Entry{line, 1});
        if (entries_.size() > kMaxLines)
            entries_.erase(entries_.begin());
    }
    dirty_ = true;
}

std::vector<std::string> tr_DevOverlay::GetLines() const {
    std::vector<std::string> lines;
    for (const Entry& entry : entries_) {
        lines.push_back(entry.count > 1
                            ? entry.text + " (" + std::to_string(entry.count) + " times)"
                            : entry.text);
    }
    return lines;
}

void tr_DevOverlay::Clear() {
    entries_.clear();
    dirty_ = true;
}

void tr_DevOverlay::Update(const tr_FrameInfo& frame) {
    tr_Text::Update(frame);
    if (!dirty_)
        return;
    dirty_ = false;
    std::string text;
    for (const std::string& line : GetLines())
        text += (text.empty() ? "" : "\n") + line;
    laying_out_ = true;
    if (const tr_Render* render = tr_Render::Current()) {
        const float width = render->GetScreenWidth() - 2.0f * (kMargin + kPadding);
        if (width > 0.0f)
            SetMaxWidth(static_cast<int>(width));
    }
    SetText(text);
    laying_out_ = false;
    SetVisible(!entries_.empty());
}

void tr_DevOverlay::Draw(tr_Render* render, const tr_DrawState& state) {
    if (!render || GetRendered().IsEmpty())
        return;
    const std::shared_ptr<tr_Texture>& black = render->GetBlackTexture();
    if (black && black->GetWidth() > 0.0f && black->GetHeight() > 0.0f) {
        const tr_Rect rect = GetRendered().texture->GetRect(tr_DrawState());
        const float width = render->GetScreenWidth() - 2.0f * kMargin;
        const float height = rect.h + 2.0f * kPadding;
        tr_DrawState shade;
        shade.alpha = kShade;
        shade.transform = tr_MakeTransform(kMargin + width * 0.5f, kMargin + height * 0.5f, 0.0f,
                                           width / black->GetWidth(), height / black->GetHeight());
        render->DrawQuad(black, shade);
    }
    tr_Text::Draw(render, state);
}
