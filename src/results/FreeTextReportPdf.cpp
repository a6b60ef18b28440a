#include "results/FreeTextReportPdf.h"

#include "pdf/clsPDFCreator.h"

#include <string>

namespace tastolino {
namespace {

const char kProgram[] = "Tastolino";
const char kWebAddress[] = "https://tastolino.example.org";

constexpr int32_t kBlack = 0;
// 0xBBGGRR
constexpr int32_t rgb(int r, int g, int b) {
    return (b << 16) | (g << 8) | r;
}

std::string u8(const QString& s) {
    return s.toStdString();
}

class Page {
  public:
    explicit Page(clsPDFCreator& pdf) : pdf_(pdf) {}

    void rule(float y) {
        pdf_.MoveTo(2, y);
        pdf_.LineTo(20, y, 1);
    }
    // A lozenge of the Symbol font in front of a line.
    void bullet(float y) { pdf_.DrawText(2, y, "\xC3\xA0", "Fn5", 12, 0, 0); }
    void text(float x, float y, const QString& s, const char* font, float size, int align = 0) {
        pdf_.DrawText(x, y, u8(s), font, size, align, 0);
    }

  private:
    clsPDFCreator& pdf_;
};

void drawPage(clsPDFCreator& pdf, const FreeTextReportInput& in) {
    const QStringList& l = in.labels;
    const FreeTextReportFigures& f = in.figures;
    const FreeTextReportClasses& c = in.classes;
    const QString sep = QStringLiteral(": ");
    const QString name = in.userName.isEmpty() ? QString::fromLatin1(kProgram) : in.userName;
    Page page(pdf);

    pdf.SetColorFill(kBlack);
    page.text(2, 27, QString::fromLatin1(kProgram), "Fn2", 24);
    pdf.SetLineWidth(0.01f);
    page.rule(26.5f);
    pdf.SetColorStroke(rgb(244, 244, 244));
    pdf.SetLineWidth(0.7f);
    page.rule(26.1f);
    pdf.SetColorStroke(kBlack);
    page.text(2, 26, l.value(kSlotResultsOf) + QLatin1Char(' ') + name, "Fn1", 12);
    page.text(20, 26, freeTextReportDate(in.when, in.dateLocale), "Fn1", 10, 1);
    pdf.SetLineWidth(0.01f);
    page.rule(25.7f);
    page.text(10.5f, 24, l.value(kSlotTitle), "Fn1", 18, 2);
    page.text(10.5f, 22.8f, freeTextFileName(in.exerciseFile), "Fn1", 14, 2);

    // The category band: red for the expert, green for the beginner.
    pdf.SetLineWidth(0.7f);
    pdf.SetColorStroke(in.expertMode ? rgb(255, 226, 226) : rgb(236, 255, 213));
    page.rule(21.6f);
    pdf.SetColorStroke(kBlack);
    pdf.SetLineWidth(0.01f);
    page.rule(21.95f);
    page.rule(21.2f);
    page.text(10.5f, 21.45f, l.value(kSlotCategory) + sep + in.categoryName, "Fn3", 12, 2);

    page.bullet(19);
    page.text(2.5f, 19, l.value(kSlotTime) + sep + f.timeText, "Fn1", 12);
    page.bullet(18);
    page.text(2.5f, 18, l.value(kSlotKeystrokes) + sep + QString::number(f.keystrokes), "Fn1", 12);
    page.bullet(17);
    page.text(2.5f, 17, l.value(kSlotExact) + sep + QString::number(f.keystrokes - f.errors), "Fn1",
              12);
    page.bullet(16);
    page.text(2.5f, 16, l.value(kSlotExactRatio) + sep + freeTextPercent(f.exactRatio, in.locale),
              "Fn3", 12);
    page.bullet(14.5f);
    page.text(2.5f, 14.5f, l.value(kSlotErrors) + sep + QString::number(f.errors), "Fn1", 12);

    const QChar errorCode = RateErrors(f.keystrokes, f.errors, in.expertMode);
    page.bullet(13.5f);
    page.text(2.5f, 13.5f,
              l.value(kSlotErrorRatio) + sep + freeTextPercent(f.errorRatio, in.locale), "Fn3", 12);
    page.text(10.5f, 13.5f, l.value(kSlotRating) + sep + freeTextRatingWord(errorCode, l), "Fn1",
              12);
    page.bullet(12);
    page.text(2.5f, 12, l.value(kSlotPerMinute) + sep + freeTextOneDecimal(f.perMinute, in.locale),
              "Fn3", 12);
    const QChar speedCode = RateSpeed(f.perMinute, in.expertMode);
    page.text(10.5f, 12, l.value(kSlotRating) + sep + freeTextRatingWord(speedCode, l), "Fn1", 12);
    page.bullet(11);
    page.text(2.5f, 11, l.value(kSlotPerSecond) + sep + freeTextOneDecimal(f.perSecond, in.locale),
              "Fn1", 12);
    page.rule(10.2f);

    page.text(2.5f, 9.5f, l.value(kSlotWords) + sep + QString::number(f.words), "Fn1", 12);
    const auto count = [&](int slot, const char* sample, int n) {
        return l.value(slot) + QString::fromUtf8(sample) + sep + QString::number(n);
    };
    page.text(2.5f, 8.5f, count(kSlotUpper, " (ABC)", c.upper), "Fn1", 10);
    page.text(10.5f, 8.5f, count(kSlotLower, " (abc)", c.lower), "Fn1", 10);
    page.text(2.5f, 8, count(kSlotDigits, " (123)", c.digits), "Fn1", 10);
    page.text(10.5f, 8, count(kSlotPunctuation, " (;,:?!)", c.punctuation), "Fn1", 10);
    page.text(2.5f, 7.5f, count(kSlotBlanks, "", c.blanks), "Fn1", 10);
    page.text(10.5f, 7.5f, count(kSlotSpecial, " (àì+#/)", c.special), "Fn1", 10);
    page.rule(7);

    pdf.SetLineWidth(0.7f);
    pdf.SetColorStroke(rgb(236, 236, 236));
    page.rule(5.2f);
    page.text(
        10.5f, 5,
        l.value(kSlotOverall) + sep + freeTextRatingWord(RateOverall(speedCode, errorCode), l),
        "Fn1", 14, 2);
    pdf.SetColorStroke(kBlack);
    pdf.SetLineWidth(0.01f);
    for (float y : {5.6f, 4.8f, 2.5f, 2.35f}) page.rule(y);
    page.text(10.5f, 1.9f, QString::fromLatin1(kProgram) + QStringLiteral(" - ") + in.authorLine,
              "Fn1", 8, 2);
    page.text(10.5f, 1.5f, QString::fromLatin1(kWebAddress), "Fn1", 8, 2);
}

}  // namespace

QString freeTextReportDate(const QDateTime& when, const QLocale& locale) {
    return locale.toString(when, QStringLiteral("dddd, dd MMMM yyyy - HH:mm:ss"));
}

ReportPdfResult WriteFreeTextReportPdf(TempReportFile& file, const FreeTextReportInput& input) {
    return writeReportPdf(file, reportFileName(input.userName), input.documentTitle,
                          [&input](clsPDFCreator& pdf) {
                              pdf.LoadFont("Fn1", "Arial", 0);
                              pdf.LoadFont("Fn2", "Arial", 3);
                              pdf.LoadFont("Fn3", "Arial", 1);
                              pdf.LoadFont("Fn5", "Symbol", 0);
                              pdf.BeginPage();
                              drawPage(pdf, input);
                              pdf.EndPage();
                          });
}

}  // namespace tastolino
