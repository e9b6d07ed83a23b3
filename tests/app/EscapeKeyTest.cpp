#include "app/Application.h"
#include "app/InputState.h"
#include "effect/EffectManager.h"
#include "render/HeadlessGlContext.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned char escapeKey = 27;

// Escape asks the viewer to end from its idle step, with the effect released
// by then; without Escape the step goes on and the effect stays.
TEST(EscapeKey, ReleasesTheEffectAndEndsTheViewer) {
    HeadlessGlContext gl;
    ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe();
    EffectManager& manager = EffectManager::instance();
    ASSERT_TRUE(manager.create().status.ok());
    ASSERT_NE(manager.effect, nullptr);
    Application& application = Application::instance();
    EXPECT_FALSE(application.handleKeys());
    EXPECT_NE(manager.effect, nullptr);
    InputState::instance().keyDown(escapeKey, 0, 0);
    EXPECT_TRUE(application.handleKeys());
    EXPECT_EQ(manager.effect, nullptr);
    EXPECT_EQ(manager.context, nullptr);
    EXPECT_EQ(application.exitStatus(), 0);
}

} // namespace
