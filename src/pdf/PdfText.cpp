// Text and fonts: font resources from the built-in metrics, text lines with
// alignment and rotation, text state and width measurement.
#include <cmath>
#include <stdexcept>

#include "FontMetricsData.h"
#include "PdfFormat.h"
#include "PdfInternal.h"
#include "clsPDFCreator.h"
#include "text/Cp1252.h"

namespace tastolino {

using pdf::appendNumber;

namespace {

// 3.141592 rather than full pi: rotations must come out as they always have.
constexpr float kDegree = 3.141592f / 180.0f;

const char* const kStyleSuffix[] = {"", ",Bold", ",Italic", ",BoldItalic"};

struct StyleDescriptor {
    const char* flags;
    const char* missing;
    const char* stem;
    const char* maxWidth;
    int32_t missingWidth;
};

const StyleDescriptor kArialStyles[] = {
    {"/Flags 32 /FontBBox [-250 -221 1190 1000] ", "/MissingWidth 272 /StemV 80 ",
     "/StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 ", "/MaxWidth 992 /AvgWidth 441", 272},
    {"/Flags 16416 /FontBBox [-250 -212 1120 1000] ", "/MissingWidth 311 /StemV 153 ",
     "/StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 ", "/MaxWidth 933 /AvgWidth 479", 311},
    {"/Flags 96 /FontBBox [-250 -212 1134 1000] ", "/MissingWidth 259 /StemV 80 ",
     "/StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 ", "/MaxWidth 945 /AvgWidth 441", 259},
    {"/Flags 16480 /FontBBox [-250 -212 1120 1000] ", "/MissingWidth 311 /StemV 153 ",
     "/StemH 153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 ", "/MaxWidth 933 /AvgWidth 479",
     311},
};
constexpr const char* kArialAscent = "/Ascent 905 /Descent -212 /Leading 150 ";

const StyleDescriptor kSymbolStyles[] = {
    {"/Flags 6 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 109 ",
     "/StemH 109 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 ", "/MaxWidth 1038 /AvgWidth 601",
     332},
    {"/Flags 16390 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 191 ",
     "/StemH 191 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 ", "/MaxWidth 1038 /AvgWidth 600",
     332},
    {"/Flags 70 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 109 ",
     "/StemH 109 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 ", "/MaxWidth 1038 /AvgWidth 600",
     332},
    {"/Flags 16454 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 191 ",
     "/StemH 191 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 ", "/MaxWidth 1038 /AvgWidth 600",
     332},
};
constexpr const char* kSymbolAscent = "/Ascent 1005 /Descent -220 /Leading 225 ";

std::string withoutBlanks(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}

bool equalsIgnoreCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto up = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; };
        if (up(a[i]) != up(b[i])) return false;
    }
    return true;
}

}  // namespace

void clsPDFCreator::LoadFontStandard(const std::string& Name, const std::string& BaseFont,
                                     int32_t Options) {
    requireState(State::Open, "LoadFontStandard");
    pdf::detail::checkName(Name, "font name");
    const std::string base = withoutBlanks(BaseFont);
    pdf::detail::checkName(base, "base font");
    const char* suffix = Options >= 1 && Options <= 3 ? kStyleSuffix[Options] : "";
    int32_t n = BeginObject(0);
    WriteLine("<< /Type /Font /Subtype /Type1 /Name /" + Name + " /BaseFont /" + base + suffix +
              " /Encoding /WinAnsiEncoding >>");
    WriteEndObj();
    fontResources_ += "/" + Name + " " + std::to_string(n) + " 0 R \r";
}

