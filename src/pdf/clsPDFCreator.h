// clsPDFCreator: a small writer of PDF 1.3 files. It writes strictly forward:
// every object goes to the file when the caller creates it, and only the page
// tree, the shared resources, the cross-reference table and the trailer wait
// for ClosePDFFile. One object writes one document; use a fresh writer for
// each.
//
// Text parameters are UTF-8; the file gets Windows-1252 bytes, with "?" for a
// character the code page lacks (also when measuring). Coordinates and
// lengths are in the unit chosen with ScaleMode; font sizes, spacing values,
// percentages and angles are not converted.
//
// Calling order: setters, InitPDFFile, fonts / images / templates, then
// BeginPage ... drawing ... EndPage for each page, ClosePDFFile. Breaking that
// order throws std::logic_error; bad arguments throw std::invalid_argument or
// std::overflow_error before anything is written; I/O errors throw
// std::runtime_error.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tastolino {

class clsPDFCreator {
  public:
    clsPDFCreator();
    ~clsPDFCreator();
    clsPDFCreator(const clsPDFCreator&) = delete;
    clsPDFCreator& operator=(const clsPDFCreator&) = delete;

    // Document properties. Margin, PaperWidth and PaperHeight are converted
    // with the ScaleMode in force, so set ScaleMode first.
    void EncodeASCII85(bool vData) { encodeAscii85_ = vData; }
    void Margin(float vData) { margin_ = ToPoints(vData); }
    void PaperWidth(float vData);
    void PaperHeight(float vData);
    int16_t Pages() const { return pageCount_; }
    void ScaleMode(int32_t New_ScaleMode) { scaleMode_ = New_ScaleMode; }  // 0 pt, 1 in, 2 mm, 3 cm
    void PaperSize(int32_t New_PaperSize);  // 0 A4, 1 A3, 2 Letter, 3 612 x 864 pt
    void Orientation(int32_t NewOrientation) { orientation_ = NewOrientation; }  // 1 landscape
    void Title(const std::string& New_Title) { title_ = New_Title; }

    // Opens the document; an empty name gets a generated one in the program's
    // folder, handed back. False when the file cannot be created.
    bool InitPDFFile(std::string& strFileName);
    // Opens the document on a stream the caller has opened for writing (a
    // file created where no one else can interfere); the writer takes it
    // over and closes it. `name` only appears in error messages. False when
    // `file` is null or the start cannot be written (the stream is closed).
    bool InitPDFFile(std::FILE* file, const std::string& name);
    void ClosePDFFile();
    int16_t BeginPage();  // returns the page number, 1 for the first page
    void EndPage();

    // Text state; mirrored so that Length measures what the viewer shows.
    void SetWordSpacing(float W);
    void SetCharSpacing(float W);
    void SetTextHorizontalScaling(float W);  // percent
    void SetTextRenderingMode(int32_t W);    // 0..2, anything else ignored
    // Align 0 left, 1 right (X is the right end), 2 centred; Rotate in
    // degrees counter-clockwise about the baseline origin (X, Y).
    void DrawText(float X, float Y, const std::string& strTemp, const std::string& FontName,
                  float Fontsize, int32_t Align = 0, float Rotate = 0);
    // Width in the current unit for a font loaded with LoadFont, else 0.
    float Length(const std::string& Phrase, const std::string& FontName, float Fontsize) const;

    // Colours: -255..0 is a gray level (0 black), otherwise 0xBBGGRR.
    void SetColorStroke(int32_t rgb);
    void SetColorFill(int32_t rgb);
    void SetDash(float dash_on, float dash_off);
    void SetLineWidth(float W);
    void SetLineCap(int16_t W);
    void SetLineJoin(int16_t W);
    void SetMiterLimit(float W);

    // Path Options: 1 stroke, 2 close, 4 fill; 0 leaves the path open.
    void MoveTo(float X, float Y);
    void LineTo(float X, float Y, int32_t Options);
    void Curve(float X1, float Y1, float X2, float Y2, float X3, float Y3, int32_t Options);
    // (X, Y) is the lower left corner; Ray > 0 rounds the corners and comes
    // back limited to half the width and height.
    void Rectangle(float X, float Y, float xdim, float ydim, int32_t Options, float& Ray);
    void DrawCircle(float X, float Y, float Ray, int32_t Options);
    // Polygonal arc in steps of Quality degrees (> 0); Ratio scales the y
    // radius; filling makes it a pie, reported back through Pie.
    void Arc(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio, bool& Pie,
             float Rotate, int16_t Quality, int32_t Options);

