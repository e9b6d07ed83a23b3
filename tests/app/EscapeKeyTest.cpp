#include "app/Application.h"
#include "app/InputState.h"
#include "effect/EffectManager.h"
#include "render/HeadlessGlContext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

using testing::Eq;
using testing::ExitedWithCode;

constexpr unsigned char escapeKey = 27;

// Runs among the exit handlers, after handleKeys has called exit: says
// whether the effect was already given back by then.
void reportEffectAtExit() {
    const EffectManager& manager = EffectManager::instance();
    std::fputs(manager.effect == nullptr && manager.context == nullptr ? "released\n" : "held\n",
               stderr);
}

// Escape ends the viewer from its idle step: the effect is released before
// the process exits with status 0, and without Escape the step goes on.
TEST(EscapeKey, ReleasesTheEffectAndExitsWithStatusZero) {
    // A forked child would inherit a GL driver without its threads; a fresh
    // process makes its own context.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            HeadlessGlContext gl;
            if (!gl.status().ok()) {
                std::fprintf(stderr, "%s\n", gl.status().error().describe().c_str());
                std::_Exit(3);
            }
            EffectManager& manager = EffectManager::instance();
            if (!manager.create().status.ok() || manager.effect == nullptr) {
                std::_Exit(4);
            }
            std::atexit(reportEffectAtExit);
            Application::instance().handleKeys();
            if (manager.effect == nullptr) {
                std::_Exit(5);
            }
            InputState::instance().keyDown(escapeKey, 0, 0);
            Application::instance().handleKeys();
            std::_Exit(6);
        },
        ExitedWithCode(0), Eq("released\n"));
}

} // namespace
