#pragma once

// Special keys (F1..F8, arrows) turned into scene-state changes. modifiers is
// the toolkit's modifier state at the press.
void handleSpecialKey(int key, int modifiers);
void handleSpecialKeyUp(int key);
