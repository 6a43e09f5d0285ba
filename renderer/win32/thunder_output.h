#pragma once

// The thunder's way to the speakers: the mixer's blocks through the
// system's wave output (which mixes them with the music the screensaver
// program plays), kept filled from the renderer's loop, on its one thread.
// No device, a device that cannot be opened, a sound resource that is
// damaged or missing, a device that fails during the run: the storm goes on
// in silence, and nothing is said.

#include <windows.h>

#include <mmsystem.h>

#include <array>
#include <memory>
#include <vector>

#include "../fade_sprite.h"
#include "../thunder.h"

class ThunderOutput {
public:
    ThunderOutput() = default;
    ~ThunderOutput() { close(); }
    ThunderOutput(const ThunderOutput&) = delete;
    ThunderOutput& operator=(const ThunderOutput&) = delete;

    // Loads the sounds and opens the device; false (and silence) when either fails.
    bool open(HINSTANCE instance);

    // The thunder of a bolt that has just appeared.
    void strike(const FadeSprite& bolt);

    // Refills the blocks the device has played. Every pass of the loop.
    void pump();

    // Silence at once, and the device closed.
    void close();

private:
    static constexpr int kBlocks = 6;
    static constexpr int kBlockFrames = 1024; // 46 ms each

    bool submit(int block);

    HWAVEOUT m_device = nullptr;
    std::unique_ptr<ThunderMixer> m_mixer;
    std::array<WAVEHDR, kBlocks> m_headers{};
    std::array<std::vector<std::int16_t>, kBlocks> m_samples;
};
