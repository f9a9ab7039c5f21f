// The hint texts that the panel window's status line shows in turn (timer 3 and mouse rests).
#pragma once

namespace panel {

constexpr int kPanelHintCount = 9;

// Hint text [index]; an index outside 0..8 gives the first hint.
const char* PanelHintText(int index);
// The index after `index`, wrapping from the last hint to the first.
int NextHintIndex(int index);
// Shows hint text [*index] in the status line and advances *index to the next hint.
void ShowNextHint(int* index);

}  // namespace panel
