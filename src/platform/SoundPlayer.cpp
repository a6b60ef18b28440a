#include "platform/SoundPlayer.h"

#include <alsa/asoundlib.h>
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tastolino {
namespace {

uint32_t le32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

uint16_t le16(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint16_t(b[0] | b[1] << 8);
}

int16_t scaled(int sample, float gain) {
    const long v = std::lround(float(sample) * gain);
    return int16_t(std::clamp(v, -32768L, 32767L));
}

// Frames written at a time: short enough that a new sound cuts in quickly.
constexpr int kChunkFrames = 512;

}  // namespace

std::optional<PcmSound> decodeWav(const QByteArray& file, float gain) {
    const char* data = file.constData();
    const qsizetype size = file.size();
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return std::nullopt;
    int channels = 0, bits = 0, rate = 0;
    bool pcm = false;
    const char* samples = nullptr;
    qsizetype sampleBytes = 0;
    for (qsizetype at = 12; at + 8 <= size;) {
        const char* id = data + at;
        const qsizetype length = le32(data + at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = std::min(length, size - body);
        if (std::memcmp(id, "fmt ", 4) == 0 && available >= 16) {
            const uint16_t format = le16(data + body);
            channels = le16(data + body + 2);
            rate = int(le32(data + body + 4));
            bits = le16(data + body + 14);
            // WAVE_FORMAT_EXTENSIBLE names the format in its sub-format.
            pcm =
                format == 1 || (format == 0xFFFE && available >= 26 && le16(data + body + 24) == 1);
        } else if (std::memcmp(id, "data", 4) == 0) {
            // A writer that did not know the length at the start leaves it
            // too large: what the file holds is played.
            samples = data + body;
            sampleBytes = available;
            break;
        }
        at = body + length + (length & 1);
    }
    if (!pcm || !samples || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) ||
        rate < 4000 || rate > 192000)
        return std::nullopt;
    PcmSound sound;
    sound.rate = rate;
    sound.channels = channels;
    const int bytesPerFrame = channels * bits / 8;
    const qsizetype frames = sampleBytes / bytesPerFrame;
    sound.samples.reserve(size_t(frames * channels));
    for (qsizetype i = 0; i < frames * channels; ++i) {
        const int sample = bits == 16 ? int(int16_t(le16(samples + 2 * i)))
                                      : (int(uint8_t(samples[i])) - 128) * 256;
        sound.samples.push_back(scaled(sample, gain));
    }
    if (sound.samples.empty()) return std::nullopt;
    return sound;
}

SoundPlayer::SoundPlayer(OutputFactory openOutput, Loader load, float gain,
                         std::chrono::milliseconds releaseAfter,
                         std::chrono::milliseconds retryAfter)
    : openOutput_(std::move(openOutput)),
      load_(std::move(load)),
      gain_(gain),
      releaseAfter_(releaseAfter),
      retryAfter_(retryAfter) {}

SoundPlayer::~SoundPlayer() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void SoundPlayer::play(int id) {
    {
        std::lock_guard lock(mutex_);
        request_ = id;
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    }
    wake_.notify_one();
}

void SoundPlayer::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        const auto ready = [this] { return quit_ || request_.has_value(); };
        if (output_) {
            // Quiet for a while: the output goes, so that no stream stays
            // open on the sound server between exercises.
            if (!wake_.wait_for(lock, releaseAfter_, ready)) {
                output_.reset();
                continue;
            }
        } else {
            wake_.wait(lock, ready);
        }
        if (quit_) break;
        const int id = *request_;
        request_.reset();
        lock.unlock();
        if (const PcmSound* sound = soundFor(id)) playOne(*sound);
        lock.lock();
    }
    lock.unlock();
    output_.reset();
}

const PcmSound* SoundPlayer::soundFor(int id) {
    auto found = sounds_.find(id);
    if (found == sounds_.end()) found = sounds_.emplace(id, decodeWav(load_(id), gain_)).first;
    return found->second ? &*found->second : nullptr;
}

bool SoundPlayer::interrupted() {
    std::lock_guard lock(mutex_);
    return quit_ || request_.has_value();
}

void SoundPlayer::playOne(const PcmSound& sound) {
    if (!output_) {
        const auto now = std::chrono::steady_clock::now();
        if (lastFailure_ && now - *lastFailure_ < retryAfter_) return;
        output_ = openOutput_();
        outputRate_ = outputChannels_ = 0;
        if (!output_) {
            lastFailure_ = now;
            return;
        }
        lastFailure_.reset();
    }
    if (sound.rate != outputRate_ || sound.channels != outputChannels_) {
        if (!output_->configure(sound.rate, sound.channels)) {
            output_.reset();
            lastFailure_ = std::chrono::steady_clock::now();
            return;
        }
        outputRate_ = sound.rate;
        outputChannels_ = sound.channels;
    }
    const int frames = sound.frames();
    for (int at = 0; at < frames; at += kChunkFrames) {
        if (interrupted()) {
            output_->cut();
            return;
        }
        const int count = std::min(kChunkFrames, frames - at);
        if (!output_->write(sound.samples.data() + size_t(at) * size_t(sound.channels), count)) {
            output_.reset();
            return;
        }
    }
}