    // Images: ColorSpace 0 colour, anything else gray. False when the file
    // is missing or is not a BMP; an unreadable or unsupported file throws.
    bool LoadImgFromBMPFile(const std::string& Name, const std::string& FileName,
                            int32_t ColorSpace);
    // Rows bottom first; palette indices with a colour table for 1, 4 and 8
    // bits, RGB (or gray) bytes per pixel for 24 bits. Both arrays go into
    // the file whole; shorter than the picture needs throws.
    void LoadImgFromArray(const std::string& Name, const std::vector<uint8_t>& ImgBuf,
                          const std::vector<uint8_t>& ImgColor, int32_t ImgWidth, int32_t ImgHeight,
                          uint8_t ImgBPP, int32_t ColorSpace);
    // (DestX, DestY) is the top left corner; the image extends downward.
    void DrawImg(const std::string& Name, float DestX, float DestY, float ImgWidth,
                 float ImgHeight);

    // Options 0 regular, 1 bold, 2 italic, 3 bold italic.
    void LoadFontStandard(const std::string& Name, const std::string& BaseFont, int32_t Options);
    void LoadFont(const std::string& Name, const std::string& BaseFont, int32_t Options);

    // Templates: Options 2 even pages, 4 odd pages, 8 not on page 1, 7 all
    // pages; they are drawn under the page's own content at BeginPage.
    void StartObject(const std::string& Name, int32_t Options);
    void EndObject();
    void DrawObject(const std::string& Name);

  private:
    enum class State { Closed, Open, Page, Template };
    struct FontMetrics {
        std::string name;  // resource name, e.g. Fn1
        uint8_t first = 0;
        uint8_t last = 0;
        const int16_t* widths = nullptr;  // widths[code - first]
        int32_t missingWidth = 0;
    };
    struct PageTemplate {
        std::string name;
        int32_t options = 0;
    };

    float ToPoints(float value) const;
    float FromPoints(float value) const;

    // Output: records end in CR LF; offset_ counts every byte written.
    void write(const char* data, size_t size);
    void write(const std::string& s) { write(s.data(), s.size()); }
    void WriteLine(const std::string& text);
    void WriteEndObj() { WriteLine("endobj"); }
    int32_t BeginObject(int32_t n);
    void beginStream();
    int64_t endStream();
    void closeFile();

    void requireState(State wanted, const char* operation) const;
    void requireDrawing(const char* operation) const;
    void appendPoint(std::string& rec, float x, float y) const;
    void PaintPath(int32_t Options);
    std::string colorRecord(int32_t rgb, const char* grayOp, const char* rgbOp) const;
    void DrawPageTemplates();
    void addImageObjects(const std::string& name, const uint8_t* pixels, size_t pixelBytes,
                         const uint8_t* colors, size_t colorBytes, int32_t width, int32_t height,
                         uint8_t bits, int32_t colorSpace);
    const FontMetrics* findFont(const std::string& name) const;

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::string fileName_;
    uint64_t offset_ = 0;
    State state_ = State::Closed;

    std::string title_ = "(senza titolo)";
    int32_t paperSize_ = 0;
    float paperWidth_ = 595.2f;
    float paperHeight_ = 842.0f;
    int32_t scaleMode_ = 0;
    int32_t orientation_ = 0;
    float margin_ = 0;
    int16_t pageCount_ = 0;
    bool encodeAscii85_ = false;

    int32_t lastObjectNumber_ = 0;
    std::vector<uint64_t> objectOffsets_;  // index = object number
    uint64_t streamStart_ = 0;
    std::string kidsList_;
    std::string fontResources_;
    std::string imageResources_;
    std::string formResources_;

    float charSpacing_ = 0;
    float wordSpacing_ = 0;
    float horizontalScaling_ = 100;

    std::vector<FontMetrics> fonts_;
    std::vector<PageTemplate> pageTemplates_;
};

}  // namespace tastolino
