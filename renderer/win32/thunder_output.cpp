#include "thunder_output.h"

#include <cmath>

#include "renderer_resources.h"

namespace {

// The sounds built into the program; those that do not decode are left out.
std::vector<ThunderSound> built_in_sounds(HINSTANCE instance) {
    std::vector<ThunderSound> sounds;
    for (int i = 0; i < IDR_THUNDER_COUNT; ++i) {
        HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_THUNDER_FIRST + i),
                                    MAKEINTRESOURCEW(10) /* RT_RCDATA */);
        HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
        const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (bytes == nullptr) {
            continue;
        }
        const std::span file(static_cast<const std::uint8_t*>(bytes),
                             SizeofResource(instance, found));
        if (std::optional<ThunderSound> sound = decode_thunder_wav(file)) {
            sounds.push_back(std::move(*sound));
        }
    }
    return sounds;
}

} // namespace

bool ThunderOutput::open(HINSTANCE instance) {
    std::vector<ThunderSound> sounds = built_in_sounds(instance);
    if (sounds.empty()) {
        return false;
    }
    m_mixer = std::make_unique<ThunderMixer>(std::move(sounds));
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = kThunderRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = kThunderRate * 4;
    if (waveOutOpen(&m_device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        m_device = nullptr;
        return false;
    }
    // The blocks go out at once, silent until the first thunder.
    for (int block = 0; block < kBlocks; ++block) {
        m_samples[block].assign(kBlockFrames * 2, 0);
        WAVEHDR& header = m_headers[block];
        header.lpData = reinterpret_cast<LPSTR>(m_samples[block].data());
        header.dwBufferLength = kBlockFrames * 4;
        if (waveOutPrepareHeader(m_device, &header, sizeof(header)) != MMSYSERR_NOERROR ||
            !submit(block)) {
            close();
            return false;
        }
    }
    return true;
}

bool ThunderOutput::submit(int block) {
    m_mixer->mix(m_samples[block]);
    m_headers[block].dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
    return waveOutWrite(m_device, &m_headers[block], sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
}

void ThunderOutput::strike(const FadeSprite& bolt) {
    if (m_device == nullptr) {
        return;
    }
    MMTIME played{};
    played.wType = TIME_SAMPLES;
    waveOutGetPosition(m_device, &played, sizeof(played));
    const std::int64_t frames = played.wType == TIME_SAMPLES ? played.u.sample : m_mixer->mixed();
    // The sound chosen by the bolt's place: the sky's draws stay the storm's own.
    const auto choice =
        static_cast<unsigned>(std::lround(std::fabs(bolt.position.x - bolt.position.z)));
    m_mixer->strike(frames, bolt.position, bolt.half_size, choice / 2);
}

void ThunderOutput::pump() {
    if (m_device == nullptr) {
        return;
    }
    for (int block = 0; block < kBlocks; ++block) {
        if ((m_headers[block].dwFlags & WHDR_DONE) != 0 && !submit(block)) {
            close(); // the device failed: silence for the rest of the run
            return;
        }
    }
}

void ThunderOutput::close() {
    if (m_device == nullptr) {
        return;
    }
    waveOutReset(m_device);
    for (WAVEHDR& header : m_headers) {
        if ((header.dwFlags & WHDR_PREPARED) != 0) {
            waveOutUnprepareHeader(m_device, &header, sizeof(header));
        }
    }
    waveOutClose(m_device);
    m_device = nullptr;
}
