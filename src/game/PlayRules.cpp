#include "game/PlayRules.h"

#include "platform/DataFolders.h"
#include "platform/Seams.h"
#include "settings/IniManager.h"
#include "settings/UserStorageKey.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tastolino::game {

namespace {

constexpr const char* kTrainingSets[] = {"asdfjklöru", "asdfjklöeivm", "asdfjklöbnghtz",
                                         "asdfjklöwoyxcqp"};

}  // namespace

QString trainingSet(int mode) {
    if (mode < kFirstTrainingMode || mode >= kCustomMode) return {};
    return QString::fromUtf8(kTrainingSets[mode - kFirstTrainingMode]);
}

int charactersPerTurn(int mode) {
    switch (mode) {
        case 0:
            return 6;
        case 1:
            return 12;
        default:
            return 18;
    }
}

int startDepthOf(int mode) {
    switch (mode) {
        case 0:
            return -50;
        case 1:
            return -160;
        default:
            return -220;
    }
}

int RandomBetween(int low, int high) {
    if (high < low) std::swap(low, high);
    const double drawn = std::floor((high - low + 1) * seams::randomUnit() + low);
    return std::clamp(static_cast<int>(drawn), low, high);
}

int CatchScore(int y, int playHeight) {
    if (playHeight <= 0) return 0;
    const double points =
        std::floor(static_cast<double>(playHeight - y) / static_cast<double>(playHeight) * 115.0);
    return static_cast<int>(std::min(points, 100.0));
}

std::array<QChar, kSlotCount> drawTurnCharacters(int mode) {
    std::array<QChar, kSlotCount> chars{};
    for (int i = 0; i < kSlotCount; ++i) {
        for (;;) {
            int code = 0;
            int kind = 1;  // 0 capitals, 1 small letters, 2 digits
            if (mode == 1) kind = RandomBetween(0, 1);
            if (mode == 2) kind = RandomBetween(0, 2);
            if (kind == 0) code = RandomBetween(65, 90);
            if (kind == 1) code = RandomBetween(97, 122);
            if (kind == 2) code = RandomBetween(48, 57);
            const QChar c(code);
            if (std::find(chars.begin(), chars.begin() + i, c) == chars.begin() + i) {
                chars[size_t(i)] = c;
                break;
            }
        }
    }
    return chars;
}

uint32_t characterColour(QChar c) {
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) return 0x00FFFF;  // yellow
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return 0xFFFF80;  // RGB(128,255,255)
    return 0xFFFFFF;
}

QString normalisedCustomSet(const QString& typed) {
    QString set;
    for (const QChar c : typed) {
        // A blank could only come from pasting; it is no letter to train.
        if (c.isSpace() || set.contains(c)) continue;
        set.append(c);
    }
    if (set.size() < kCustomMinLength) return {};
    return set.left(kCustomMaxLength);
}

bool acceptsCustomCharacter(const QString& box, QChar c) {
    return c != QLatin1Char(' ') && !box.contains(c);
}

QString formatScore(int32_t score, const QString& group) {
    if (score == 0) return {};
    const QString digits = QString::number(std::abs(static_cast<int64_t>(score)));
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped.append(group);
        grouped.append(digits[i]);
    }
    return score < 0 ? QLatin1Char('-') + grouped : grouped;
}

QString durationText(int timeValue, const QString& point) {
    const double minutes = timeValue * 150 / 60.0;
    return QString::number(minutes, 'f', 1).replace(QLatin1Char('.'), point) +
           QStringLiteral(" min");
}

QString recordsFilePath(const QString& appFolder) {
    return placeForWriting(appFolder, WrittenKind::UserData, QStringLiteral("TastolinoWinner.ini"),
                           UserFolders::fromEnvironment());
}

std::array<int32_t, 3> readRecords(const QString& appFolder, const QString& userName) {
    std::array<int32_t, 3> records{};
    if (userName.isEmpty()) return records;
    IniManager ini;
    ini.nome = recordsFilePath(appFolder).toStdString();
    ini.sezione = userStorageKey(userName).toStdString();
    for (int i = 0; i < 3; ++i) {
        const std::string key = "Difficulty" + std::to_string(i + 1);
        bool ok = false;
        const qlonglong value =
            QString::fromStdString(ini.Leggi(key, "0")).trimmed().toLongLong(&ok);
        if (ok && value >= std::numeric_limits<int32_t>::min() &&
            value <= std::numeric_limits<int32_t>::max())
            records[size_t(i)] = static_cast<int32_t>(value);
    }
    return records;
}

bool writeRecord(const QString& appFolder, const QString& userName, int mode, int32_t score) {
    if (userName.isEmpty() || !isGameMode(mode)) return false;
    IniManager ini;
    const QString path = recordsFilePath(appFolder);
    prepareToWrite(path);
    ini.nome = path.toStdString();
    ini.sezione = userStorageKey(userName).toStdString();
    return ini.Scrivi("Difficulty" + std::to_string(mode + 1), std::to_string(score)) != 0;
}

}  // namespace tastolino::game
