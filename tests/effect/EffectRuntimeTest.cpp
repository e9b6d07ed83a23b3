#include "effect/EffectRuntime.h"

#include "render/HeadlessGlContext.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using testing_support::TempFile;

const std::string linkedTechnique = "technique Linked\n"
                                    "vertex\n"
                                    "#version 120\n"
                                    "void main() { gl_Position = gl_Vertex; }\n"
                                    "fragment\n"
                                    "#version 120\n"
                                    "void main() { gl_FragColor = vec4(1.0); }\n"
                                    "end\n";

// Takes the pending error, as a caller reporting it would.
std::string takeError(EffectError expected) {
    EffectError error = EffectError::NoError;
    const std::string text = effectGetLastErrorString(&error);
    EXPECT_EQ(error, expected) << text;
    return text;
}

class EffectRuntime : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe();
        takeError(EffectError::NoError);
        context = effectCreateContext();
    }
    void TearDown() override { effectDestroyContext(context); }

    Effect* load(const std::string& text) {
        file = std::make_unique<TempFile>(text, "effect.cgfx");
        return effectCreateFromFile(context, file->path().c_str());
    }

    HeadlessGlContext gl;
    EffectContext* context = nullptr;
    std::unique_ptr<TempFile> file;
};

TEST_F(EffectRuntime, EnumeratesTechniquesAndFindsParametersByName) {
    Effect* effect = load("parameter float alpha\nparameter sampler1D colorMap\n" +
                          linkedTechnique + "technique Second\nvertex\nfragment\nend\n");
    ASSERT_NE(effect, nullptr) << takeError(EffectError::NoError);
    EffectTechnique* first = effectGetFirstTechnique(effect);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(effectGetTechniqueName(first), "Linked");
    EffectTechnique* second = effectGetNextTechnique(first);
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(effectGetTechniqueName(second), "Second");
    EXPECT_EQ(effectGetNextTechnique(second), nullptr);

    EffectParameter* alpha = effectGetNamedParameter(effect, "alpha");
    EXPECT_NE(alpha, nullptr);
    EXPECT_NE(effectGetNamedParameter(effect, "colorMap"), alpha);
    EXPECT_EQ(effectGetNamedParameter(effect, "beta"), nullptr);
    EXPECT_EQ(effectGetNamedParameter(effect, "Alpha"), nullptr);
    EXPECT_EQ(takeError(EffectError::NoError), "no error");
    effectDestroy(effect);
    takeError(EffectError::NoError);
}

TEST_F(EffectRuntime, ValidatesByCompilingAndLinkingWithTheCurrentContext) {
    Effect* effect = load(linkedTechnique +
                          "technique Newer\nvertex\n#version 990\nfragment\n#version 990\nend\n"
                          "technique Broken\nvertex\n#version 120\nvoid main() { x = ; }\n"
                          "fragment\nvoid main() {}\nend\n"
                          "technique Unlinked\nvertex\nvoid main() { gl_Position = gl_Vertex; }\n"
                          "fragment\nvarying float missing;\n"
                          "void main() { gl_FragColor = vec4(missing); }\nend\n");
    ASSERT_NE(effect, nullptr) << takeError(EffectError::NoError);
    EffectTechnique* linked = effectGetFirstTechnique(effect);
    EXPECT_TRUE(effectValidateTechnique(linked));
    takeError(EffectError::NoError);

    // A version the context lacks means other hardware, not a fault.
    EffectTechnique* newer = effectGetNextTechnique(linked);
    EXPECT_FALSE(effectValidateTechnique(newer));
    takeError(EffectError::NoError);

    EffectTechnique* broken = effectGetNextTechnique(newer);
    EXPECT_FALSE(effectValidateTechnique(broken));
    EXPECT_EQ(takeError(EffectError::CompilerError), "compiler error");
    const std::string compileLog = effectGetLastListing(context);
    EXPECT_NE(compileLog.find("error"), std::string::npos) << compileLog;

    EXPECT_FALSE(effectValidateTechnique(effectGetNextTechnique(broken)));
    takeError(EffectError::CompilerError);
    const std::string linkLog = effectGetLastListing(context);
    EXPECT_NE(linkLog, compileLog);
    EXPECT_NE(linkLog.find("missing"), std::string::npos) << linkLog;
}

TEST_F(EffectRuntime, ReportsFilesItCannotUse) {
    EXPECT_EQ(effectCreateFromFile(context, "no-such-effect.cgfx"), nullptr);
    EXPECT_EQ(takeError(EffectError::FileUnreadable),
              "the effect file is missing or cannot be read");
    EXPECT_EQ(effectCreateFromFile(context, "no-such-effect.cgfx"), nullptr);
    const Status pending = effectTakeError();
    ASSERT_FALSE(pending.ok());
    EXPECT_EQ(pending.error().describe(), "the effect file is missing or cannot be read");
    EXPECT_TRUE(effectTakeError().ok()) << "taken with the first look";

    TempFile folder("", "placeholder");
    EXPECT_EQ(effectCreateFromFile(context, folder.folderPath().c_str()), nullptr);
    takeError(EffectError::FileUnreadable);

    EXPECT_EQ(load("parameter float alpha\ntechnique\n"), nullptr);
    EXPECT_EQ(takeError(EffectError::MalformedFile),
              "malformed effect file: line 2: expected: technique <name>");

    EXPECT_EQ(load("// " + std::string(1 << 20, 'x') + "\n"), nullptr);
    EXPECT_EQ(takeError(EffectError::MalformedFile),
              "malformed effect file: larger than 1048576 bytes");
}

TEST_F(EffectRuntime, NullHandlesAreReportedNotFollowed) {
    const auto expectNullHandle = [] {
        EXPECT_EQ(takeError(EffectError::NullHandle), "null handle");
    };
    EXPECT_EQ(effectCreateFromFile(nullptr, "effectShader.cgfx"), nullptr);
    expectNullHandle();
    EXPECT_EQ(effectCreateFromFile(context, nullptr), nullptr);
    expectNullHandle();
    EXPECT_EQ(effectGetFirstTechnique(nullptr), nullptr);
    expectNullHandle();
    EXPECT_EQ(effectGetNextTechnique(nullptr), nullptr);
    expectNullHandle();
    EXPECT_FALSE(effectValidateTechnique(nullptr));
    expectNullHandle();
    EXPECT_STREQ(effectGetTechniqueName(nullptr), "");
    expectNullHandle();
    EXPECT_EQ(effectGetNamedParameter(nullptr, "alpha"), nullptr);
    expectNullHandle();
    EXPECT_STREQ(effectGetLastListing(nullptr), "");
    expectNullHandle();
    effectRegisterStates(nullptr);
    expectNullHandle();
    effectSetManageTextureParameters(nullptr, true);
    expectNullHandle();
    effectDestroy(nullptr);
    expectNullHandle();
    effectDestroyContext(nullptr);
    expectNullHandle();
}

TEST(EffectRuntimeWithoutGl, ValidationNeedsACurrentContext) {
    TempFile file(linkedTechnique, "effect.cgfx");
    EffectContext* context = effectCreateContext();
    Effect* effect = effectCreateFromFile(context, file.path().c_str());
    ASSERT_NE(effect, nullptr);
    effectSetOptimalOptions(EffectProfile::ArbVertexProgram);
    EXPECT_EQ(takeError(EffectError::NoGlsl), "no current OpenGL context compiles GLSL");
    EXPECT_FALSE(effectValidateTechnique(effectGetFirstTechnique(effect)));
    takeError(EffectError::NoGlsl);
    effectDestroyContext(context);
}

} // namespace
