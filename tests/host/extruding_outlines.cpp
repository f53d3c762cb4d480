// Test code: an outline service that extrudes as Windows' does (see extruding_outlines.h), built
// from GetGlyphOutlineW's native outlines and GLU's tessellator.
#include "tests/host/extruding_outlines.h"
#include "tests/host/extrusion_walls.h"
#include <GL/gl.h>
#include <GL/glu.h>
#include <math.h>
#include <algorithm>
#include <array>
#include <deque>
#include <vector>

namespace {

// The outlines are read from the text's font made this many pixels to the em: divided by it,
// they are in ems whatever size the text's font has.
constexpr int EmPixels = 1024;

using Point = OutlinePoint;  // the tessellator takes three coordinates

Point ToPoint(const POINTFX& p) {
  return {(p.x.value + p.x.fract / 65536.0) / EmPixels, (p.y.value + p.y.fract / 65536.0) / EmPixels, 0.0};
}

// Adds the Bezier curve from the contour's last point through the given points (the last one on
// the curve) in as few straight pieces as keep within the chordal deviation.
void AddCurve(Contour* contour, const Point* points, int degree, double deviation) {
  Point p[4] = {contour->back()};
  std::copy(points, points + degree, p + 1);
  double bend = 0;  // the largest second difference bounds how far the curve strays from its chords
  for (int i = 0; i + 2 <= degree; ++i)
    bend = fmax(bend, hypot(p[i][0] - 2 * p[i + 1][0] + p[i + 2][0], p[i][1] - 2 * p[i + 1][1] + p[i + 2][1]));
  int pieces = static_cast<int>(ceil(sqrt(degree * (degree - 1) * bend / (8 * deviation))));
  pieces = std::clamp(pieces, 1, 64);
  for (int s = 1; s <= pieces; ++s) {
    double t = static_cast<double>(s) / pieces;
    Point q[4];
    std::copy(p, p + degree + 1, q);
    for (int level = degree; level > 0; --level)  // de Casteljau
      for (int i = 0; i < level; ++i)
        for (int c = 0; c < 2; ++c) q[i][c] += t * (q[i + 1][c] - q[i][c]);
    contour->push_back(q[0]);
  }
}

// The glyph's closed contours from GGO_NATIVE's records, curves flattened.
std::vector<Contour> ReadContours(const BYTE* buffer, DWORD size, double deviation) {
  std::vector<Contour> contours;
  for (const BYTE* polygon = buffer; polygon < buffer + size;) {
    const auto* header = reinterpret_cast<const TTPOLYGONHEADER*>(polygon);
    Contour contour{ToPoint(header->pfxStart)};
    for (const BYTE* record = polygon + sizeof *header; record < polygon + header->cb;) {
      const auto* curve = reinterpret_cast<const TTPOLYCURVE*>(record);
      int n = curve->cpfx;
      std::vector<Point> p(n);
      for (int i = 0; i < n; ++i) p[i] = ToPoint(curve->apfx[i]);
      if (curve->wType == TT_PRIM_LINE) {
        contour.insert(contour.end(), p.begin(), p.end());
      } else if (curve->wType == TT_PRIM_QSPLINE) {
        // A quadratic B-spline: between two control points the curve passes their midpoint.
        for (int i = 0; i + 1 < n; ++i) {
          Point piece[2] = {p[i], p[i + 1]};
          if (i + 2 < n)
            for (int c = 0; c < 2; ++c) piece[1][c] = (p[i][c] + p[i + 1][c]) / 2;
          AddCurve(&contour, piece, 2, deviation);
        }
      } else {  // TT_PRIM_CSPLINE: cubic curves of three points each
        for (int i = 0; i + 2 < n; i += 3) AddCurve(&contour, &p[i], 3, deviation);
      }
      record += sizeof(TTPOLYCURVE) + (n - 1) * sizeof(POINTFX);
    }
    if (contour.size() > 1 && contour.back() == contour.front()) contour.pop_back();
    if (contour.size() >= 3) contours.push_back(contour);
    polygon += header->cb;
  }
  return contours;
}

// The face as separate triangles, from GLU's tessellator.
struct Triangles {
  std::vector<const double*> corners;  // three per triangle
  std::deque<Point> crossings;         // vertices the tessellator makes where contours cross
};

void CALLBACK TessCorner(void* vertex, void* triangles) {
  static_cast<Triangles*>(triangles)->corners.push_back(static_cast<const double*>(vertex));
}
void CALLBACK TessCrossing(GLdouble coords[3], void*[4], GLfloat[4], void** made, void* triangles) {
  std::deque<Point>& crossings = static_cast<Triangles*>(triangles)->crossings;
  crossings.push_back({coords[0], coords[1], coords[2]});
  *made = crossings.back().data();
}
// Asked for edge flags, the tessellator gives GL_TRIANGLES only.
void CALLBACK TessEdge(GLboolean, void*) {}

using GluCallback = void(CALLBACK*)();

void Tessellate(std::vector<Contour>* contours, Triangles* triangles) {
  GLUtesselator* tess = gluNewTess();
  gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<GluCallback>(TessCorner));
  gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<GluCallback>(TessCrossing));
  gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<GluCallback>(TessEdge));
  // TrueType fills by the non-zero rule: where strokes overlap the glyph stays filled.
  gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessNormal(tess, 0, 0, 1);
  gluTessBeginPolygon(tess, triangles);
  for (Contour& contour : *contours) {
    gluTessBeginContour(tess);
    for (Point& p : contour) gluTessVertex(tess, p.data(), p.data());
    gluTessEndContour(tess);
  }
  gluTessEndPolygon(tess);
  gluDeleteTess(tess);
}

