// What the saver window decides on wherever it arrives, and the hand-over to it: the GL child and
// the covers lie over or beside the saver window and pass exactly these messages on. Main thread
// only.
#pragma once
#include <windows.h>

// Key and button presses and mouse movement (which close the saver), activation, the cursor and
// system commands.
bool IsSaverInput(UINT message);
// A message of that list that came to another window of the saver (the GL child, a cover), handled
// as if it had come to the saver window: through its procedure, so that the host's own filter (of
// system commands, say) applies as well.
LRESULT HandToSaverWindow(UINT message, WPARAM wParam, LPARAM lParam);
