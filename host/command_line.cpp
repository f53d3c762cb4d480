// The command-line grammar: program name, mode letter, window handle.
#include "host/command_line.h"
#include <string.h>

// Where `text` goes on after `prefix`, character by character, ASCII letters in either case; null
// when it does not start with it.
static const char* AfterPrefix(const char* text, const char* prefix, CharAdvance next) {
  auto folded = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  while (*prefix) {
    const char* end = next(prefix);
    if (end - prefix == 1 ? folded(*text) != folded(*prefix) : strncmp(text, prefix, end - prefix) != 0) return nullptr;
    text += end - prefix;
    prefix = end;
  }
  return text;
}

const char* SkipProgramName(const char* line, CharAdvance next, const char* ownPath) {
  const char* afterOwn = ownPath && *ownPath ? AfterPrefix(line, ownPath, next) : nullptr;
  if (afterOwn && static_cast<unsigned char>(*afterOwn) <= ' ') {
    line = afterOwn;
  } else if (*line == '"') {
    // A quoted name may hold blanks; without its closing quote it swallows the whole line.
    do line = next(line);
    while (*line && *line != '"');
    if (*line == '"') line = next(line);
  } else {
    while (static_cast<unsigned char>(*line) > ' ') line = next(line);
  }
  while (*line && static_cast<unsigned char>(*line) <= ' ') line = next(line);
  return line;
}

static const char* SkipSpaces(const char* text) {
  while (*text == ' ') ++text;
  return text;
}

ModeChoice ParseMode(const char* tail) {
  for (;; ++tail) {
    switch (*tail) {
      case '\0':
        return {SaverMode::Configure, tail};
      case ' ':
      case '-':
      case '/':
        continue;
      case 'A':
      case 'a':
        return {SaverMode::ChangePassword, SkipSpaces(tail + 1)};
      case 'C':
      case 'c':
        return {SaverMode::ConfigureOwned, tail + 1};
      case 'P':
      case 'p':
      case 'L':
      case 'l':
        return {SaverMode::Preview, SkipSpaces(tail + 1)};
      case 'S':
      case 's':
        return {SaverMode::Saver, tail + 1};
      case 'W':
      case 'w':
        return {SaverMode::Away, SkipSpaces(tail + 1)};
      default:
        return {SaverMode::Invalid, tail};
    }
  }
}

uint32_t ParseWindowHandle(const char* text) {
  uint32_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10u + static_cast<uint32_t>(*text - '0');
  return value;
}

int32_t AwayWordOfTail(const char* rest) {
  if (rest[0] < '1' || rest[0] > '6') return 0;
  for (const char* after = rest + 1; *after; ++after)
    if (*after != ' ') return 0;
  return rest[0] - '0';
}
