// The one-page PDF reports of the results window and of the free-text
// report go the same way: a writer set up alike (A4 portrait in
// centimetres, no margin, the document title given), a file made safely in
// the temporary folder (TempReportFile), and no half-written file left
// behind.
#pragma once

#include "platform/TempReportFile.h"

#include <QString>

#include <functional>

namespace tastolino {

class clsPDFCreator;

enum class ReportPdfResult {
    Written,
    NotCreated,   // the file could not be created; nothing was written
    WriteFailed,  // created but not completed; the partial file is removed
};

// The report's file name: the user's storage key, or the program's name for
// an empty user name, and ".pdf".
QString reportFileName(const QString& userName);

// Writes the report file `fileName`, titled `title`, through `file`:
// `fillPages` loads the fonts and writes the page (BeginPage to EndPage);
// the file is then closed.
ReportPdfResult writeReportPdf(TempReportFile& file, const QString& fileName, const QString& title,
                               const std::function<void(clsPDFCreator&)>& fillPages);

}  // namespace tastolino