double Turn(const double* a, const double* b, const double* c) {
  return (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
}

// The triangles at depth z, facing +Z or -Z: wound counter-clockwise seen from that side.
void EmitFace(const Triangles& triangles, double z, bool facesFront) {
  glNormal3d(0, 0, facesFront ? 1 : -1);
  for (size_t i = 0; i + 2 < triangles.corners.size(); i += 3) {
    const double* a = triangles.corners[i];
    const double* b = triangles.corners[i + 1];
    const double* c = triangles.corners[i + 2];
    if ((Turn(a, b, c) > 0) != facesFront) std::swap(b, c);
    glVertex3d(a[0], a[1], z);
    glVertex3d(b[0], b[1], z);
    glVertex3d(c[0], c[1], z);
  }
}

// The walls' quads with their outward normals.
void EmitWalls(const std::vector<Contour>& contours, double depth) {
  glBegin(GL_QUADS);
  for (const WallQuad& quad : WallQuads(contours, depth)) {
    glNormal3dv(quad.normal.data());
    for (const OutlinePoint& corner : quad.corners) glVertex3dv(corner.data());
  }
  glEnd();
}

}  // namespace

BOOL WINAPI ExtrudingOutlines(HDC dc, DWORD first, DWORD count, DWORD listBase, FLOAT deviation, FLOAT extrusion,
                              int format, LPGLYPHMETRICSFLOAT metrics) {
  LOGFONTW font;
  GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
  font.lfHeight = -EmPixels;
  font.lfWidth = font.lfEscapement = font.lfOrientation = 0;
  HGDIOBJ textFont = SelectObject(dc, CreateFontIndirectW(&font));
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  double chord = deviation > 0 ? deviation : 1.0 / EmPixels;  // 0: one unit of the grid
  BOOL built = TRUE;
  for (DWORD k = 0; k < count; ++k) {
    GLYPHMETRICS glyph;
    DWORD size = GetGlyphOutlineW(dc, first + k, GGO_NATIVE, &glyph, 0, nullptr, &identity);
    std::vector<BYTE> buffer(size == GDI_ERROR ? 0 : size);
    if (size == GDI_ERROR ||
        (size && GetGlyphOutlineW(dc, first + k, GGO_NATIVE, &glyph, size, buffer.data(), &identity) != size)) {
      built = FALSE;
      break;
    }
    if (metrics) {
      metrics[k].gmfBlackBoxX = static_cast<FLOAT>(glyph.gmBlackBoxX) / EmPixels;
      metrics[k].gmfBlackBoxY = static_cast<FLOAT>(glyph.gmBlackBoxY) / EmPixels;
      metrics[k].gmfptGlyphOrigin.x = static_cast<FLOAT>(glyph.gmptGlyphOrigin.x) / EmPixels;
      metrics[k].gmfptGlyphOrigin.y = static_cast<FLOAT>(glyph.gmptGlyphOrigin.y) / EmPixels;
      metrics[k].gmfCellIncX = static_cast<FLOAT>(glyph.gmCellIncX) / EmPixels;
      metrics[k].gmfCellIncY = static_cast<FLOAT>(glyph.gmCellIncY) / EmPixels;
    }
    std::vector<Contour> contours = ReadContours(buffer.data(), size, chord);
    glNewList(listBase + k, GL_COMPILE);
    if (format == WGL_FONT_POLYGONS) {
      Triangles triangles;
      Tessellate(&contours, &triangles);
      glBegin(GL_TRIANGLES);
      EmitFace(triangles, 0, true);
      if (extrusion != 0) EmitFace(triangles, -extrusion, false);
      glEnd();
      if (extrusion != 0) EmitWalls(contours, extrusion);
    } else {
      for (const Contour& contour : contours) {
        glBegin(GL_LINE_LOOP);
        for (const Point& p : contour) glVertex3d(p[0], p[1], 0);
        glEnd();
      }
    }
    glTranslated(static_cast<double>(glyph.gmCellIncX) / EmPixels, static_cast<double>(glyph.gmCellIncY) / EmPixels,
                 0);
    glEndList();
  }
  DeleteObject(SelectObject(dc, textFont));
  return built;
}
