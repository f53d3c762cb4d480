// Extension lists (see extensions.h).
#include "render/extensions.h"
#include <string.h>

bool ListsExtension(const char* list, const char* name) {
  if (!list || !*name) return false;
  const size_t length = strlen(name);
  for (const char* at = list; (at = strstr(at, name)) != nullptr; at += length) {
    bool starts = at == list || at[-1] == ' ';
    bool ends = at[length] == ' ' || at[length] == '\0';
    if (starts && ends) return true;
  }
  return false;
}
