#pragma once

// The renderer's process as the run window knows it: started with its
// program named apart from its quoted command line, and held only to learn
// whether it still runs. Nothing is sent to it, nothing waits for it to do
// anything, and nothing ends it.

#include <windows.h>

#include "renderer_launch.h"

// Starts the renderer; false when the process could not be made.
bool StartRendererProcess(const RendererLaunch& launch);

// Whether the started renderer's process still runs (false when none was started).
bool RendererProcessRunning();

// When the started renderer's process ends, posts a tick of the timer
// timer_id to window, so that the run's end follows the renderer's at once
// instead of at the timer's next look. False when it cannot be watched (the
// timer's own ticks still find the end).
bool PostTimerTickWhenRendererEnds(HWND window, UINT_PTR timer_id);

// Stops that watch; the program calls it before it ends.
void StopWatchingRenderer();

// Lets about milliseconds pass, or less when the renderer ends first,
// answering the messages that other programs send to this thread meanwhile
// (the session's end among them) without taking posted ones off the queue.
void WaitForRendererMoment(unsigned milliseconds);
