// The sound player: the program's WAVE files decoded at the level asked
// for, damaged files refused without a crash, a new sound cutting off the
// one playing, no thread and no output before the first sound, the output
// let go when quiet and asked for again only after a pause when missing.
#include "platform/SoundPlayer.h"

#include <QFile>
#include <QtTest>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

using namespace tastolino;
using namespace std::chrono_literals;

namespace {

void putLe(QByteArray& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(char((value >> (8 * i)) & 0xFF));
}

// A RIFF WAVE file with a "fmt " chunk of the given kind and the samples.
QByteArray wave(int channels, int bits, int rate, const QByteArray& samples, int format = 1,
                qint64 declaredData = -1) {
    QByteArray fmt;
    putLe(fmt, uint32_t(format), 2);
    putLe(fmt, uint32_t(channels), 2);
    putLe(fmt, uint32_t(rate), 4);
    putLe(fmt, uint32_t(rate * channels * bits / 8), 4);
    putLe(fmt, uint32_t(channels * bits / 8), 2);
    putLe(fmt, uint32_t(bits), 2);
    QByteArray body = "WAVE";
    // An odd chunk the reader must step over, padding byte included.
    body += "LIST";
    putLe(body, 3, 4);
    body += QByteArray("abc") + '\0';
    body += "fmt ";
    putLe(body, uint32_t(fmt.size()), 4);
    body += fmt;
    body += "data";
    putLe(body, uint32_t(declaredData >= 0 ? declaredData : samples.size()), 4);
    body += samples;
    QByteArray file = "RIFF";
    putLe(file, uint32_t(body.size()), 4);
    return file + body;
}

QByteArray samples16(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) putLe(out, uint32_t(uint16_t(int16_t(v))), 2);
    return out;
}

// An output that records what reaches it; each write takes a little time,
// as a real output with a full buffer does.
struct Recording {
    std::mutex mutex;
    std::vector<std::string> events;
    std::atomic<int> opened{0};
    std::atomic<int> released{0};
    std::atomic<bool> refuse{false};
    std::chrono::milliseconds writeTime{0};

    void add(std::string event) {
        std::lock_guard lock(mutex);
        events.push_back(std::move(event));
    }
    std::vector<std::string> snapshot() {
        std::lock_guard lock(mutex);
        return events;
    }
};

class FakeOutput : public PcmOutput {
  public:
    explicit FakeOutput(Recording& r) : r_(r) {}
    ~FakeOutput() override { ++r_.released; }
    bool configure(int rate, int channels) override {
        r_.add("configure " + std::to_string(rate) + "/" + std::to_string(channels));
        return true;
    }
    bool write(const int16_t* samples, int frames) override {
        std::this_thread::sleep_for(r_.writeTime);
        r_.add("write " + std::to_string(samples[0]) + " x" + std::to_string(frames));
        return true;
    }
    void cut() override { r_.add("cut"); }

  private:
    Recording& r_;
};

SoundPlayer::OutputFactory factoryFor(Recording& r) {
    return [&r]() -> std::unique_ptr<PcmOutput> {
        ++r.opened;
        if (r.refuse) return nullptr;
        return std::make_unique<FakeOutput>(r);
    };
}

// Sound n: 2000 frames of the value n at 22050 Hz, mono.
QByteArray constantSound(int id) {
    QByteArray samples;
    for (int i = 0; i < 2000; ++i) putLe(samples, uint32_t(uint16_t(int16_t(id))), 2);
    return wave(1, 16, 22050, samples);
}

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 3000ms) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

}  // namespace

class TestSoundPlayer : public QObject {
    Q_OBJECT

  private slots:
    void programSoundsDecodeAtTheLevelAsked() {
        for (int id = 101; id <= 112; ++id) {
            QFile file(QStringLiteral(TASTOLINO_SOURCE_DIR "/resources/sounds/%1.wav").arg(id));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const auto full = decodeWav(bytes, 1.0f);
            QVERIFY2(full, qPrintable(QString::number(id)));
            QCOMPARE(full->rate, 22050);
            QCOMPARE(full->channels, 1);
            QVERIFY(full->frames() > 500);  // the shortest, a click, is 25 ms
            const auto quieter = decodeWav(bytes, 0.6f);
            QVERIFY(quieter);
            QCOMPARE(quieter->samples.size(), full->samples.size());
            for (size_t i = 0; i < full->samples.size(); i += 97)
                QVERIFY(std::abs(quieter->samples[i] - full->samples[i] * 0.6) <= 0.5);
        }

        // 8-bit samples are unsigned around 128; stereo keeps its frames;
        // a level above one clips instead of wrapping round.
        const auto eight = decodeWav(wave(1, 8, 8000, QByteArray("\x00\x80\xff", 3)), 1.0f);
        QVERIFY(eight);
        QCOMPARE(eight->samples, (std::vector<int16_t>{-32768, 0, 32512}));
        const auto stereo = decodeWav(wave(2, 16, 44100, samples16({1, -1, 2, -2})), 1.0f);
        QVERIFY(stereo);
        QCOMPARE(stereo->frames(), 2);
        const auto loud = decodeWav(wave(1, 16, 8000, samples16({30000, -30000})), 2.0f);
        QVERIFY(loud);
        QCOMPARE(loud->samples, (std::vector<int16_t>{32767, -32768}));
        // A data length larger than the file (a writer that never came
        // back to fill it in) plays what is there.
        const auto open = decodeWav(wave(1, 16, 8000, samples16({5, 6, 7}), 1, 0x7FFFFFF0), 1.0f);
        QVERIFY(open);
        QCOMPARE(open->samples, (std::vector<int16_t>{5, 6, 7}));
    }

