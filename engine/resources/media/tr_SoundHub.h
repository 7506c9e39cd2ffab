// tr_SoundHub: the process-wide owner of every playing sound. Sounds are
// fire-and-forget: Play starts one by file name and category, Update (once per
// frame) advances fades and deletes finished sounds, and every later call
// addresses sounds by name or by category. A category is a name with one
// volume, created at volume 1 on first mention.
//
// Lifetime: GetOrCreate() makes the hub on first use (the engine at start-up or
// the first script call); Destroy() stops every sound and deletes it at
// shutdown. The hub starts on the null audio back end; the platform host
// installs its real output once with InitOutput (the SDL host passes
// tr_AudioBackend_SDL::Create()). The focus handling calls PauseAll / ResumeAll.
// Main thread only.
#pragma once

#include "engine/resources/media/tr_AudioBackend.h"
#include "engine/resources/media/tr_Sound.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct tr_FrameInfo;

class tr_SoundHub {
public:
    // The process-wide hub, or null before it was created.
    static tr_SoundHub* Get();
    static tr_SoundHub* GetOrCreate();
    // StopAll, then deletes the process-wide hub.
    static void Destroy();

    // A hub without a back end plays through the null back end.
    explicit tr_SoundHub(std::unique_ptr<tr_AudioBackend> backend = nullptr);
    tr_SoundHub(const tr_SoundHub&) = delete;
    tr_SoundHub& operator=(const tr_SoundHub&) = delete;
    virtual ~tr_SoundHub();

    // Replaces the audio output; sounds playing on the old one are stopped first.
    void InitOutput(std::unique_ptr<tr_AudioBackend> backend);
    // True when no output device could be opened (script's IsNoSoundDevice).
    bool IsNoSoundDevice() const { return !backend->HasDevice(); }

    // Plays name + ".ogg" from the content tree into category.
    virtual void Play(const std::string& name, const std::string& category, bool loop, bool keep,
                      float fade_in_seconds);
    virtual void FadeOutByName(const std::string& name, float seconds);
    virtual void SetCategoryVolume(const std::string& category, float v);
    virtual float GetCategoryVolume(const std::string& category);
    virtual void StopCategory(const std::string& category);
    virtual void FadeOutAll(float seconds);
    virtual void SetPausedByName(const std::string& name, bool paused);
    // Resuming re-applies every category's volume to its sounds, so an
    // interrupted fade ends at the category volume.
    virtual void SetPausedAll(bool paused);
    virtual void Update(const tr_FrameInfo* info);
    // True when a sound of that name is fully faded in (state playing).
    virtual bool IsPlaying(const std::string& name) const;
    // Finishes and deletes every sound at once.
    virtual void StopAll();

    void PauseAll() { SetPausedAll(true); }
    void ResumeAll() { SetPausedAll(false); }

    int CountSounds() const { return static_cast<int>(sounds.size()); }
    // The first sound with that name, or null (for diagnostics and tests).
    const tr_Sound* FindSound(const std::string& name) const;

private:
    std::unique_ptr<tr_AudioBackend> backend;
    std::vector<std::pair<std::string, float>> categories;
    std::vector<std::unique_ptr<tr_Sound>> sounds;
};
