// The program's short sounds, played the way the desktop plays a sound
// asynchronously: the call returns at once, and a new sound cuts off the one
// still playing. Nothing is loaded before the first sound: the player's
// thread and the sound output start with it, so with sounds off neither
// ever exists. The output is let go after a few quiet seconds, and with it
// the system's sound library unless that loaded plug-ins.
#pragma once

#include <QByteArray>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace tastolino {

// A sound ready to play: interleaved signed 16-bit samples.
struct PcmSound {
    int rate = 0;
    int channels = 0;
    std::vector<int16_t> samples;
    int frames() const { return channels > 0 ? int(samples.size()) / channels : 0; }
};

// The PCM samples of a RIFF WAVE file (8 or 16 bits, one or two channels),
// each multiplied by `gain`; nothing for anything else or a damaged file.
std::optional<PcmSound> decodeWav(const QByteArray& file, float gain);

// What the player needs of a sound output. Calls come from the player's
// thread only.
class PcmOutput {
  public:
    virtual ~PcmOutput() = default;
    // Ready for sounds of this kind; false when the output cannot play.
    virtual bool configure(int rate, int channels) = 0;
    // Queues `frames` frames, waiting while the output's buffer is full;
    // false when the output failed.
    virtual bool write(const int16_t* samples, int frames) = 0;
    // Drops what is queued and not yet heard.
    virtual void cut() = 0;
};

class SoundPlayer {
  public:
    using OutputFactory = std::function<std::unique_ptr<PcmOutput>()>;
    using Loader = std::function<QByteArray(int id)>;

    // `openOutput` gives nothing when there is no output: the sound is then
    // skipped, and the output is asked for again `retryAfter` later at the
    // earliest. An output quiet for `releaseAfter` is let go.
    SoundPlayer(OutputFactory openOutput, Loader load, float gain = 1.0f,
                std::chrono::milliseconds releaseAfter = std::chrono::seconds(5),
                std::chrono::milliseconds retryAfter = std::chrono::seconds(5));
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Plays sound `id` without waiting.
    void play(int id);

  private:
    void run();
    const PcmSound* soundFor(int id);
    void playOne(const PcmSound& sound);
    bool interrupted();

    OutputFactory openOutput_;
    Loader load_;
    float gain_;
    std::chrono::milliseconds releaseAfter_;
    std::chrono::milliseconds retryAfter_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<int> request_;  // guarded by mutex_
    bool quit_ = false;           // guarded by mutex_
    std::thread thread_;

    // The player's thread only.
    std::map<int, std::optional<PcmSound>> sounds_;
    std::unique_ptr<PcmOutput> output_;
    int outputRate_ = 0;
    int outputChannels_ = 0;
    std::optional<std::chrono::steady_clock::time_point> lastFailure_;
};

// The system's sound output through ALSA's "default" device (which the
// desktop's sound server takes over), with the library loaded only now;
// nothing when the library or the device is missing.
std::unique_ptr<PcmOutput> openSystemOutput();

}  // namespace tastolino
