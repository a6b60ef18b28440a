#include "results/ReportPdfFile.h"

#include "settings/UserStorageKey.h"

#include "pdf/clsPDFCreator.h"

#include <QFile>

#include <exception>

namespace tastolino {

QString reportFileName(const QString& userName) {
    // A file name inside the folder, never a way out of it, whatever the
    // name holds.
    const QString key = userStorageKey(userName);
    return (key.isEmpty() ? QStringLiteral("Tastolino") : key) + QStringLiteral(".pdf");
}

ReportPdfResult writeReportPdf(TempReportFile& file, const QString& fileName, const QString& title,
                               const std::function<void(clsPDFCreator&)>& fillPages) {
    clsPDFCreator pdf;
    pdf.Title(title.toStdString());
    pdf.ScaleMode(3);
    pdf.PaperSize(0);
    pdf.Margin(0);
    pdf.Orientation(0);
    std::FILE* stream = file.create(fileName);
    if (!pdf.InitPDFFile(stream, QFile::encodeName(file.path()).toStdString())) {
        file.remove();
        return ReportPdfResult::NotCreated;
    }
    try {
        fillPages(pdf);
        pdf.ClosePDFFile();
    } catch (const std::exception&) {
        // A half-written report would open as a broken file: take it away.
        file.remove();
        return ReportPdfResult::WriteFailed;
    }
    return ReportPdfResult::Written;
}

}  // namespace tastolino
