#include "settings/UserStorageKey.h"

#include "text/Cp1252.h"

#include <QList>

#include <string>
#include <string_view>

namespace tastolino {
namespace {

bool keptAsItIs(char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
    if (std::u32string_view(U"%]/\\:*?\"<>|").find(c) != std::u32string_view::npos) return false;
    return cp1252::fromUnicode(c) >= 0;
}

}  // namespace

QString userStorageKey(const QString& userName) {
    QString key;
    for (const char32_t c : userName.trimmed().toUcs4()) {
        if (keptAsItIs(c)) {
            key += QString::fromUcs4(&c, 1);
            continue;
        }
        std::string bytes;
        cp1252::appendUtf8(bytes, c);
        for (const unsigned char b : bytes)
            key += QStringLiteral("%%1").arg(uint(b), 2, 16, QLatin1Char('0')).toUpper();
    }
    return key;
}

}  // namespace tastolino
