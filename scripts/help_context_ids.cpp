// Build tool, compiled for the build machine: writes the help context numbers of the dialogs' help
// tables, one a line, into the file its argument names, so that the help file's generator can
// refuse a table entry that has no topic.
#include "config_ui/help_context_ids.h"
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: help_context_ids OUTPUT\n");
    return 2;
  }
  FILE* out = fopen(argv[1], "w");
  if (!out) {
    perror(argv[1]);
    return 1;
  }
  for (uint32_t id : HelpContextIds()) fprintf(out, "%u\n", static_cast<unsigned>(id));
  return fclose(out) == 0 ? 0 : 1;
}
