#include "engine/resources/media/tr_SoundHub.h"

#include "engine/core/tr_Backends.h"
#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"

namespace {

tr_SoundHub* g_sound_hub = nullptr;

} // namespace

tr_SoundHub* tr_SoundHub::Get() {
    return g_sound_hub;
}

tr_SoundHub* tr_SoundHub::GetOrCreate() {
    if (!g_sound_hub) {
        g_sound_hub = new tr_SoundHub();
    }
    return g_sound_hub;
}

void tr_SoundHub::Destroy() {
    if (!g_sound_hub) {
        return;
    }
    g_sound_hub->StopAll();
    delete g_sound_hub;
    g_sound_hub = nullptr;
}

tr_SoundHub::tr_SoundHub(std::unique_ptr<tr_AudioBackend> output) : backend(std::move(output)) {
    if (!backend) {
        backend = tr_Backends::MakeAudio("null");
    }
}

tr_SoundHub::~tr_SoundHub() {
    // Sounds free their streams on the back end, so they go first.
    sounds.clear();
    backend.reset();
}

void tr_SoundHub::InitOutput(std::unique_ptr<tr_AudioBackend> output) {
    StopAll();
    backend = output ? std::move(output) : tr_Backends::MakeAudio("null");
}

void tr_SoundHub::Play(const std::string& name, const std::string& category, bool loop, bool keep,
                       float fade_in_seconds) {
    if (name.empty()) {
        return;
    }
    const std::string file = name + ".ogg";
    if (!tr_ContentPath::Exists(file)) {
        tr_Log("Error:: sound could not find \"%s\" file!", name.c_str());
        return;
    }
    auto sound = std::make_unique<tr_Sound>(backend.get(), name, category, keep);
    sound->SetVolume(GetCategoryVolume(category));
    sound->Start(tr_ContentPath::Resolve(file).c_str(), loop, fade_in_seconds);
    sounds.push_back(std::move(sound));
}

void tr_SoundHub::FadeOutByName(const std::string& name, float seconds) {
    for (auto& sound : sounds) {
        if (sound->GetName() == name) {
            sound->FadeOut(seconds);
        }
    }
}

void tr_SoundHub::SetCategoryVolume(const std::string& category, float v) {
    bool found = false;
    for (auto& entry : categories) {
        if (entry.first == category) {
            entry.second = v;
            found = true;
            break;
        }
    }
    if (!found) {
        categories.emplace_back(category, v);
    }
    for (auto& sound : sounds) {
        if (sound->GetCategory() == category) {
            sound->SetVolume(v);
        }
    }
}

float tr_SoundHub::GetCategoryVolume(const std::string& category) {
    for (const auto& entry : categories) {
        if (entry.first == category) {
            return entry.second;
        }
    }
    categories.emplace_back(category, 1.0f);
    return 1.0f;
}

void tr_SoundHub::StopCategory(const std::string& category) {
    for (auto& sound : sounds) {
        if (sound->GetCategory() == category) {
            sound->FadeOut(0.0f);
        }
    }
}

void tr_SoundHub::FadeOutAll(float seconds) {
    for (auto& sound : sounds) {
        sound->FadeOut(seconds);
    }
}

void tr_SoundHub::SetPausedByName(const std::string& name, bool paused) {
    for (auto& sound : sounds) {
        if (sound->GetName() == name) {
            sound->SetPaused(paused);
            return;
        }
    }
}

void tr_SoundHub::SetPausedAll(bool paused) {
    for (auto& sound : sounds) {
        sound->SetPaused(paused);
    }
    if (paused) {
        return;
    }
    for (const auto& entry : categories) {
        for (auto& sound : sounds) {
            if (sound->GetCategory() == entry.first) {
                sound->SetVolume(entry.second);
            }
        }
    }
}

void tr_SoundHub::Update(const tr_FrameInfo* info) {
    for (size_t i = 0; i < sounds.size();) {
        sounds[i]->Update(info);
        if (sounds[i]->GetState() == tr_Sound::STATE_FINISHED) {
            sounds.erase(sounds.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

bool tr_SoundHub::IsPlaying(const std::string& name) const {
    for (const auto& sound : sounds) {
        if (sound->GetName() == name && sound->GetState() == tr_Sound::STATE_PLAYING) {
            return true;
        }
    }
    return false;
}

void tr_SoundHub::StopAll() {
    FadeOutAll(0.0f);
    sounds.clear();
}

const tr_Sound* tr_SoundHub::FindSound(const std::string& name) const {
    for (const auto& sound : sounds) {
        if (sound->GetName() == name) {
            return sound.get();
        }
    }
    return nullptr;
}
