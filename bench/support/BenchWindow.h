// BenchWindow: the window of the benchmarks that draw on screen: SDL video,
// a 1366 x 768 window with an OpenGL 3.3 core context made current, swap
// interval 0 (frames are timed, not paced), and the GL renderer's name
// printed. Open says why it failed on stderr; the destructor closes what
// Open made. Create the tr_Render_GL after Open and destroy it before this.
#pragma once

struct SDL_Window;

class BenchWindow {
public:
    static constexpr int kWidth = 1366;
    static constexpr int kHeight = 768;

    BenchWindow() = default;
    ~BenchWindow();
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    // False (with a message) when no window or context could be made.
    bool Open(const char* title);
    void Swap();
    SDL_Window* Get() const { return window_; }

private:
    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    bool video_ = false;
};
