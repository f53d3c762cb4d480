// Test code: an outline service that extrudes as Windows' own wglUseFontOutlinesW does (Wine's
// builds the front faces only), for the frame tests and the pictures of make run. It plugs into
// UseFontOutlines (render/glyphs.h) and is never part of the shipped vorlux.scr. Runs on the
// thread whose GL context receives the lists.
#pragma once
#include <windows.h>

// wglUseFontOutlinesW's signature and contract: one list per glyph from listBase, coordinates in
// ems of the font selected into dc, each list ending by moving the origin by the glyph's advance,
// metrics filled. WGL_FONT_POLYGONS: the front face at z = 0 facing +Z, the back face at
// z = -extrusion facing -Z and the side walls facing outward, each wound counter-clockwise seen
// from where it faces. WGL_FONT_LINES: the outlines at z = 0. FALSE when a glyph has no outline.
BOOL WINAPI ExtrudingOutlines(HDC dc, DWORD first, DWORD count, DWORD listBase, FLOAT deviation, FLOAT extrusion,
                              int format, LPGLYPHMETRICSFLOAT metrics);
