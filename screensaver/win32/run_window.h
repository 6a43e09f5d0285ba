#pragma once

// The run window Velmoran_S: a hidden top-level window titled
// "Velmoran_Main" that hosts one screensaver run. It is loaded and never
// shown; its load writes the hand-off images, starts the renderer and the
// music, its three timers keep the music going and watch the renderer, and
// its unload request ends the run and the program. What it decides lives in
// RunWindowSteps; this window binds the steps to the platform.

#include <array>
#include <string>

#include "run_window_steps.h"
#include "runtime/win32/form.h"
#include "runtime/win32/picture_box.h"
#include "runtime/win32/timer.h"

class Velmoran_S : public runtime::Form {
public:
    Velmoran_S();

    // 0: the capture surface, sized to the whole screen at load; 1 and 2: the
    // two 256 x 256 bolt pictures. Black, borderless, in pixels.
    std::array<runtime::PictureBox, 3> Display;
    runtime::Timer Timer1; // 1000 ms, off until an MP3 file plays
    runtime::Timer Timer2; // 200 ms, off until the CD is the music
    runtime::Timer Timer3; // 500 ms, on from the window's creation: the renderer watch

    // The renderer's full path, set just before the launch.
    const std::string& RendererPath() const { return m_steps.RendererPath(); }

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, runtime::UnloadReason reason) override;

private:
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    // The hand-off images' platform steps: sizes, the screen copy, the saves.
    HandoffImageServices HandoffImages();
    void CopyScreen();
    RunWindowServices Services();

    RunWindowSteps m_steps;
};

// Loads the program's run window (hidden); the run goes on from its load.
void LoadRunWindow();
