#include "platform/system/Sound.h"

#include "platform/event/Clock.h"
#include "platform/event/MultimediaTimer.h"
#include "platform/system/FileSystem.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <sys/stat.h>

namespace plat {

namespace {

    // Alert sounds are short; anything larger is not one of ours and is not loaded whole.
    constexpr off_t kMaxWavBytes = 16 * 1024 * 1024;
    constexpr size_t kHistoryLength = 64;

    struct SoundState {
        std::mutex lock;
        std::deque<SoundPlayback> history;
        uint64_t latestStart = 0;
        int outputEnabled = -1; // -1: not decided yet
        bool deviceTried = false;
        SDL_AudioDeviceID device = 0;
        SDL_AudioSpec deviceSpec {};
        UINT closeTimer = 0;
    };

    // How long an open device waits after the last sound before it closes.
    constexpr uint32_t kCloseAfterMs = 1000;

    SoundState& State()
    {
        static SoundState* state = new SoundState; // lives to the end of the process
        return *state;
    }

    bool OutputWanted(SoundState& s)
    {
        if (s.outputEnabled < 0) {
            const char* display = std::getenv("QUORIX_DISPLAY");
            s.outputEnabled = !(display && std::strcmp(display, "headless") == 0);
        }
        return s.outputEnabled == 1;
    }

    // Opens the device once; later calls return what the first found.
    bool OpenDevice(SoundState& s)
    {
        if (s.deviceTried)
            return s.device != 0;
        s.deviceTried = true;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        SDL_AudioSpec want {};
        want.freq = 44100;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 2048;
        s.device = SDL_OpenAudioDevice(nullptr, 0, &want, &s.deviceSpec, SDL_AUDIO_ALLOW_ANY_CHANGE);
        if (!s.device) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        SDL_PauseAudioDevice(s.device, 0);
        return true;
    }

    uint32_t DurationMs(const SDL_AudioSpec& spec, uint32_t bytes)
    {
        uint64_t frameBytes = uint64_t(SDL_AUDIO_BITSIZE(spec.format) / 8) * spec.channels;
        if (frameBytes == 0 || spec.freq <= 0)
            return 0;
        return uint32_t(uint64_t(bytes) / frameBytes * 1000 / uint64_t(spec.freq));
    }

    void CloseWhenPlayed(UINT id, UINT, uintptr_t, uintptr_t, uintptr_t);

    // An open device has a thread that wakes for every buffer, silent or not: the device
    // is closed once the last sound has played, and opened again for the next one.
    // Lock held.
    void ScheduleClose(SoundState& s, uint32_t ms)
    {
        if (s.closeTimer)
            timeKillEvent(s.closeTimer);
        s.closeTimer = timeSetEvent(std::max<uint32_t>(ms, 1), 10, CloseWhenPlayed, 0, TIME_ONESHOT);
    }

    void CloseWhenPlayed(UINT id, UINT, uintptr_t, uintptr_t, uintptr_t)
    {
        SoundState& s = State();
        std::lock_guard<std::mutex> guard(s.lock);
        if (id != s.closeTimer)
            return;
        s.closeTimer = 0;
        if (!s.device)
            return;
        if (const uint32_t left = SDL_GetQueuedAudioSize(s.device)) {
            ScheduleClose(s, DurationMs(s.deviceSpec, left) + kCloseAfterMs);
            return;
        }
        SDL_CloseAudioDevice(s.device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        s.device = 0;
        s.deviceTried = false;
    }

    // The sound in the device's format, ready to queue; empty when it cannot be converted.
    std::vector<uint8_t> Convert(
        const SDL_AudioSpec& from, const uint8_t* data, uint32_t length, const SDL_AudioSpec& to)
    {
        std::vector<uint8_t> out;
        SDL_AudioStream* stream
            = SDL_NewAudioStream(from.format, from.channels, from.freq, to.format, to.channels, to.freq);
        if (!stream)
            return out;
        if (SDL_AudioStreamPut(stream, data, int(length)) == 0 && SDL_AudioStreamFlush(stream) == 0) {
            int available = SDL_AudioStreamAvailable(stream);
            if (available > 0) {
                out.resize(size_t(available));
                int got = SDL_AudioStreamGet(stream, out.data(), available);
                out.resize(got > 0 ? size_t(got) : 0);
            }
        }
        SDL_FreeAudioStream(stream);
        return out;
    }

    bool LatestStillPlaying(SoundState& s)
    {
        if (s.history.empty())
            return false;
        const SoundPlayback& latest = s.history.back();
        if (latest.device && s.device)
            return SDL_GetQueuedAudioSize(s.device) > 0;
        return GetTickCount64() < s.latestStart + latest.durationMs;
    }

} // namespace

bool sndPlaySoundW(const wchar_t* name, uint32_t flags)
{
    if (!name || !(flags & SND_FILENAME))
        return false;
    std::string native = NativePath(name);
    struct stat info { };
    if (stat(native.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxWavBytes)
        return false;

    SDL_AudioSpec spec {};
    uint8_t* data = nullptr;
    uint32_t length = 0;
    if (!SDL_LoadWAV(native.c_str(), &spec, &data, &length))
        return false;

    SoundState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    SoundPlayback playback;
    playback.path = name;
    playback.durationMs = DurationMs(spec, length);

    bool ok = true;
    if (OutputWanted(s) && OpenDevice(s)) {
        std::vector<uint8_t> converted = Convert(spec, data, length, s.deviceSpec);
        ok = !converted.empty() || length == 0;
        if (ok) {
            if (LatestStillPlaying(s))
                s.history.back().cut = true;
            SDL_ClearQueuedAudio(s.device);
            ok = converted.empty()
                || SDL_QueueAudio(s.device, converted.data(), uint32_t(converted.size())) == 0;
            playback.device = true;
            ScheduleClose(s, playback.durationMs + kCloseAfterMs);
        }
    } else if (LatestStillPlaying(s)) {
        s.history.back().cut = true;
    }
    SDL_FreeWAV(data);
    if (!ok)
        return false;

    s.latestStart = GetTickCount64();
    s.history.push_back(playback);
    if (s.history.size() > kHistoryLength)
        s.history.pop_front();
    return true;
}

std::vector<SoundPlayback> GetSoundHistory()
{
    SoundState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return { s.history.begin(), s.history.end() };
}

void ClearSoundHistory()
{
    SoundState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.history.clear();
}

bool IsSoundPlaying()
{
    SoundState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return LatestStillPlaying(s);
}

void SetSoundOutputEnabled(bool enabled)
{
    SoundState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.outputEnabled = enabled ? 1 : 0;
}

} // namespace plat
