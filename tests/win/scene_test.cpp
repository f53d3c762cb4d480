// GL state after scene set-up with stored settings (real Mesa context under Wine on Xvfb).
#include "tests/win/test_support.h"
#include "render/animation.h"
#include "render/glyphs.h"
#include "render/render_thread.h"
#include "render/scene.h"
#include "render/saver_run.h"
#include "settings/settings.h"
#include "settings/store.h"
#include <GL/gl.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

// Set-up runs on this thread, on a window sized as the child of a 640 x 480 saver.
class SceneTest : public FreshSettingsTest {
 protected:
  void SetUp() override {
    FreshSettingsTest::SetUp();
    SaverRun.SaverWidth = 640;
    SaverRun.SaverHeight = 480;
    SaverRun.ChildWidth = ChildExtent(640);
    SaverRun.ChildHeight = ChildExtent(480);
    window = CreateWindowExA(0, "STATIC", "scene", WS_POPUP | WS_VISIBLE, 0, 0, SaverRun.ChildWidth,
                             SaverRun.ChildHeight, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    dc = GetDC(window);
  }
  void TearDown() override {
    if (wglGetCurrentContext()) TeardownScene(dc, &renderer);
    ReleaseDC(window, dc);
    DestroyWindow(window);
  }
  // Opens the key as the GL child window does, seeds Text, and sets the scene up.
  int SetUpScene() {
    OpenSettingsKeyForRead();
    memcpy(SaverRun.Text, SaverState.DefaultText, sizeof SaverRun.Text);
    return SetupScene(dc, SaverState.SettingsKey, SaverRun.Text, &renderer);
  }
  HWND window = nullptr;
  HDC dc = nullptr;
  Renderer renderer = {};
  const SingleSettings& settings = renderer.settings;
};

std::string Floats(const float* v, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += std::to_string(v[i]) + (i + 1 < n ? " " : "");
  return s;
}

std::string Material(GLenum parameter, int n = 4) {
  float v[4] = {};
  glGetMaterialfv(GL_FRONT, parameter, v);
  return Floats(v, n);
}

std::string Light(GLenum parameter) {
  float v[4] = {};
  glGetLightfv(GL_LIGHT0, parameter, v);
  return Floats(v, 4);
}

std::string GlFloats(GLenum parameter) {
  float v[4] = {};
  glGetFloatv(parameter, v);
  return Floats(v, 4);
}

TEST_F(SceneTest, DefaultsWithoutAKey) {
  ASSERT_EQ(1, SetUpScene());
  EXPECT_EQ(nullptr, SaverState.SettingsKey);
  EXPECT_NE(nullptr, wglGetCurrentContext());
  EXPECT_EQ(2, renderer.glyphs.count) << "趣味";
  EXPECT_STREQ(L"趣味", SaverRun.Text);

  PIXELFORMATDESCRIPTOR pfd = {};
  ASSERT_NE(0, DescribePixelFormat(dc, GetPixelFormat(dc), sizeof pfd, &pfd));
  EXPECT_TRUE(pfd.dwFlags & PFD_DOUBLEBUFFER);
  EXPECT_TRUE(pfd.dwFlags & PFD_SUPPORT_OPENGL);
  EXPECT_GE(pfd.cDepthBits, 16);
  EXPECT_EQ(nullptr, renderer.palette) << "a true-colour format needs no palette";

  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(ChildExtent(640), viewport[2]);
  EXPECT_EQ(ChildExtent(480), viewport[3]);
  EXPECT_EQ("0.000000 0.000000 0.000000 0.000000", GlFloats(GL_COLOR_CLEAR_VALUE));

  for (const GlCapRow* row = GetGlCapTable(); row->valueName; ++row)
    EXPECT_EQ(row->state == 1, glIsEnabled(row->capability) == GL_TRUE) << row->valueName;

  // Diffuse and specular are left to the next test: Mesa applies glColor to the tracked material
  // only when it next validates its state, after the colour-material mode has moved on, so with
  // colour material on it reports them wrongly.
  const MaterialLightRow* table = GetMaterialLightTable();
  auto builtIn = [&](int row) { return Floats(table[row].vector, table[row].width); };
  EXPECT_EQ(builtIn(MatAmbientRow), Material(GL_AMBIENT));
  EXPECT_EQ(builtIn(MatEmissionRow), Material(GL_EMISSION));
  EXPECT_EQ(builtIn(MatShininessRow), Material(GL_SHININESS, 1));
  EXPECT_EQ(builtIn(LightAmbientRow), Light(GL_AMBIENT));
  EXPECT_EQ(builtIn(LightDiffuseRow), Light(GL_DIFFUSE));
  EXPECT_EQ(builtIn(LightSpecularRow), Light(GL_SPECULAR));
  EXPECT_EQ(builtIn(LightPositionRow), Light(GL_POSITION));
  EXPECT_EQ(builtIn(LightModelAmbientRow), GlFloats(GL_LIGHT_MODEL_AMBIENT));
}

TEST_F(SceneTest, DefaultMaterialWithoutColourMaterial) {
  SetDword(SettingsKeyPath, "GL_COLOR_MATERIAL", 0);
  ASSERT_EQ(1, SetUpScene());
  EXPECT_EQ("0.250000 0.200000 0.200000 1.000000", Material(GL_AMBIENT));
  EXPECT_EQ("1.000000 0.800000 0.800000 1.000000", Material(GL_DIFFUSE));
  EXPECT_EQ("0.300000 0.300000 0.300000 1.000000", Material(GL_SPECULAR));
  EXPECT_EQ("0.000000 0.000000 0.000000 1.000000", Material(GL_EMISSION));
  EXPECT_EQ("12.000000", Material(GL_SHININESS, 1));
}

// The built-in switches are pinned by DefaultsWithoutAKey; here each is stored the other way
// round, GL_LIGHTING as 2, which disables.
TEST_F(SceneTest, EverySwitchFollowsItsStoredValue) {
  struct Switch {
    const char* name;
    GLenum capability;
    bool builtIn;
  };
  std::vector<Switch> switches;
  for (const GlCapRow* row = GetGlCapTable(); row->valueName; ++row)
    switches.push_back({row->valueName, row->capability, row->state == 1});
  for (const Switch& in : switches) SetDword(SettingsKeyPath, in.name, in.builtIn ? 0 : 1);
  SetDword(SettingsKeyPath, "GL_LIGHTING", 2);
  ASSERT_EQ(1, SetUpScene());
  for (const Switch& in : switches) EXPECT_EQ(!in.builtIn, glIsEnabled(in.capability) == GL_TRUE) << in.name;
}

TEST_F(SceneTest, StoredVectorsReachGl) {
  const float lightAmbient[4] = {0.3f, 0.2f, 0.1f, 1.0f};
  const float lightPosition[4] = {-1.0f, 2.0f, 0.5f, 1.0f};
  const float modelAmbient[4] = {0.5f, 0.0f, 0.25f, 1.0f};
  const float matDiffuse[4] = {0.0f, 0.5f, 1.0f, 1.0f};
  const float matEmission[4] = {0.0f, 0.25f, 0.0f, 1.0f};
  const float shininess = 100.0f;
  SetDword(SettingsKeyPath, "GL_COLOR_MATERIAL", 0);  // so GL reports the material exactly as given
  SetRaw(SettingsKeyPath, "light_ambient", REG_BINARY, lightAmbient, 16);
  SetRaw(SettingsKeyPath, "light_position", REG_BINARY, lightPosition, 16);
  SetRaw(SettingsKeyPath, "lmodel_ambient", REG_BINARY, modelAmbient, 16);
  SetRaw(SettingsKeyPath, "mat_diffuse", REG_BINARY, matDiffuse, 16);
  SetRaw(SettingsKeyPath, "mat_emission", REG_BINARY, matEmission, 16);
  SetRaw(SettingsKeyPath, "mat_shininess", REG_BINARY, &shininess, 4);
  ASSERT_EQ(1, SetUpScene());
  EXPECT_EQ(Floats(lightAmbient, 4), Light(GL_AMBIENT));
  EXPECT_EQ(Floats(lightPosition, 4), Light(GL_POSITION)) << "given under the identity modelview";
  EXPECT_EQ(Floats(modelAmbient, 4), GlFloats(GL_LIGHT_MODEL_AMBIENT));
  EXPECT_EQ(Floats(matDiffuse, 4), Material(GL_DIFFUSE));
  EXPECT_EQ(Floats(matEmission, 4), Material(GL_EMISSION));
  EXPECT_EQ("100.000000", Material(GL_SHININESS, 1));
}

TEST_F(SceneTest, ColourMaterialLeavesTheEmissionAsCurrentColour) {
  const float matEmission[4] = {0.0f, 1.0f, 0.0f, 1.0f};
  SetRaw(SettingsKeyPath, "mat_emission", REG_BINARY, matEmission, 16);
  ASSERT_EQ(1, SetUpScene());
  GLint mode = 0;
  glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &mode);
  EXPECT_EQ(GL_EMISSION, mode);
  GLint face = 0;
  glGetIntegerv(GL_COLOR_MATERIAL_FACE, &face);
  EXPECT_EQ(GL_FRONT, face);
  EXPECT_EQ(Floats(matEmission, 4), GlFloats(GL_CURRENT_COLOR));
  EXPECT_EQ(Floats(matEmission, 4), Material(GL_EMISSION));
}