    void damagedFilesAreRefused() {
        const QByteArray good = wave(1, 16, 22050, samples16({1, 2, 3}));
        QVERIFY(decodeWav(good, 1.0f));
        QVERIFY(!decodeWav(QByteArray(), 1.0f));
        QVERIFY(!decodeWav(QByteArray("RIFF"), 1.0f));
        QVERIFY(!decodeWav(QByteArray(good).replace(0, 4, "RIFX"), 1.0f));
        // Cut anywhere, the file gives a sound or nothing, never a crash.
        for (int size = 0; size < good.size(); ++size) decodeWav(good.left(size), 1.0f);
        QVERIFY(!decodeWav(wave(1, 16, 22050, samples16({1}), 3), 1.0f));  // floating point
        QVERIFY(!decodeWav(wave(6, 16, 22050, samples16({1, 2, 3, 4, 5, 6})), 1.0f));
        QVERIFY(!decodeWav(wave(1, 24, 22050, QByteArray(6, 'x')), 1.0f));
        QVERIFY(!decodeWav(wave(1, 16, 0, samples16({1})), 1.0f));
        QVERIFY(!decodeWav(wave(1, 16, 22050, QByteArray()), 1.0f));
        // A chunk claiming four gigabytes ends the walk instead of
        // wrapping round.
        QByteArray huge = good;
        huge.replace(16, 4, QByteArray("\xff\xff\xff\xff", 4));
        QVERIFY(!decodeWav(huge, 1.0f));
    }

    void aNewSoundCutsOffTheOnePlaying() {
        Recording r;
        r.writeTime = 20ms;
        std::atomic<int> loads{0};
        {
            SoundPlayer player(
                factoryFor(r),
                [&loads](int id) {
                    ++loads;
                    return constantSound(id);
                },
                1.0f);
            // No output and no loading before the first sound.
            QCOMPARE(r.opened.load(), 0);
            player.play(7);
            QVERIFY(waitFor([&r] { return r.snapshot().size() >= 2; }));
            player.play(9);
            QVERIFY(waitFor([&r] {
                const auto e = r.snapshot();
                return !e.empty() && e.back() == "write 9 x464";
            }));
            const auto events = r.snapshot();
            QCOMPARE(events.front(), std::string("configure 22050/1"));
            const auto cut = std::find(events.begin(), events.end(), "cut");
            QVERIFY(cut != events.end());
            QVERIFY(std::all_of(events.begin() + 1, cut,
                                [](const std::string& e) { return e.rfind("write 7", 0) == 0; }));
            QVERIFY(std::count(events.begin(), events.end(), "write 9 x512") == 3);
            // The same kind of sound needs no new configuration; each
            // sound is read once.
            QCOMPARE(std::count(events.begin(), events.end(), "configure 22050/1"), 1);
            player.play(7);
            QVERIFY(waitFor([&r] { return r.snapshot().back() == "write 7 x464"; }));
            QCOMPARE(loads.load(), 2);
            QCOMPARE(r.opened.load(), 1);
        }
        // The player's end lets the output go.
        QCOMPARE(r.released.load(), 1);
    }

    void quietOutputIsReleasedAndAMissingOneRetriedLater() {
        Recording r;
        {
            SoundPlayer player(factoryFor(r), constantSound, 1.0f, 50ms, 200ms);
            player.play(1);
            QVERIFY(waitFor([&r] { return r.released.load() == 1; }));
            player.play(1);
            QVERIFY(waitFor([&r] { return r.opened.load() == 2; }));
        }
        Recording none;
        none.refuse = true;
        SoundPlayer silent(factoryFor(none), constantSound, 1.0f, 50ms, 300ms);
        silent.play(1);
        QVERIFY(waitFor([&none] { return none.opened.load() == 1; }));
        // Sounds soon after a failure do not ask again...
        for (int i = 0; i < 5; ++i) {
            silent.play(2);
            std::this_thread::sleep_for(10ms);
        }
        QCOMPARE(none.opened.load(), 1);
        // ...but one after the pause does.
        std::this_thread::sleep_for(350ms);
        silent.play(3);
        QVERIFY(waitFor([&none] { return none.opened.load() == 2; }));
        // An unreadable sound is skipped without asking for the output.
        Recording quiet;
        SoundPlayer broken(factoryFor(quiet), [](int) { return QByteArray("junk"); });
        broken.play(1);
        std::this_thread::sleep_for(50ms);
        QCOMPARE(quiet.opened.load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
