// Colours, line style and paths.
#include <cmath>
#include <stdexcept>

#include "PdfFormat.h"
#include "clsPDFCreator.h"

namespace tastolino {

using pdf::appendNumber;

namespace {
constexpr float kDegree = 3.141592f / 180.0f;
// Bezier control distance for a quarter circle, as the writer has always used.
constexpr float kBezier = 0.55f;
}  // namespace

void clsPDFCreator::appendPoint(std::string& rec, float x, float y) const {
    appendNumber(rec, ToPoints(x));
    rec += ' ';
    appendNumber(rec, ToPoints(y));
}

std::string clsPDFCreator::colorRecord(int32_t rgb, const char* grayOp, const char* rgbOp) const {
    std::string rec;
    if (rgb >= -255 && rgb <= 0) {
        appendNumber(rec, -rgb / 255.0);
        return rec + grayOp;
    }
    if (rgb < -255) throw std::invalid_argument("PDF: colour value out of range");
    appendNumber(rec, (rgb % 256) / 255.0);
    rec += ' ';
    appendNumber(rec, (rgb / 256 % 256) / 255.0);
    rec += ' ';
    appendNumber(rec, (rgb / 65536 % 256) / 255.0);
    return rec + rgbOp;
}

void clsPDFCreator::SetColorStroke(int32_t rgb) {
    requireDrawing("SetColorStroke");
    WriteLine(colorRecord(rgb, " G", " RG"));
}

void clsPDFCreator::SetColorFill(int32_t rgb) {
    requireDrawing("SetColorFill");
    WriteLine(colorRecord(rgb, " g", " rg"));
}

void clsPDFCreator::SetDash(float dash_on, float dash_off) {
    requireDrawing("SetDash");
    if (dash_on == 0 && dash_off == 0) {
        WriteLine("[ ] 0 d");
        return;
    }
    std::string rec = "[";
    appendPoint(rec, dash_on, dash_off);
    WriteLine(rec + "] 0 d");
}

void clsPDFCreator::SetLineWidth(float W) {
    requireDrawing("SetLineWidth");
    std::string rec;
    appendNumber(rec, ToPoints(W));
    WriteLine(rec + " w");
}

void clsPDFCreator::SetLineCap(int16_t W) {
    requireDrawing("SetLineCap");
    if (W >= 0 && W <= 2) WriteLine(std::to_string(W) + " J");
}

void clsPDFCreator::SetLineJoin(int16_t W) {
    requireDrawing("SetLineJoin");
    if (W >= 0 && W <= 2) WriteLine(std::to_string(W) + " j");
}

void clsPDFCreator::SetMiterLimit(float W) {
    requireDrawing("SetMiterLimit");
    if (!(W >= 1)) return;
    std::string rec;
    appendNumber(rec, W);
    WriteLine(rec + " M");
}

void clsPDFCreator::PaintPath(int32_t Options) {
    const bool stroke = Options & 1, close = Options & 2, fill = Options & 4;
    if (stroke && close && fill) {
        WriteLine("b");
    } else if (stroke && fill) {
        WriteLine("B");
    } else if (fill) {
        WriteLine("f");
    } else {
        if (close) WriteLine("h");
        if (stroke) WriteLine("S");
    }
}

void clsPDFCreator::MoveTo(float X, float Y) {
    requireDrawing("MoveTo");
    std::string rec;
    appendPoint(rec, X, Y);
    WriteLine(rec + " m");
}

void clsPDFCreator::LineTo(float X, float Y, int32_t Options) {
    requireDrawing("LineTo");
    std::string rec;
    appendPoint(rec, X, Y);
    WriteLine(rec + " l");
    PaintPath(Options);
}

void clsPDFCreator::Curve(float X1, float Y1, float X2, float Y2, float X3, float Y3,
                          int32_t Options) {
    requireDrawing("Curve");
    std::string rec;
    appendPoint(rec, X1, Y1);
    rec += ' ';
    appendPoint(rec, X2, Y2);
    rec += ' ';
    appendPoint(rec, X3, Y3);
    WriteLine(rec + " c");
    PaintPath(Options);
}

void clsPDFCreator::Rectangle(float X, float Y, float xdim, float ydim, int32_t Options,
                              float& Ray) {
    requireDrawing("Rectangle");
    WriteLine("n");
    if (Ray > 0) {
        if (Ray > xdim / 2) Ray = xdim / 2;
        if (Ray > ydim / 2) Ray = ydim / 2;
        const float k = kBezier * Ray;
        MoveTo(X + Ray, Y);
        LineTo(X + xdim - Ray, Y, 0);
        Curve(X + xdim - Ray + k, Y, X + xdim, Y + Ray - k, X + xdim, Y + Ray, 0);
        LineTo(X + xdim, Y + ydim - Ray, 0);
        Curve(X + xdim, Y + ydim - Ray + k, X + xdim - Ray + k, Y + ydim, X + xdim - Ray, Y + ydim,
              0);
        LineTo(X + Ray, Y + ydim, 0);
        Curve(X + Ray - k, Y + ydim, X, Y + ydim - Ray + k, X, Y + ydim - Ray, 0);
        LineTo(X, Y + Ray, 0);
        Curve(X, Y + Ray - k, X + Ray - k, Y, X + Ray, Y, 0);
    } else {
        std::string rec;
        appendPoint(rec, X, Y);
        rec += ' ';
        appendPoint(rec, xdim, ydim);
        WriteLine(rec + " re");
    }
    PaintPath(Options);
}

void clsPDFCreator::DrawCircle(float X, float Y, float Ray, int32_t Options) {
    requireDrawing("DrawCircle");
    const float k = kBezier * Ray;
    MoveTo(X, Y - Ray);
    Curve(X + k, Y - Ray, X + Ray, Y - k, X + Ray, Y, 0);
    Curve(X + Ray, Y + k, X + k, Y + Ray, X, Y + Ray, 0);
    Curve(X - k, Y + Ray, X - Ray, Y + k, X - Ray, Y, 0);
    Curve(X - Ray, Y - k, X - k, Y - Ray, X, Y - Ray, 0);
    PaintPath(Options);
}

void clsPDFCreator::Arc(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio,
                        bool& Pie, float Rotate, int16_t Quality, int32_t Options) {
    requireDrawing("Arc");
    // A step of zero or less would never reach the end angle.
    if (Quality <= 0) throw std::invalid_argument("PDF: arc step must be positive");
    // Angles so large that the step no longer changes them would loop for
    // ever; every angle in between is no larger than the two ends.
    if (StartAngle <= EndAngle &&
        (StartAngle + Quality == StartAngle || EndAngle + Quality == EndAngle))
        throw std::invalid_argument("PDF: arc angles out of range");
    WriteLine("n");
    MoveTo(X, Y);
    if (Options & 4) Pie = true;
    const float sr = std::sin(-kDegree * Rotate);
    const float cr = std::cos(-kDegree * Rotate);
    for (float angle = StartAngle; angle <= EndAngle;) {
        const float a = kDegree * angle;
        const float px = Ray * std::cos(a);
        const float py = Ratio * Ray * std::sin(a);
        const float rx = cr * px + sr * py;
        const float ry = -px * sr + cr * py;
        if (!Pie && angle == StartAngle) MoveTo(X + rx, Y + ry);
        LineTo(X + rx, Y + ry, 0);
        const float next = angle + Quality;
        if (next == angle) throw std::invalid_argument("PDF: arc angles out of range");
        angle = next;
    }
    if (Pie) LineTo(X, Y, 0);
    PaintPath(Options);
}

}  // namespace tastolino