TEST_F(SceneTest, WithoutColourMaterialNoColourIsSet) {
  SetDword(SettingsKeyPath, "GL_COLOR_MATERIAL", 0);
  const float matEmission[4] = {0.0f, 1.0f, 0.0f, 1.0f};
  SetRaw(SettingsKeyPath, "mat_emission", REG_BINARY, matEmission, 16);
  ASSERT_EQ(1, SetUpScene());
  GLint mode = 0;
  glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &mode);
  EXPECT_EQ(GL_AMBIENT_AND_DIFFUSE, mode) << "GL's initial mode: glColorMaterial was not called";
  EXPECT_EQ("1.000000 1.000000 1.000000 1.000000", GlFloats(GL_CURRENT_COLOR));
  EXPECT_EQ(Floats(matEmission, 4), Material(GL_EMISSION));
}

TEST_F(SceneTest, ShapeSettingsAndSelectedText) {
  SetDword(SettingsKeyPath, "StringID", 5);
  SetText(SettingsKeyPath, "ZorvelString5", "AB\x8A\x4F");  // AB外
  const float userScale = 0.25f;
  SetRaw(SettingsKeyPath, "UserScale", REG_BINARY, &userScale, 4);
  ASSERT_EQ(1, SetUpScene());
  EXPECT_EQ(0.25f, settings.userScale);
  EXPECT_STREQ(L"AB外", SaverRun.Text) << "stored through the ANSI calls, read as UTF-16";
  EXPECT_EQ(3, renderer.glyphs.count);
}

TEST_F(SceneTest, TeardownDeletesListsAndContext) {
  ASSERT_EQ(1, SetUpScene());
  HGLRC context = wglGetCurrentContext();
  // A second context sharing the lists sees whether teardown deleted them.
  HGLRC witness = wglCreateContext(dc);
  ASSERT_NE(nullptr, witness);
  ASSERT_TRUE(wglShareLists(context, witness));
  ASSERT_TRUE(glIsList(GlyphListBase));
  TeardownScene(dc, &renderer);
  EXPECT_EQ(nullptr, wglGetCurrentContext());
  EXPECT_FALSE(wglDeleteContext(context)) << "already deleted";
  ASSERT_TRUE(wglMakeCurrent(dc, witness));
  EXPECT_FALSE(glIsList(GlyphListBase));
  EXPECT_FALSE(glIsList(GlyphListBase + 1));
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(witness);
}

}  // namespace
