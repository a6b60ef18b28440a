// Shared helpers of the PDF writer tests: reading back what was written and
// letting outside readers judge it.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <string>

namespace pdftest {

inline QByteArray readFile(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// Content of every stream whose dictionary is "<< /Length n 0 R >>": pages
// and templates, in file order.
inline QList<QByteArray> contentStreams(const QByteArray& pdf) {
    QList<QByteArray> out;
    static const QRegularExpression re(QStringLiteral("0 R >>\\rstream\\r\\n"));
    const QString latin = QString::fromLatin1(pdf);
    auto it = re.globalMatch(latin);
    while (it.hasNext()) {
        auto m = it.next();
        qsizetype start = m.capturedEnd();
        qsizetype end = pdf.indexOf("endstream", start);
        out << pdf.mid(start, end - start);
    }
    return out;
}

// Checks that startxref points at the table and every entry at its object.
inline QString xrefProblem(const QByteArray& pdf) {
    qsizetype sx = pdf.lastIndexOf("startxref\r");
    if (sx < 0) return "no startxref";
    qsizetype xref = pdf.mid(sx + 10).split('\r').first().toLongLong();
    if (pdf.mid(xref, 6) != "xref\r\n") return "startxref does not point at xref";
    QList<QByteArray> lines = pdf.mid(xref).split('\n');
    int count = lines[1].trimmed().split(' ')[1].toInt();
    for (int i = 1; i < count; ++i) {
        QByteArray entry = lines[2 + i];
        if (entry.size() != 19) return QString("entry %1 not 20 bytes").arg(i);
        qsizetype off = entry.left(10).toLongLong();
        if (!pdf.mid(off).startsWith(QByteArray::number(i) + " 0 obj\r\n"))
            return QString("entry %1 points elsewhere").arg(i);
    }
    return {};
}

inline QString tool(const char* name) {
    return QStandardPaths::findExecutable(name);
}

// Empty when qpdf --check finds nothing at all to complain about.
inline QString qpdfProblem(const std::string& path) {
    const QString exe = tool("qpdf");
    if (exe.isEmpty()) return "qpdf not installed";
    QProcess p;
    p.start(exe, {"--check", QString::fromStdString(path)});
    p.waitForFinished(30000);
    const QString out = p.readAllStandardOutput() + p.readAllStandardError();
    if (p.exitCode() != 0 || out.contains("WARNING", Qt::CaseInsensitive) ||
        !out.contains("No syntax or stream encoding errors"))
        return out;
    return {};
}

inline QString pdfText(const std::string& path) {
    QProcess p;
    p.start(tool("pdftotext"), {QString::fromStdString(path), "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// An uncompressed BMP: `rows` holds the unpadded rows bottom first (BGR for
// 24 bits), `palette` the entries as blue, green, red, 0.
inline QByteArray makeBmp(int width, int height, int bits, const QByteArray& rows,
                          const QByteArray& palette = {}) {
    const int rowBytes = (width * bits + 7) / 8;
    const int rowSize = (rowBytes + 3) / 4 * 4;
    QByteArray pixels;
    for (int y = 0; y < height; ++y)
        pixels += rows.mid(y * rowBytes, rowBytes) + QByteArray(rowSize - rowBytes, '\0');
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i) b[i] = char(v >> (8 * i));
        return b;
    };
    const quint32 offset = 54 + palette.size();
    QByteArray bmp = "BM" + le32(offset + pixels.size()) + le32(0) + le32(offset);
    bmp += le32(40) + le32(width) + le32(height) + QByteArray("\x01\x00", 2) + char(bits) + '\0' +
           le32(0) + le32(pixels.size()) + le32(2835) + le32(2835) + le32(0) + le32(0);
    return bmp + palette + pixels;
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

}  // namespace pdftest
