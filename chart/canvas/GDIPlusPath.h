#pragma once
// The path of the antialiased canvas: figures collected in a layer path and painted with the
// canvas's brush (a gradient shaped by the path's own points) and pen. Its points and point types
// can be read back and a path made again from them, so that a caller can move the points of a
// text outline (the polar series turns its labels so).
#include <memory>

#include "chart/canvas/Path.h"

class TGDIPlusCanvas;
class TGPGraphicsPath;

class TZebGDIPlusPath : public TZebBasePath {
    TV_CLASS(TZebGDIPlusPath, TZebBasePath)
public:
    explicit TZebGDIPlusPath(TGDIPlusCanvas& canvas);
    ~TZebGDIPlusPath() override;

    void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) override;
    void CloseFigure() override;
    // A cardinal curve of the tension through the points; closed: a closed curve.
    void AddPoints(std::span<const TPoint> points, float tension, bool closed) override;
    void DrawWith(TZebCanvas& canvas) override;
    // Types as the layer numbers them (0 start, 1 line, 3 Bezier; 0x80 closes a figure); bounds
    // (left, top, right, bottom).
    void GetPathData(std::vector<Byte>& types, std::vector<TPointFloat>& points, TFloatRect& bounds) override;
    void AddLineTo(float x, float y) override;
    void MoveToXY(float x, float y) override;
    void AddText(const String& text, float x, float y) override;

    // The path becomes the figures the points and their types describe.
    void Replace(std::span<const TPointFloat> points, std::span<const Byte> types);
    TGPGraphicsPath& LayerPath() const { return *path_; }

private:
    TGDIPlusCanvas& canvas_;
    std::unique_ptr<TGPGraphicsPath> path_;
    float x_ = 0, y_ = 0;
};
