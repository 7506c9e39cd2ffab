// Shared pieces of the application and start-up tests: a scratch working
// folder (with the user folder under it through XDG_DATA_HOME), a headless
// engine that records its Init and SetDisplayMode calls and can refuse them,
// a mediator listener that records what it hears, and the display seam set
// to a chosen desktop.
#pragma once

#include "engine/core/tr_DisplayEnumerator.h"
#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/platform/headless/Tarrow_Headless.h"
#include "engine/platform/headless/tr_DisplayEnumerator_Headless.h"
#include "engine/resources/files/tr_FileManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

class RecordingEngine : public Tarrow_Headless {
public:
    struct InitCall {
        int width;
        int height;
        bool fullscreen;
        std::string title;
    };

    bool Init(int x, int y, int width, int height, bool fullscreen, const char* title) override {
        init_calls.push_back({width, height, fullscreen, title ? title : ""});
        if (fail_windowed_init && !fullscreen)
            return false;
        const bool started = Tarrow_Headless::Init(x, y, width, height, fullscreen, title);
        if (after_init)
            after_init();
        return started;
    }
    bool SetDisplayMode(int width, int height, bool fullscreen) override {
        mode_calls.emplace_back(width, height);
        if (refuse_modes)
            return false;
        return Tarrow_Headless::SetDisplayMode(width, height, fullscreen);
    }

    // What the window's focus changes and Alt+Enter do.
    void LoseFocus() { CallDeactivateHook(); }
    void RegainFocus() { CallActivateHook(); }
    void PressAltEnter() { HandleToggleFullscreenKey(); }

    // Runs at the end of every Init that got as far as the base Init.
    std::function<void()> after_init;
    bool fail_windowed_init = false;
    bool refuse_modes = false;
    std::vector<InitCall> init_calls;
    std::vector<std::pair<int, int>> mode_calls;
};

class MessageRecorder : public tr_Listener {
public:
    explicit MessageRecorder(std::initializer_list<int> ids) {
        for (int id : ids)
            tr_Mediator::Get()->Subscribe(id, this);
    }
    void OnMessage(int id, tr_MediatorDataTable& /*data*/) override { heard.push_back(id); }

    std::vector<int> heard;
};

// Runs the test in a fresh folder of its own, with the user folder below it.
class ScratchFolder {
public:
    ScratchFolder() {
        old_dir_ = std::filesystem::current_path();
        dir_ = std::filesystem::path(::testing::TempDir()) /
               ("tp_application_test_" + std::to_string(getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "assets");
        std::filesystem::current_path(dir_);
        setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
        tr_FileManager::Destroy();
    }
    ~ScratchFolder() {
        tr_FileManager::Destroy();
        tr_DisplayEnumerator::Destroy();
        std::filesystem::current_path(old_dir_);
        std::filesystem::remove_all(dir_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    void Write(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories((dir_ / name).parent_path());
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

    // One primary display whose desktop and widest mode are width x height.
    static void UseDesktop(int width, int height) {
        tr_DisplayEnumerator::Install(new tr_DisplayEnumerator_Headless(
            {tr_DisplayEnumerator_Headless::PrimaryDevice(width, height)}));
    }

    // A level module with one room named room, holding the given triggers.
    void WriteLevel(const std::string& name, const std::string& room,
                    const std::string& triggers = "") const {
        Write(name + ".xml", "<module name=\"" + name + "\"><objs><obj name=\"" + name +
                                 "_c\"><room name=\"" + room + "\"/></obj></objs><trigs>" +
                                 triggers + "</trigs></module>");
    }

private:
    std::filesystem::path old_dir_;
    std::filesystem::path dir_;
};
