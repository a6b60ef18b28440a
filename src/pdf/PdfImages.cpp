// Raster images (from BMP files or pixel arrays) and templates (form XObjects).
#include <stdexcept>

#include "BmpReader.h"
#include "PdfFormat.h"
#include "PdfInternal.h"
#include "clsPDFCreator.h"

namespace tastolino {

using pdf::appendNumber;

bool clsPDFCreator::LoadImgFromBMPFile(const std::string& Name, const std::string& FileName,
                                       int32_t ColorSpace) {
    requireState(State::Open, "LoadImgFromBMPFile");
    pdf::detail::checkName(Name, "image name");
    pdf::BmpImage image;
    if (!pdf::readBmpFile(FileName, ColorSpace, image)) return false;
    addImageObjects(Name, image.pixels.data(), image.pixels.size(), image.colors.data(),
                    image.colors.size(), image.width, image.height, image.bitsPerPixel, ColorSpace);
    return true;
}

void clsPDFCreator::LoadImgFromArray(const std::string& Name, const std::vector<uint8_t>& ImgBuf,
                                     const std::vector<uint8_t>& ImgColor, int32_t ImgWidth,
                                     int32_t ImgHeight, uint8_t ImgBPP, int32_t ColorSpace) {
    requireState(State::Open, "LoadImgFromArray");
    pdf::detail::checkName(Name, "image name");
    if (ImgBPP != 1 && ImgBPP != 4 && ImgBPP != 8 && ImgBPP != 24)
        throw std::invalid_argument("PDF: unsupported bits per pixel");
    if (ImgWidth <= 0 || ImgHeight <= 0) throw std::invalid_argument("PDF: empty image");
    const uint64_t components = ColorSpace == 0 ? 3 : 1;
    const uint64_t rowBytes =
        ImgBPP == 24 ? uint64_t(ImgWidth) * components : (uint64_t(ImgWidth) * ImgBPP + 7) / 8;
    const uint64_t pixelBytes = rowBytes * uint64_t(ImgHeight);
    const uint64_t colorBytes = ImgBPP == 24 ? 0 : (uint64_t{1} << ImgBPP) * components;
    // Short data would leave the viewer reading past the stream; the arrays
    // themselves are written as they are.
    if (ImgBuf.size() < pixelBytes) throw std::invalid_argument("PDF: pixel buffer too short");
    if (ImgColor.size() < colorBytes) throw std::invalid_argument("PDF: colour table too short");
    addImageObjects(Name, ImgBuf.data(), ImgBuf.size(), ImgColor.data(), ImgColor.size(), ImgWidth,
                    ImgHeight, ImgBPP, ColorSpace);
}

void clsPDFCreator::addImageObjects(const std::string& name, const uint8_t* pixels,
                                    size_t pixelBytes, const uint8_t* colors, size_t colorBytes,
                                    int32_t width, int32_t height, uint8_t bits,
                                    int32_t colorSpace) {
    const std::string space = colorSpace == 0 ? "DeviceRGB" : "DeviceGray";
    const std::string filter = encodeAscii85_ ? "/Filter /ASCII85Decode" : "";
    auto streamData = [this](const uint8_t* data, size_t size) {
        return encodeAscii85_ ? pdf::ascii85Encode(data, size)
                              : std::string(reinterpret_cast<const char*>(data), size);
    };

    const int32_t n = BeginObject(0);
    std::string rec = "<<\r/Type /XObject\r/Subtype /Image\r/Name /" + name + "\r/Width " +
                      std::to_string(width) + "\r/Height " + std::to_string(height);
    if (encodeAscii85_) rec += "\r" + filter;
    WriteLine(rec);
    if (bits == 24) {
        rec = "/BitsPerComponent 8\r/ColorSpace /" + space;
    } else {
        rec = "/BitsPerComponent " + std::to_string(bits) + "\r/ColorSpace [/Indexed /" + space +
              " " + std::to_string((1 << bits) - 1) + " " + std::to_string(int64_t{n} + 2) +
              " 0 R]";
    }
    rec += "\r/Length " + std::to_string(int64_t{n} + 1) + " 0 R";
    WriteLine(rec);

    // CR LF after "stream" and the exact data size as the length: after a
    // lone CR a reader may take a leading byte 10 as part of the line end.
    std::string data = streamData(pixels, pixelBytes);
    write(">>\rstream\r\n", 11);
    write(data);
    WriteLine("\rendstream");
    WriteEndObj();
    imageResources_ += "/" + name + " " + std::to_string(n) + " 0 R \r";
    BeginObject(0);
    WriteLine(std::to_string(data.size()));
    WriteEndObj();

    if (bits == 24) return;
    data = streamData(colors, colorBytes);
    BeginObject(0);
    rec = "<<";
    if (encodeAscii85_) rec += filter + "\r";
    rec += "/Length " + std::to_string(data.size()) + " >>\rstream\r\n";
    write(rec);
    write(data);
    WriteLine("\rendstream");
    WriteEndObj();
}

void clsPDFCreator::DrawImg(const std::string& Name, float DestX, float DestY, float ImgWidth,
                            float ImgHeight) {
    requireDrawing("DrawImg");
    pdf::detail::checkName(Name, "image name");
    std::string rec = "q\r";
    appendNumber(rec, ToPoints(ImgWidth));
    // The negative height turns bottom-up rows upright below (DestX, DestY).
    rec += "  0 0 ";
    appendNumber(rec, -ToPoints(ImgHeight));
    rec += ' ';
    appendPoint(rec, DestX, DestY);
    WriteLine(rec + " cm\r/" + Name + " Do\rQ");
}

void clsPDFCreator::StartObject(const std::string& Name, int32_t Options) {
    requireState(State::Open, "StartObject");
    pdf::detail::checkName(Name, "template name");
    if (pageTemplates_.size() >= size_t(INT16_MAX))
        throw std::overflow_error("PDF: too many templates");
    const int32_t n = BeginObject(0);
    std::string rec =
        "<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /" + Name + "\r/BBox [";
    appendNumber(rec, margin_);
    rec += ' ';
    appendNumber(rec, margin_);
    rec += ' ';
    appendNumber(rec, paperWidth_ - margin_);
    rec += ' ';
    appendNumber(rec, paperHeight_ - margin_);
    rec +=
        "]\r/Matrix [1 0 0 1 0 0]\r/Length " + std::to_string(int64_t{n} + 1) + " 0 R >>\rstream";
    WriteLine(rec);
    beginStream();
    formResources_ += "/" + Name + " " + std::to_string(n) + " 0 R \r";
    pageTemplates_.push_back({Name, Options});
    state_ = State::Template;
}

void clsPDFCreator::EndObject() {
    requireState(State::Template, "EndObject");
    endStream();
    state_ = State::Open;
}

void clsPDFCreator::DrawObject(const std::string& Name) {
    requireDrawing("DrawObject");
    pdf::detail::checkName(Name, "template name");
    WriteLine("/" + Name + " Do");
}

void clsPDFCreator::DrawPageTemplates() {
    const int32_t page = pageCount_;
    for (const PageTemplate& t : pageTemplates_) {
        const int32_t o = t.options;
        const bool every = (o & 7) == 7;
        const bool even = page % 2 == 0 && (o & 2);
        const bool odd = page % 2 == 1 && (o & 4) && !((o & 8) && page == 1);
        if (every || even || odd) DrawObject(t.name);
    }
}

}  // namespace tastolino
