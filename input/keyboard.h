#pragma once

// Special keys (F1..F8, arrows) turned into scene-state changes. modifiers is
// the toolkit's modifier state at the press.
void handleSpecialKey(int key, int modifiers);
void handleSpecialKeyUp(int key);
// Ordinary keys other than Escape: the inspect letters P, O, V, H (either case).
void handleKey(unsigned char key);
