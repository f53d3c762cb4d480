// The away chooser (/w without a word): the six words numbered 1 to 6, the time beside the word
// and the lock; a digit starts its word at once. Main thread only.
#pragma once
#include <stdint.h>

// Shows the chooser over SaverState.TextSlots, StringID's word highlighted. Returns the word to
// start (1 to 6) once what the chooser shows is stored, 0 when it was cancelled (nothing stored),
// -1 when it could not be shown.
int32_t RunAwayChooser();
