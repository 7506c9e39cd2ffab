// GlRenderTest: the fixture of tests that draw through tr_Render_GL. The
// suite shares one GlTestWindow of Width x Height; each test gets a fresh
// renderer of that size (render_), and is skipped when the machine offers no
// GL 3.3 core context. Derived fixtures that override SetUp / TearDown call
// these first / last.
#pragma once

#include "engine/platform/gl/tr_Render_GL.h"
#include "tests/support/GlTestWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

template <int Width, int Height> class GlRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        gl_.Open(::testing::UnitTest::GetInstance()->current_test_suite()->name(), Width, Height);
    }
    static void TearDownTestSuite() { gl_.Close(); }

    void SetUp() override {
        if (!gl_.IsOpen())
            GTEST_SKIP() << "no GL 3.3 core context: " << SDL_GetError();
        gl_.MakeCurrent();
        render_ = std::make_unique<tr_Render_GL>();
        render_->Init(static_cast<float>(Width), static_cast<float>(Height));
        ASSERT_TRUE(render_->IsReady());
    }
    void TearDown() override { render_.reset(); }

    static GlTestWindow gl_;
    std::unique_ptr<tr_Render_GL> render_;
};

template <int Width, int Height> GlTestWindow GlRenderTest<Width, Height>::gl_;
