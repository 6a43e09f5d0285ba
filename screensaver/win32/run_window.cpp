#include "run_window.h"

#include <windows.h>

#include "handoff_folder.h"
#include "monitor_photographs.h"
#include "win32/handoff_folder_access.h"
#include "program_globals.h"
#include "program_music.h"
#include "program_names.h"
#include "renderer_process.h"
#include "resource_ids.h"
#include "runtime/win32/application.h"
#include "runtime/win32/picture.h"
#include "runtime/win32/retained_image.h"
#include "runtime/win32/text_encoding.h"

using namespace runtime;

namespace {

constexpr int kBoltPictureSize = 256;    // pixels
constexpr unsigned kEndWaitMoment = 100; // milliseconds between looks for the renderer's window

Velmoran_S& RunWindow() {
    static Velmoran_S form;
    return form;
}

TimerSwitch SwitchOf(Timer& timer) {
    return TimerSwitch{[&timer] { return timer.Enabled(); },
                       [&timer](bool enabled) { timer.SetEnabled(enabled); }};
}

} // namespace

Velmoran_S::Velmoran_S()
    : Display{{{*this, "Display", 0}, {*this, "Display", 1}, {*this, "Display", 2}}},
      Timer1(*this, "Timer1", 1000, false), Timer2(*this, "Timer2", 200, false),
      Timer3(*this, "Timer3", 500, true), m_steps(g_music_settings, ProgramMusic(), Services()) {
    SetCaption(kRunWindowTitle);
    SetBorderStyle(BorderStyle::None);
    SetScaleMode(ScaleMode::Pixels);
    const int bolt_pictures[] = {IDB_BOLT_VIOLET, IDB_BOLT_YELLOW};
    for (PictureBox& display : Display) {
        display.SetScaleMode(ScaleMode::Pixels);
        display.SetBackColor(RGB(0, 0, 0));
        // Its retained image is what is saved: for 1 and 2 the bolt picture itself.
        display.SetAutoRedraw(true);
        if (display.Index() > 0) {
            display.SetBackgroundPicture(Picture::FromResource(bolt_pictures[display.Index() - 1]));
            display.Move(0, 0, kBoltPictureSize, kBoltPictureSize);
        }
    }
    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    Timer3.Tick = [this] { Timer3_Timer(); };
}

HandoffImageServices Velmoran_S::HandoffImages() {
    HandoffImageServices services;
    services.size_window_to_screen = [this] {
        const ScreenMetrics screen = Screen();
        Move(Left(), Top(), screen.width_twips, screen.height_twips);
    };
    services.size_capture_surface = [this] { Display[0].Move(0, 0, ScaleWidth(), ScaleHeight()); };
    services.copy_screen = [this] { CopyScreen(); };
    services.save_picture = [this](int index) {
        // The picture box's retained image, client-sized, at the display's depth.
        const PictureBox& picture = Display[static_cast<std::size_t>(index)];
        const SIZE size = picture.ClientSize();
        const auto file = EncodeDcAsBmp(picture.hDC(), size.cx, size.cy);
        const auto folder = UserHandoffFolder();
        const bool written = file && folder && WriteHandoffFile(*folder, index, *file);
        if (!written && folder && IsMonitorPhotograph(index)) {
            RemoveHandoffFile(*folder, index);
        }
        LastApiResult = written;
        return written;
    };
    if (g_display_settings.EveryMonitor) {
        services.photograph_other_monitors = [] {
            const auto folder = UserHandoffFolder();
            return folder ? PhotographOtherMonitors(*folder) : std::vector<MonitorPhotograph>{};
        };
    }
    return services;
}

void Velmoran_S::CopyScreen() {
    PictureBox& surface = Display[0];
    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);
    const SIZE size = surface.ClientSize();
    LastApiResult = BitBlt(surface.hDC(), 0, 0, size.cx, size.cy, screen, 0, 0, SRCCOPY);
    surface.Refresh();
    LastApiResult = ReleaseDC(desktop, screen);
}

RunWindowServices Velmoran_S::Services() {
    RunWindowServices services;
    services.handoff_images = HandoffImages();
    services.program_folder = Utf8FromWide(Application::ProgramFolderWide());
    services.renderer_arguments = RendererArgumentsFor(g_display_settings);
    services.start_renderer = [this](const RendererLaunch& launch) {
        if (!StartRendererProcess(launch)) {
            return false;
        }
        // Timer3 looks for the renderer's window twice a second; its end is
        // also told at once, so Esc ends the whole run without that wait.
        PostTimerTickWhenRendererEnds(ContainerWindow(), Timer3.Id());
        return true;
    };
    services.renderer_running = [] { return RendererProcessRunning(); };
    services.renderer_window_exists = [] {
        return FindWindowA(nullptr, kRendererWindowTitle) != nullptr;
    };
    services.wait_a_moment = [] { WaitForRendererMoment(kEndWaitMoment); };
    services.remove_photograph = [] {
        if (const auto folder = UserHandoffFolder()) {
            RemoveHandoffFile(*folder, 0);
            RemoveOtherMonitorPhotographs(*folder);
        }
    };
    services.timer1 = SwitchOf(Timer1);
    services.timer2 = SwitchOf(Timer2);
    services.timer3 = SwitchOf(Timer3);
    services.unload_run_window = [this] { Unload(UnloadReason::Code); };
    services.command_arguments = [] { return Application::CommandArguments(); };
    services.lead_byte = SystemLeadByte;
    services.show_cursor = [] { LastApiResult = ShowCursor(TRUE); };
    services.end_program = [] {
        StopWatchingRenderer();
        Application::End();
    };
    return services;
}

void Velmoran_S::Form_Load() {
    m_steps.Form_Load();
}

void Velmoran_S::Form_QueryUnload(bool&, UnloadReason reason) {
    // Every unload comes here (the watch, a close message from another
    // program, the end of the session); the program ends within.
    m_steps.Form_QueryUnload(reason == UnloadReason::AppWindows);
}

void Velmoran_S::Timer1_Timer() {
    m_steps.Timer1_Timer();
}

void Velmoran_S::Timer2_Timer() {
    m_steps.Timer2_Timer();
}

void Velmoran_S::Timer3_Timer() {
    m_steps.Timer3_Timer();
}

void LoadRunWindow() {
    RunWindow().Load();
}
