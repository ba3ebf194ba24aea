#pragma once

// S: the request that the next frame takes up, and the line it then shows
// in the bottom-left corner ("Saved ..." or why not) for two seconds of
// wall-clock time, paused or not. Nothing here draws or writes files.

#include <string>

constexpr int kNoticeMilliseconds = 2000;

void requestScreenshot();
// True once for each run of requests: the frame that takes it saves.
bool takeScreenshotRequest();

// Shows `text` from `now` (elapsed milliseconds) on, replacing any earlier line.
void showNotice(const std::string& text, int now);
// The line to draw at `now`, or nullptr when there is none or its time is up.
const char* currentNotice(int now);
