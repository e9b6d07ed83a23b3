#include "effect/EffectManager.h"

#include "render/HeadlessGlContext.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using testing_support::TempFile;
using testing_support::WorkingDirectory;

const char* const parameterNames[] = {
    "backgroundMap",  "alphaMap",       "minMaxMap",          "colorMap", "treeNodePosTexture",
    "nodePosTexSize", "controlPolygon", "controlPolygonSize", "alpha",    "beta"};

EffectParameter* EffectManager::*const parameterHandles[] = {&EffectManager::backgroundMap,
                                                             &EffectManager::alphaMap,
                                                             &EffectManager::minMaxMap,
                                                             &EffectManager::colorMap,
                                                             &EffectManager::treeNodePosTexture,
                                                             &EffectManager::nodePosTexSize,
                                                             &EffectManager::controlPolygon,
                                                             &EffectManager::controlPolygonSize,
                                                             &EffectManager::alpha,
                                                             &EffectManager::beta};

std::string everyLookup(const std::string& error) {
    std::string lines;
    for (const char* name : parameterNames) {
        lines += std::string("vertex_and_fragment_program: getting ") + name + ": " + error + "\n";
    }
    return lines;
}

std::string technique(const std::string& name, const std::string& version,
                      const std::string& vertexBody = "gl_Position = gl_Vertex;") {
    return "technique " + name + "\nvertex\n#version " + version + "\nvoid main() { " + vertexBody +
           " }\nfragment\n#version " + version +
           "\nvoid main() { gl_FragColor = vec4(1.0); }\nend\n";
}

// The report's lines as the viewer prints them.
std::string printed(const EffectReport& report) {
    std::string text;
    for (const std::string& line : report.lines) {
        text += line + "\n";
    }
    return text;
}

// Runs create with the effect file given, or none, in the working directory,
// and keeps its report's lines as printed.
class EffectManagerCreate : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe(); }

    std::string create(const std::optional<std::string>& effectFile) {
        TempFile folder(effectFile.value_or(""),
                        effectFile ? EffectManager::effectFileName : "elsewhere.cgfx");
        WorkingDirectory inFolder(folder.folderPath());
        const EffectReport report = manager.create();
        created = report.status;
        return printed(report);
    }

    HeadlessGlContext gl;
    Status created;
    EffectManager manager;
};

TEST_F(EffectManagerCreate, ShippedEffectSkipsItsFirstTechniqueAndUsesTheSecond) {
    const EffectReport report = manager.create();
    EXPECT_TRUE(report.status.ok());
    EXPECT_EQ(printed(report), "Technique BundledCurvesGlsl460 did not validate.  Skipping.\n"
                               "Use technique BundledCurvesGlsl120.\n");
    EXPECT_STREQ(effectGetTechniqueName(manager.technique), "BundledCurvesGlsl120");
    for (EffectParameter* EffectManager::*handle : parameterHandles) {
        EXPECT_NE(manager.*handle, nullptr);
    }
}

TEST_F(EffectManagerCreate, MissingFileReportsEveryStepThatFails) {
    EXPECT_EQ(create(std::nullopt), "vertex_and_fragment_program: creating effectShader.cgfx "
                                    "effect: the effect file is missing or cannot be read\n"
                                    "No valid technique\n" +
                                        everyLookup("null handle"));
    ASSERT_FALSE(created.ok());
    EXPECT_EQ(created.error().describe(),
              "vertex_and_fragment_program: creating effectShader.cgfx effect: the effect file is "
              "missing or cannot be read")
        << "the first problem, for the window";
    EXPECT_NE(manager.context, nullptr);
    EXPECT_EQ(manager.effect, nullptr);
    EXPECT_EQ(manager.technique, nullptr);
}

TEST_F(EffectManagerCreate, ASkippedTechniquesCompilerErrorStaysWithIt) {
    // The broken technique's error belongs to its skipped try, not to the
    // parameter look-up after it.
    EXPECT_EQ(create(technique("Broken", "120", "gl_Position = ;") + technique("Working", "120")),
              "Technique Broken did not validate.  Skipping.\n"
              "Use technique Working.\n");
    EXPECT_TRUE(created.ok());
}

TEST_F(EffectManagerCreate, ACompilerErrorIsReportedWithItsListing) {
    create(technique("Broken", "120", "gl_Position = ;") + technique("Working", "120"));
    ASSERT_TRUE(created.ok());
    EXPECT_FALSE(effectValidateTechnique(effectGetFirstTechnique(manager.effect)));
    EffectReport report;
    manager.checkError("validating Broken", report);
    ASSERT_EQ(report.lines.size(), 2u) << printed(report);
    EXPECT_EQ(report.lines[0], "vertex_and_fragment_program: validating Broken: compiler error");
    EXPECT_NE(report.lines[1].find("error"), std::string::npos) << "the compiler's listing";
    ASSERT_FALSE(report.status.ok());
    EXPECT_EQ(report.status.error().describe(), report.lines[0]) << "the listing stays off it";
}

TEST_F(EffectManagerCreate, OnlyTheFirstTechniquesAreTried) {
    std::string file;
    for (int i = 0; i < EffectManager::maxTechniquesTried + 5; ++i) {
        file += technique("Newest" + std::to_string(i), "990");
    }
    file += technique("Working", "120");
    std::string expected;
    for (int i = 0; i < EffectManager::maxTechniquesTried; ++i) {
        expected += "Technique Newest" + std::to_string(i) + " did not validate.  Skipping.\n";
    }
    expected += "6 more techniques were not tried.\nNo valid technique\n";
    EXPECT_EQ(create(file), expected);
    EXPECT_FALSE(created.ok());
}

TEST_F(EffectManagerCreate, NoValidTechniqueAfterSkippingEachInFileOrder) {
    EXPECT_EQ(
        create("parameter float alpha\n" + technique("Newest", "990") + technique("Newer", "980")),
        "Technique Newest did not validate.  Skipping.\n"
        "Technique Newer did not validate.  Skipping.\n"
        "No valid technique\n");
    ASSERT_FALSE(created.ok());
    EXPECT_EQ(created.error().describe(), "No valid technique");
    EXPECT_EQ(manager.technique, nullptr);
    EXPECT_NE(manager.alpha, nullptr);
    EXPECT_EQ(manager.beta, nullptr);
}

TEST_F(EffectManagerCreate, ReleaseLeavesNoHandlesBehind) {
    EXPECT_TRUE(manager.create().status.ok());
    manager.release();
    EXPECT_EQ(manager.effect, nullptr);
    EXPECT_EQ(manager.context, nullptr);
    EXPECT_EQ(manager.technique, nullptr);
    EXPECT_EQ(manager.alpha, nullptr);
    EffectReport after;
    manager.checkError("after release", after);
    EXPECT_EQ(printed(after), "");
}

} // namespace