void clsPDFCreator::LoadFont(const std::string& Name, const std::string& BaseFont,
                             int32_t Options) {
    requireState(State::Open, "LoadFont");
    if (Options < 0 || Options > 3) throw std::invalid_argument("PDF: font style out of range");
    pdf::detail::checkName(Name, "font name");
    if (fonts_.size() >= size_t(INT16_MAX)) throw std::overflow_error("PDF: too many fonts");

    std::string base = withoutBlanks(BaseFont);
    for (char& c : base)
        if (c >= 'a' && c <= 'z') c = char(c - 32);
    const bool symbol = base == "SYMBOL";
    const StyleDescriptor& style = symbol ? kSymbolStyles[Options] : kArialStyles[Options];
    const std::string baseName = std::string(symbol ? "Symbol" : "Arial") + kStyleSuffix[Options];

    FontMetrics metrics;
    metrics.name = Name;
    if (symbol) {
        metrics.first = 30;
        metrics.widths = pdf::metrics::kSymbol.data();
    } else {
        metrics.first = 32;
        metrics.widths = (Options == 1 || Options == 3) ? pdf::metrics::kArialBold.data()
                                                        : pdf::metrics::kArialRegular.data();
    }
    metrics.last = 255;
    metrics.missingWidth = style.missingWidth;

    int32_t n = BeginObject(0);
    std::string rec = "<< /Type /Font \r/Subtype /TrueType\r/Name /" + Name + "\r/BaseFont /" +
                      baseName + "\r/FirstChar " + std::to_string(metrics.first) + "\r/LastChar " +
                      std::to_string(metrics.last) + "\r/FontDescriptor " +
                      std::to_string(int64_t{n} + 1) +
                      " 0 R\r/Encoding /WinAnsiEncoding\r/Widths [";
    WriteLine(rec);
    rec.clear();
    const int count = metrics.last - metrics.first + 1;
    for (int i = 0; i < count; ++i) {
        appendNumber(rec, metrics.widths[i]);
        rec += ' ';
        if ((i + 1) % 16 == 0 || i + 1 == count) {
            WriteLine(rec);
            rec.clear();
        }
    }
    WriteLine("] >>");
    WriteEndObj();
    fontResources_ += "/" + Name + " " + std::to_string(n) + " 0 R \r";
    fonts_.push_back(std::move(metrics));

    BeginObject(0);
    WriteLine("<<\r/Type /FontDescriptor\r/FontName /" + baseName + "\r" + style.flags +
              style.missing + style.stem + (symbol ? kSymbolAscent : kArialAscent) +
              style.maxWidth + "\r>>");
    WriteEndObj();
}

const clsPDFCreator::FontMetrics* clsPDFCreator::findFont(const std::string& name) const {
    for (const FontMetrics& f : fonts_)
        if (equalsIgnoreCase(f.name, name)) return &f;
    return nullptr;
}

float clsPDFCreator::Length(const std::string& Phrase, const std::string& FontName,
                            float Fontsize) const {
    const FontMetrics* font = findFont(FontName);
    if (!font) return 0;
    const std::string bytes = cp1252::fromUtf8(Phrase);
    double widths = 0;
    size_t blanks = 0;
    for (unsigned char code : bytes) {
        widths += code >= font->first && code <= font->last ? font->widths[code - font->first]
                                                            : font->missingWidth;
        if (code == ' ') ++blanks;
    }
    double total = (widths * Fontsize / 1000 + double(blanks) * wordSpacing_ +
                    double(bytes.size()) * charSpacing_) *
                   horizontalScaling_ / 100;
    return FromPoints(static_cast<float>(total));
}

void clsPDFCreator::DrawText(float X, float Y, const std::string& strTemp,
                             const std::string& FontName, float Fontsize, int32_t Align,
                             float Rotate) {
    requireDrawing("DrawText");
    pdf::detail::checkName(FontName, "font name");
    if (Align == 1) X -= Length(strTemp, FontName, Fontsize);
    if (Align == 2) X -= Length(strTemp, FontName, Fontsize) / 2;

    std::string rec = "BT\r\n/" + FontName + " ";
    appendNumber(rec, Fontsize);
    rec += " Tf\r\n";
    if (Rotate != 0) {
        const float s = std::sin(kDegree * Rotate);
        const float c = std::cos(kDegree * Rotate);
        appendNumber(rec, c);
        rec += ' ';
        appendNumber(rec, s);
        rec += ' ';
        appendNumber(rec, -s);
        rec += ' ';
        appendNumber(rec, c);
        rec += ' ';
        appendPoint(rec, X, Y);
        rec += " Tm\r\n";
    } else {
        appendPoint(rec, X, Y);
        rec += " Td\r\n";
    }
    rec += '(' + pdf::escapeString(cp1252::fromUtf8(strTemp)) + ") Tj\r\nET";
    // One write for the whole text object: the records are the same.
    WriteLine(rec);
}

void clsPDFCreator::SetWordSpacing(float W) {
    requireDrawing("SetWordSpacing");
    std::string rec;
    appendNumber(rec, W);
    wordSpacing_ = W;
    WriteLine(rec + " Tw");
}

void clsPDFCreator::SetCharSpacing(float W) {
    requireDrawing("SetCharSpacing");
    std::string rec;
    appendNumber(rec, W);
    charSpacing_ = W;
    WriteLine(rec + " Tc");
}

void clsPDFCreator::SetTextHorizontalScaling(float W) {
    requireDrawing("SetTextHorizontalScaling");
    std::string rec;
    appendNumber(rec, W);
    horizontalScaling_ = W;
    WriteLine(rec + " Tz");
}

void clsPDFCreator::SetTextRenderingMode(int32_t W) {
    requireDrawing("SetTextRenderingMode");
    if (W < 0 || W > 2) return;
    WriteLine(std::to_string(W) + " Tr");
}

}  // namespace tastolino
