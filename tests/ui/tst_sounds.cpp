#include <QFile>
#include <QtTest>

// The sounds are built into the program; a sound that fails to load is
// simply silent, so check here that every one is there and playable.
class TestSounds : public QObject {
    Q_OBJECT
  private slots:
    void everySoundIsAShortPcmWave() {
        for (int id = 101; id <= 112; ++id) {
            QFile file(QStringLiteral(":/sounds/%1.wav").arg(id));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QByteArray data = file.readAll();
            QVERIFY(data.size() > 44);
            QVERIFY(data.size() < 40 * 1024);
            QCOMPARE(data.mid(0, 4), QByteArray("RIFF"));
            QCOMPARE(data.mid(8, 8), QByteArray("WAVEfmt "));
            auto u16 = [&data](int at) {
                return quint16(uchar(data[at]) | uchar(data[at + 1]) << 8);
            };
            auto u32 = [&](int at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
            QCOMPARE(u16(20), quint16(1));   // PCM
            QCOMPARE(u16(22), quint16(1));   // mono
            QCOMPARE(u32(24), 22050u);       // samples per second
            QCOMPARE(u16(34), quint16(16));  // bits per sample
            QCOMPARE(data.mid(36, 4), QByteArray("data"));
            QCOMPARE(qsizetype(u32(40)) + 44, data.size());
        }
    }
};

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
