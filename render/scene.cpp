// GL surface and scene set-up, run once on the render thread before the first frame.
#include "render/scene.h"
#include "render/extensions.h"
#include "render/glyphs.h"
#include "render/palette.h"
#include "render/saver_run.h"
#include "settings/store.h"
#include <GL/gl.h>
#include <initializer_list>

const PIXELFORMATDESCRIPTOR PixelFormatTemplate = {
  sizeof(PIXELFORMATDESCRIPTOR),  // nSize: 40
  1,                              // nVersion
  PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
  PFD_TYPE_RGBA,
  8,                              // cColorBits: the least; the driver offers what the display has
  0, 0, 0, 0, 0, 0,               // red, green, blue bits and shifts
  0, 0,                           // alpha bits and shift
  0, 0, 0, 0, 0,                  // accumulation bits
  16,                             // cDepthBits
  0,                              // cStencilBits
  0,                              // cAuxBuffers
  PFD_MAIN_PLANE,
  0,                              // bReserved
  0, 0, 0                         // layer, visible and damage masks
};

namespace {

void SetupPalette(HDC dc, Renderer* renderer) {
  PIXELFORMATDESCRIPTOR described = {};
  DescribePixelFormat(dc, GetPixelFormat(dc), sizeof described, &described);
  if (!(described.dwFlags & PFD_NEED_PALETTE)) return;

  // LOGPALETTE declares one entry; the other 255 follow it in the same block.
  struct {
    LOGPALETTE header;
    PALETTEENTRY more[RgbPaletteSize - 1];
  } palette;
  palette.header.palVersion = 0x300;
  palette.header.palNumEntries = RgbPaletteSize;
  PALETTEENTRY* entries = palette.header.palPalEntry;
  for (int i = 0; i < RgbPaletteSize; ++i) {
    PaletteRgb rgb = RgbPaletteEntry(i);
    entries[i] = PALETTEENTRY{rgb.red, rgb.green, rgb.blue, 0};
  }
  renderer->palette = CreatePalette(&palette.header);
  renderer->previousPalette = SelectPalette(dc, renderer->palette, FALSE);
  RealizePalette(dc);
}

int SetupPixelFormat(HDC dc, Renderer* renderer) {
  int format = ChoosePixelFormat(dc, &PixelFormatTemplate);
  if (format == 0) {
    MessageBoxA(nullptr, "ChoosePixelFormat failed", "Error", MB_OK);
    return 0;
  }
  if (!SetPixelFormat(dc, format, &PixelFormatTemplate)) {
    MessageBoxA(nullptr, "SetPixelFormat failed", "Error", MB_OK);
    return 0;
  }
  SetupPalette(dc, renderer);
  return 1;
}

void SetCapability(uint32_t capability, uint8_t flag) {
  if (flag == 1)
    glEnable(capability);
  else
    glDisable(capability);
}

void ApplyGlCaps(HKEY key) {
  ReadGlCaps(key);
  for (const GlCapRow* row = GetGlCapTable(); row->valueName; ++row) SetCapability(row->capability, row->state);
}

void ApplyMaterialLight(HKEY key) {
  ReadMaterialLight(key);
  const MaterialLightRow* table = GetMaterialLightTable();
  struct Binding {
    GLenum parameter;
    int row;
  };
  static const Binding Materials[] = {
    {GL_AMBIENT, MatAmbientRow}, {GL_DIFFUSE, MatDiffuseRow}, {GL_SPECULAR, MatSpecularRow},
    {GL_EMISSION, MatEmissionRow}, {GL_SHININESS, MatShininessRow},
  };
  static const Binding Lights[] = {
    {GL_AMBIENT, LightAmbientRow}, {GL_DIFFUSE, LightDiffuseRow}, {GL_SPECULAR, LightSpecularRow},
    {GL_POSITION, LightPositionRow},
  };
  for (const Binding& m : Materials) glMaterialfv(GL_FRONT, m.parameter, table[m.row].vector);
  // With colour material on, each colour mode is set in turn; GL_EMISSION comes last, so while
  // the text is drawn the current colour, "mat_emission", drives the front emission.
  if (glIsEnabled(GL_COLOR_MATERIAL)) {
    for (int i = 0; i < 4; ++i) {
      glColorMaterial(GL_FRONT, Materials[i].parameter);
      glColor4fv(table[Materials[i].row].vector);
    }
  }
  // The modelview matrix is still the identity: the light stays fixed to the viewer.
  for (const Binding& l : Lights) glLightfv(GL_LIGHT0, l.parameter, table[l.row].vector);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, table[LightModelAmbientRow].vector);
}

}  // namespace

