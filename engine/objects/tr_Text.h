// tr_Text: the scene object that shows a block of text (type "text"). Its
// text is a string-table id with up to five parameters (or raw text with
// "disprawtext"); "res" names the font. Whenever something that changes the
// pixels changes, the block is laid out and rasterized into one generated
// texture, which Draw shows as a single quad placed by align / align_v; the
// input rectangle (unless the module defines one) covers the same place. The
// object owns its rendering and holds a share of its font while its
// resources are loaded. The text-edit field derives from it.
#pragma once

#include "engine/render/tr_RenderedText.h"
#include "engine/resources/text/tr_TextStyle.h"
#include "engine/scene/tr_Object.h"

#include <memory>
#include <string>

class tr_Font;

class tr_Text : public tr_Object {
public:
    tr_Text();
    explicit tr_Text(std::string name);
    ~tr_Text() override;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    std::string GetType() const override { return "text"; }
    tr_Rect GetDrawRect() override;
    // Without a module-given input rectangle: the drawn block.
    bool HitTest(float x, float y, const tr_DrawState& state) override;
    std::shared_ptr<tr_Resource> GetResource() override;
    void Refresh(bool recursive) override;
    void ResetDefaults() override;
    void LoadResources() override;
    void UnloadResources() override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;

    // Stores the six values and re-renders when any of them differs.
    virtual void SetText(const std::string& text, const std::string& p0 = std::string(),
                         const std::string& p1 = std::string(),
                         const std::string& p2 = std::string(),
                         const std::string& p3 = std::string(),
                         const std::string& p4 = std::string());
    // The id (or raw text) as stored, not the resolved string.
    virtual std::string GetText() const { return text_; }
    virtual void SetFontSize(int size);
    virtual int GetFontSize() const { return style_.fontsize; }
    virtual void SetMaxWidth(int width);
    virtual int GetMaxWidth() const { return maxwidth_; }
    virtual bool GetDispRawText() const { return disprawtext_; }
    // Takes effect at the next re-render.
    virtual void SetDispRawText(bool raw) { disprawtext_ = raw; }
    virtual int GetAlign() const { return style_.align; }
    // Moves the block (and its input rectangle) at once; lines inside it
    // follow at the next re-render.
    virtual void SetAlign(int align);
    virtual void Rerender();

    const std::string& GetParam(int index) const { return params_[index]; }
    tr_TextStyle& GetStyle() { return style_; }
    const std::shared_ptr<tr_Font>& GetFont() const { return font_; }
    const tr_RenderedText& GetRendered() const { return rendered_; }
    // How many times the block was rasterized (for callers that must know
    // whether a change cost a render).
    int GetRenderCount() const { return render_count_; }

protected:
    std::shared_ptr<tr_Font> font_;
    tr_RenderedText rendered_;
    int maxwidth_ = -1;
    bool disprawtext_ = false;
    tr_TextStyle style_;
    std::string text_;
    std::string params_[5];

private:
    // The rendering's rectangle moved to where Draw puts it for align and
    // align_v.
    tr_Rect PlacedRect() const;
    void PlaceInputRect();

    int render_count_ = 0;
};
