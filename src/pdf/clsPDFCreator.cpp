// Document frame: units, paper, objects and offsets, pages, closing.
#include "clsPDFCreator.h"

#include <ctime>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "PdfFormat.h"
#include "PdfInternal.h"
#include "text/Cp1252.h"

namespace tastolino {

using pdf::appendNumber;
using pdf::detail::appendInt;

namespace {

constexpr size_t kOutputBuffer = 1 << 16;
constexpr const char* kProducer = "clsPDFCreator - Tastolino, 2003-2005";

std::string programFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path().string();
    return exe.parent_path().string();
}

// Day, hour, minutes, seconds and one random digit, as upper-case hex: short
// and practically unique among the reports of one machine.
std::string generatedFileName() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    std::random_device rd;
    long long number = tm.tm_mday;
    number = number * 100 + tm.tm_hour;
    number = number * 100 + tm.tm_min;
    number = number * 100 + tm.tm_sec;
    number = number * 10 + static_cast<long long>(rd() % 10);
    char hex[24];
    std::snprintf(hex, sizeof hex, "%llX", number);
    return programFolder() + "/~" + hex + ".pdf";
}

std::string creationDate() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d%H%M%S", &tm);
    return buf;
}

}  // namespace

namespace pdf::detail {

void checkName(const std::string& name, const char* what) {
    if (name.empty()) throw std::invalid_argument(std::string("PDF: empty ") + what);
    for (unsigned char c : name) {
        bool bad = c <= 32 || c >= 127 || c == '#' || c == '/' || c == '(' || c == ')' ||
                   c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}' || c == '%';
        if (bad) throw std::invalid_argument(std::string("PDF: invalid ") + what + ": " + name);
    }
}

}  // namespace pdf::detail

clsPDFCreator::clsPDFCreator() = default;

clsPDFCreator::~clsPDFCreator() {
    // An unfinished document stays as it is; only the handle is released.
    if (file_) std::fclose(file_);
}

float clsPDFCreator::ToPoints(float value) const {
    switch (scaleMode_) {
        case 0:
            return value;
        case 1:
            return static_cast<float>(double{value} * 72);
        case 2:
            return static_cast<float>(double{value} * 72 / 25.4);
        case 3:
            return static_cast<float>(double{value} * 72 / 2.54);
        default:
            return 0;
    }
}

float clsPDFCreator::FromPoints(float value) const {
    switch (scaleMode_) {
        case 0:
            return value;
        case 1:
            return static_cast<float>(double{value} / 72);
        case 2:
            return static_cast<float>(double{value} * 25.4 / 72);
        case 3:
            return static_cast<float>(double{value} * 2.54 / 72);
        default:
            return 0;
    }
}

void clsPDFCreator::PaperWidth(float vData) {
    paperWidth_ = ToPoints(vData);
    paperSize_ = 255;
}

void clsPDFCreator::PaperHeight(float vData) {
    paperHeight_ = ToPoints(vData);
    paperSize_ = 255;
}

void clsPDFCreator::PaperSize(int32_t New_PaperSize) {
    paperSize_ = New_PaperSize;
    switch (New_PaperSize) {
        case 0:
            paperWidth_ = 595.2f;
            paperHeight_ = 842.0f;
            break;
        case 1:
            paperWidth_ = 842.0f;
            paperHeight_ = 1190.5f;
            break;
        case 2:
            paperWidth_ = 612.0f;
            paperHeight_ = 792.0f;
            break;
        case 3:
            paperWidth_ = 612.0f;
            paperHeight_ = 864.0f;
            break;
        default:
            break;
    }
}

void clsPDFCreator::write(const char* data, size_t size) {
    if (std::fwrite(data, 1, size, file_) != size)
        throw std::runtime_error("PDF: cannot write " + fileName_);
    offset_ += size;
}

void clsPDFCreator::WriteLine(const std::string& text) {
    write(text);
    write("\r\n", 2);
}

int32_t clsPDFCreator::BeginObject(int32_t n) {
    if (n == 0) {
        if (lastObjectNumber_ == INT32_MAX) throw std::overflow_error("PDF: too many objects");
        n = lastObjectNumber_ + 1;
    }
    if (n > lastObjectNumber_) {
        lastObjectNumber_ = n;
        objectOffsets_.resize(size_t(n) + 1, 0);
    }
    if (offset_ > 9999999999ULL) throw std::overflow_error("PDF: file too large");
    objectOffsets_[n] = offset_;
    WriteLine(std::to_string(n) + " 0 obj");
    return n;
}

void clsPDFCreator::requireState(State wanted, const char* operation) const {
    if (state_ != wanted)
        throw std::logic_error(std::string("PDF: ") + operation + " called out of order");
}

void clsPDFCreator::requireDrawing(const char* operation) const {
    if (state_ != State::Page && state_ != State::Template)
        throw std::logic_error(std::string("PDF: ") + operation +
                               " needs an open page or template");
}

void clsPDFCreator::closeFile() {
    if (!file_) return;
    std::FILE* f = file_;
    file_ = nullptr;
    state_ = State::Closed;
    if (std::fclose(f) != 0) throw std::runtime_error("PDF: cannot write " + fileName_);
}

bool clsPDFCreator::InitPDFFile(std::string& strFileName) {
    if (strFileName.empty()) strFileName = generatedFileName();
    return InitPDFFile(std::fopen(strFileName.c_str(), "wb"), strFileName);
}