// --- ALSA, loaded while the output is open ----------------------------------

namespace {

// ALSA reports through this; a machine without a sound card is no error
// worth a line on the terminal for every sound.
void quietAlsaError(const char*, int, const char*, int, const char*, ...) {}

template <typename F>
bool resolve(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

int isAlsaPlugin(dl_phdr_info* info, size_t, void*) {
    return info->dlpi_name && std::strstr(info->dlpi_name, "libasound_module_") ? 1 : 0;
}

// Whether ALSA has loaded any of its plug-ins (the sound servers' among
// them): unloading those is not safe, so ALSA then stays as it is.
bool alsaPluginsLoaded() {
    return dl_iterate_phdr(isAlsaPlugin, nullptr) != 0;
}

// The library with the functions the output uses. It is loaded when an
// output opens. When the last output using it goes (the player lets its
// output go after a few quiet seconds, or it could not open) and ALSA
// loaded no plug-in, its configuration is freed and the library unloaded;
// with a plug-in it stays loaded for the rest of the run.
class Alsa {
  public:
    // Nothing when the library is not installed or lacks a function.
    static std::shared_ptr<const Alsa> load() {
        void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!library) return nullptr;
        std::shared_ptr<Alsa> a(new Alsa(library));
        decltype(&snd_lib_error_set_handler) setErrorHandler = nullptr;
        if (!resolve(library, "snd_pcm_open", a->open) ||
            !resolve(library, "snd_pcm_set_params", a->setParams) ||
            !resolve(library, "snd_pcm_writei", a->writei) ||
            !resolve(library, "snd_pcm_recover", a->recover) ||
            !resolve(library, "snd_pcm_drop", a->drop) ||
            !resolve(library, "snd_pcm_prepare", a->prepare) ||
            !resolve(library, "snd_pcm_close", a->close) ||
            !resolve(library, "snd_config_update_free_global", a->freeConfiguration) ||
            !resolve(library, "snd_lib_error_set_handler", setErrorHandler))
            return nullptr;
        setErrorHandler(quietAlsaError);
        return a;
    }

    ~Alsa() {
        if (alsaPluginsLoaded()) return;
        if (freeConfiguration) freeConfiguration();
        dlclose(library_);
    }
    Alsa(const Alsa&) = delete;
    Alsa& operator=(const Alsa&) = delete;

    decltype(&snd_pcm_open) open = nullptr;
    decltype(&snd_pcm_set_params) setParams = nullptr;
    decltype(&snd_pcm_writei) writei = nullptr;
    decltype(&snd_pcm_recover) recover = nullptr;
    decltype(&snd_pcm_drop) drop = nullptr;
    decltype(&snd_pcm_prepare) prepare = nullptr;
    decltype(&snd_pcm_close) close = nullptr;
    decltype(&snd_config_update_free_global) freeConfiguration = nullptr;

  private:
    explicit Alsa(void* library) : library_(library) {}
    void* library_;
};

class AlsaOutput : public PcmOutput {
  public:
    AlsaOutput(std::shared_ptr<const Alsa> a, snd_pcm_t* pcm) : a_(std::move(a)), pcm_(pcm) {}
    ~AlsaOutput() override {
        // Quiet for seconds by now, or the program is ending.
        a_->drop(pcm_);
        a_->close(pcm_);
    }

    bool configure(int rate, int channels) override {
        a_->drop(pcm_);
        channels_ = channels;
        // A tenth of a second of buffer: sounds start at once and a new one
        // cuts in soon.
        return a_->setParams(pcm_, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED,
                             unsigned(channels), unsigned(rate), 1, 100000) == 0;
    }

    bool write(const int16_t* samples, int frames) override {
        while (frames > 0) {
            snd_pcm_sframes_t written = a_->writei(pcm_, samples, snd_pcm_uframes_t(frames));
            if (written < 0) written = a_->recover(pcm_, int(written), 1);
            if (written < 0) return false;
            samples += written * channels_;
            frames -= int(written);
        }
        return true;
    }

    void cut() override {
        a_->drop(pcm_);
        a_->prepare(pcm_);
    }

  private:
    std::shared_ptr<const Alsa> a_;
    snd_pcm_t* pcm_;
    int channels_ = 1;
};

}  // namespace

std::unique_ptr<PcmOutput> openSystemOutput() {
    std::shared_ptr<const Alsa> a = Alsa::load();
    if (!a) return nullptr;
    snd_pcm_t* pcm = nullptr;
    if (a->open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) != 0 || !pcm) return nullptr;
    return std::make_unique<AlsaOutput>(std::move(a), pcm);
}

}  // namespace tastolino
