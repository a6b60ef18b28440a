#include "settings/LanguageFile.h"

#include "platform/BlankTrim.h"
#include "settings/Profile.h"
#include "settings/ProfileText.h"
#include "text/Cp1252.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace tastolino {

namespace {

// The buffer the texts have always been read into holds 511 characters
// and the closing NUL.
constexpr qsizetype kMaxTextLength = 511;

bool isUtf8(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return true;
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(bytes);
    return !decoder.hasError() && !decoded.isEmpty();
}

// The first 511 characters; a character outside the Basic Multilingual
// Plane counts as one.
QString cutToLength(const QString& text) {
    qsizetype end = 0;
    for (qsizetype count = 0; end < text.size() && count < kMaxTextLength; ++count)
        end += text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
    return text.left(end);
}

}  // namespace

LanguageFile LanguageFile::read(const QString& path) {
    const std::optional<std::string> bytes =
        profile::readFileBytes(QFile::encodeName(path).toStdString());
    if (!bytes) return {};
    return fromBytes(QByteArrayView(bytes->data(), qsizetype(bytes->size())));
}

LanguageFile LanguageFile::fromBytes(QByteArrayView bytes) {
    const bool utf8 = isUtf8(bytes);
    const auto decode = [utf8](const std::string& s) {
        return utf8 ? QString::fromUtf8(s.data(), qsizetype(s.size()))
                    : QString::fromStdString(cp1252::toUtf8(s));
    };
    LanguageFile file;
    file.read_ = true;
    const std::string_view text(bytes.data(), size_t(bytes.size()));
    for (const auto& [key, value] : profile::sectionEntries(text, "Strings")) {
        const QString name = decode(key);
        const QString folded = name.toCaseFolded();
        if (file.values_.contains(folded)) continue;
        // Blanks go after the cut, as they always have.
        file.values_.insert(folded, trimBlanks(cutToLength(decode(value))));
        file.keys_ << name;
    }
    return file;
}

QString LanguageFile::value(const QString& key) const {
    return values_.value(key.trimmed().toCaseFolded());
}

}  // namespace tastolino