int SetupScene(HDC dc, HKEY key, wchar_t* text, Renderer* renderer) {
  if (!SetupPixelFormat(dc, renderer)) return 0;
  // Neither result is tested: a context that fails shows up as an empty window, nothing worse.
  HGLRC context = wglCreateContext(dc);
  wglMakeCurrent(dc, context);
  glViewport(0, 0, SaverRun.ChildWidth, SaverRun.ChildHeight);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  // With no projection the depth value grows with z, while lighting takes the eye to be at +Z:
  // GL_LESS would keep the surface farthest from that eye, an extruded glyph's back face and far
  // walls, lit by the ambient terms alone. The reversed range keeps the nearest instead.
  glDepthRange(1.0, 0.0);

  if (!SaverRun.TextChosen) ReadSelectedText(key, text);
  SingleSettings* settings = &renderer->settings;
  for (SettingGroup group : {SettingGroup::Shape, SettingGroup::Motion, SettingGroup::Word})
    ReadSettings(key, group, settings);
  LOGFONTA font;
  UINT faceCodePage = ReadLogFont(key, &font) ? CP_ACP : DefaultFaceCodePage;
  bool withTime = static_cast<TimeDisplay>(settings->timeDisplay) != TimeDisplay::None;
  if (!BuildFontGlyphLists(dc, &font, faceCodePage, text, withTime, settings->deviation, settings->extrusion,
                           settings->format, &renderer->glyphs))
    return 0;
  // The frames call the lists by their offsets from here.
  glListBase(GlyphListBase);

  ApplyGlCaps(key);
  ApplyMaterialLight(key);
  return 1;
}

void TeardownScene(HDC dc, Renderer* renderer) {
  glDeleteLists(GlyphListBase, renderer->glyphs.count);
  glDeleteLists(TimeListBase, TimeCharacterCount);  // names without lists are passed over
  HGLRC context = wglGetCurrentContext();
  if (renderer->palette) {
    DeleteObject(SelectPalette(dc, renderer->previousPalette, FALSE));
    renderer->palette = nullptr;
  }
  wglMakeCurrent(nullptr, nullptr);
  if (context) wglDeleteContext(context);
}

void SyncSwapsToDisplay(HDC dc) {
  // wglGetProcAddress hands out a generic PROC; going through void (*)() says that the caller knows
  // the real type. The WGL extensions are listed by wglGetExtensionsStringARB, older drivers list
  // them with the GL ones.
  using ExtensionsStringFn = const char*(WINAPI*)(HDC);
  using SwapIntervalFn = BOOL(WINAPI*)(int);
  ExtensionsStringFn wglExtensions = reinterpret_cast<ExtensionsStringFn>(
      reinterpret_cast<void (*)()>(wglGetProcAddress("wglGetExtensionsStringARB")));
  const char* name = "WGL_EXT_swap_control";
  bool offered = (wglExtensions && ListsExtension(wglExtensions(dc), name)) ||
                 ListsExtension(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
  if (!offered) return;
  SwapIntervalFn swapInterval =
      reinterpret_cast<SwapIntervalFn>(reinterpret_cast<void (*)()>(wglGetProcAddress("wglSwapIntervalEXT")));
  if (swapInterval) swapInterval(1);
}