bool clsPDFCreator::InitPDFFile(std::FILE* file, const std::string& name) {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
        state_ = State::Closed;
    }
    if (!file) return false;
    try {
        file_ = file;
        buffer_.resize(kOutputBuffer);
        std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
        fileName_ = name;
        offset_ = 0;
        objectOffsets_.assign(1, 0);
        lastObjectNumber_ = 0;
        WriteLine("%PDF-1.3");

        BeginObject(1);
        WriteLine("<<\r/Title (" + pdf::escapeString(cp1252::fromUtf8(title_)) + ")\r/Author (" +
                  pdf::escapeString("Tastolino") + ")\r/Creator  (" +
                  pdf::escapeString("clsPDFCreator FREE Version") + ")\r/Producer (" +
                  pdf::escapeString(kProducer) + ")\r/CreationDate (D:" + creationDate() +
                  "+01'00')\r>>");
        WriteEndObj();
        BeginObject(2);
        WriteLine(
            "<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r"
            "/Lang (it) \r/ViewerPreferences << /HideToolbar false /DisplayDocTitle true \r"
            "/HideWindowUI false >>\r>>");
        WriteEndObj();
        // 3 (page tree) and 4 (resources) are written by ClosePDFFile.
        lastObjectNumber_ = 4;
        objectOffsets_.resize(5, 0);
        state_ = State::Open;
        return true;
    } catch (...) {
        if (file_) std::fclose(file_);
        file_ = nullptr;
        state_ = State::Closed;
        return false;
    }
}

void clsPDFCreator::beginStream() {
    streamStart_ = offset_;
}

// Length of the stream data, the CR LF of its last record included.
int64_t clsPDFCreator::endStream() {
    int64_t length = static_cast<int64_t>(offset_ - streamStart_);
    WriteLine("endstream");
    WriteEndObj();
    BeginObject(0);
    WriteLine(std::to_string(length));
    WriteEndObj();
    return length;
}

int16_t clsPDFCreator::BeginPage() {
    requireState(State::Open, "BeginPage");
    if (pageCount_ == INT16_MAX) throw std::overflow_error("PDF: too many pages");
    ++pageCount_;
    int32_t n = BeginObject(0);
    std::string rec = "<<\r/Type /Page\r/Parent 3 0 R\r/Contents ";
    appendInt(rec, int64_t{n} + 1);
    rec += " 0 R\r>>";
    WriteLine(rec);
    WriteEndObj();
    appendInt(kidsList_, n);
    kidsList_ += " 0 R ";

    BeginObject(n + 1);
    rec = "<< /Length ";
    appendInt(rec, int64_t{n} + 2);
    rec += " 0 R >>\rstream";
    WriteLine(rec);
    beginStream();
    state_ = State::Page;
    DrawPageTemplates();
    charSpacing_ = 0;
    wordSpacing_ = 0;
    horizontalScaling_ = 100;
    return pageCount_;
}

void clsPDFCreator::EndPage() {
    requireState(State::Page, "EndPage");
    endStream();
    state_ = State::Open;
}

void clsPDFCreator::ClosePDFFile() {
    requireState(State::Open, "ClosePDFFile");
    BeginObject(4);
    std::string rec = "<<\r";
    if (!fontResources_.empty()) rec += "/Font <<\r" + fontResources_ + ">>\r";
    rec += "/ProcSet [/PDF /Text";
    if (!imageResources_.empty()) rec += " /ImageB /ImageC /ImageI";
    rec += " ]\r";
    if (!imageResources_.empty() || !formResources_.empty())
        rec += "/XObject <<\r" + imageResources_ + "\r" + formResources_ + ">>\r";
    rec += ">>";
    WriteLine(rec);
    WriteEndObj();

    BeginObject(3);
    rec = "<<\r/Type /Pages\r/Count ";
    appendInt(rec, pageCount_);
    rec += "\r/MediaBox [0 0 ";
    appendNumber(rec, paperWidth_);
    rec += ' ';
    appendNumber(rec, paperHeight_);
    rec += "]\r/CropBox [";
    appendNumber(rec, margin_);
    rec += ' ';
    appendNumber(rec, margin_);
    rec += ' ';
    appendNumber(rec, paperWidth_ - margin_);
    rec += ' ';
    appendNumber(rec, paperHeight_ - margin_);
    rec += "]\r";
    if (orientation_ == 1) rec += "/Rotate 90";
    rec += "\r/Kids [" + kidsList_ + " ]\r/Resources 4 0 R\r>>";
    WriteLine(rec);
    WriteEndObj();

    const uint64_t xref = offset_;
    WriteLine("xref");
    WriteLine("0 " + std::to_string(int64_t{lastObjectNumber_} + 1));
    WriteLine("0000000000 65535 f");
    char entry[24];
    for (int32_t i = 1; i <= lastObjectNumber_; ++i) {
        std::snprintf(entry, sizeof entry, "%010llu 00000 n\r\n",
                      static_cast<unsigned long long>(objectOffsets_[i]));
        write(entry, 20);
    }
    WriteLine("trailer\r<<\r/Size " + std::to_string(int64_t{lastObjectNumber_} + 1) +
              "\r/Info 1 0 R\r/Root 2 0 R\r>>");
    WriteLine("startxref\r" + std::to_string(xref));
    WriteLine("%%EOF\r");
    closeFile();
}

}  // namespace tastolino
