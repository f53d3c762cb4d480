// Whether an OpenGL or WGL extension string names an extension. Pure: no Win32 or GL types.
#pragma once

// True when the space-separated list holds `name` as a whole word (a name that only starts
// another, such as WGL_EXT_swap_control in WGL_EXT_swap_control_tear, does not count). A null
// list holds nothing.
bool ListsExtension(const char* list, const char* name);
