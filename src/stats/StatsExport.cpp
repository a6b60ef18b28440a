#include "stats/StatsExport.h"

#include "stats/SentenceRecord.h"
#include "stats/StatsStore.h"

#include <QDateTime>
#include <QIODevice>
#include <QSqlQuery>
#include <QStringList>
#include <QTimeZone>
#include <QVariant>

#include <functional>

namespace tastolino {
namespace {

const QString kLineEnd = QStringLiteral("\r\n");

bool writeLine(QIODevice& out, const QStringList& fields) {
    QStringList quoted;
    for (const QString& f : fields) quoted << csvField(f);
    const QByteArray bytes = (quoted.join(QLatin1Char(',')) + kLineEnd).toUtf8();
    return out.write(bytes) == bytes.size();
}

QString characterText(qint64 code) {
    const char32_t ch = char32_t(code);
    return QString::fromUcs4(&ch, 1);
}

// Whole seconds, or with the thousandths that are not zero: 12, 12.5, 12.345.
QString secondsText(qint64 ms) {
    QString text = QString::number(ms / 1000);
    if (const qint64 rest = ms % 1000) {
        QString fraction = QStringLiteral("%1").arg(rest, 3, 10, QLatin1Char('0'));
        while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
        text += QLatin1Char('.') + fraction;
    }
    return text;
}

QString timestampText(qint64 ms, int utcOffset) {
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone(utcOffset)).toString(Qt::ISODate);
}

// Writes the header and a line for each row of `sql`, in which "%WHERE%"
// becomes the user filter when there is one.
int exportRows(StatsStore& store, QIODevice& out, const QStringList& header, QString sql,
               const std::optional<QString>& user,
               const std::function<QStringList(const QSqlQuery&)>& fields) {
    if (!store.open() || !writeLine(out, header)) return -1;
    sql.replace(QStringLiteral("%WHERE%"), user ? QStringLiteral("WHERE u.name = ?") : QString());
    QSqlQuery q(store.database());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) return -1;
    if (user) q.addBindValue(user->isNull() ? QStringLiteral("") : *user);
    if (!q.exec()) return -1;
    int rows = 0;
    for (; q.next(); ++rows)
        if (!writeLine(out, fields(q))) return -1;
    return rows;
}

}  // namespace

QString csvField(const QString& value) {
    const bool quote = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                       value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')) ||
                       value.startsWith(QLatin1Char(' ')) || value.endsWith(QLatin1Char(' '));
    if (!quote) return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

int exportSessionsCsv(StatsStore& store, QIODevice& out, const std::optional<QString>& user) {
    return exportRows(
        store, out,
        {QStringLiteral("user"), QStringLiteral("timestamp"), QStringLiteral("source"),
         QStringLiteral("level"), QStringLiteral("characters"), QStringLiteral("seconds"),
         QStringLiteral("keystrokes"), QStringLiteral("errors"), QStringLiteral("speed"),
         QStringLiteral("score")},
        QStringLiteral("SELECT u.name, s.time_ms, s.utc_offset, s.source, s.level,"
                       " s.characters, s.duration_ms, s.keystrokes, s.errors, s.speed,"
                       " s.score FROM sentences s JOIN users u ON u.id = s.user_id"
                       " %WHERE% ORDER BY u.name, s.time_ms, s.id"),
        user, [](const QSqlQuery& q) {
            const QVariant score = q.value(10);
            return QStringList{q.value(0).toString(),
                               timestampText(q.value(1).toLongLong(), q.value(2).toInt()),
                               sourceKindName(SourceKind(q.value(3).toInt())),
                               QString::number(q.value(4).toInt()),
                               QString::number(q.value(5).toInt()),
                               secondsText(q.value(6).toLongLong()),
                               QString::number(q.value(7).toInt()),
                               QString::number(q.value(8).toInt()),
                               QString::number(q.value(9).toDouble()),
                               score.isNull() ? QString() : QString::number(score.toInt())};
        });
}

int exportKeysCsv(StatsStore& store, QIODevice& out, const std::optional<QString>& user) {
    return exportRows(store, out,
                      {QStringLiteral("user"), QStringLiteral("expected"), QStringLiteral("typed"),
                       QStringLiteral("count")},
                      QStringLiteral("SELECT u.name, k.expected, k.typed, sum(k.count)"
                                     " FROM key_days k JOIN users u ON u.id = k.user_id"
                                     " %WHERE% GROUP BY u.name, k.expected, k.typed"
                                     " ORDER BY u.name, k.expected, k.typed"),
                      user, [](const QSqlQuery& q) {
                          return QStringList{q.value(0).toString(),
                                             characterText(q.value(1).toLongLong()),
                                             characterText(q.value(2).toLongLong()),
                                             QString::number(q.value(3).toLongLong())};
                      });
}

}  // namespace tastolino
