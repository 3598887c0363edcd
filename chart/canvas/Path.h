#pragma once
// Drawing paths: lines, arcs, point runs and text collected into one outline and painted at once
// with the canvas's picture, gradient, brush and pen. Callers get a path from the canvas
// (CreatePathObject or StartPath), add figures, paint it with DrawWith and free it.
#include <span>
#include <vector>

#include "platform/classes/Object.h"
#include "chart/canvas/Geometry.h"
#include "platform/graphics/DeviceContext.h"

class TZebCanvas;

class TZebBasePath : public TObject {
    TV_CLASS(TZebBasePath, TObject)
public:
    // An elliptic arc of the box (x, y, width, height) from startAngle over sweepAngle degrees,
    // clockwise on the screen for a positive sweep (y grows downwards), joined to the figure.
    virtual void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) = 0;
    virtual void CloseFigure() = 0;
    // Closed: a polygon of the points, the current position ends on the last point; otherwise
    // lines from the current position through the points. Smoothing paths draw a curve of the
    // tension.
    virtual void AddPoints(std::span<const TPoint> points, float tension, bool closed) = 0;
    virtual void DrawWith(TZebCanvas& canvas) = 0;
    // The points of paths that can report them; nothing for the device path.
    virtual void GetPathData(std::vector<Byte>& types, std::vector<TPointFloat>& points, TFloatRect& bounds)
    {
        (void)types, (void)points, (void)bounds;
    }
    virtual void AddLineTo(float x, float y) = 0;
    virtual void MoveToXY(float x, float y) = 0;
    virtual void AddText(const String& text, float x, float y) = 0;

    void LineToPoint(TPoint point) { AddLineTo(static_cast<float>(point.X), static_cast<float>(point.Y)); }
    void MoveToPoint(TPoint point) { MoveToXY(static_cast<float>(point.X), static_cast<float>(point.Y)); }
};

// The device path of the canvas's device context, with the figure rules of the antialiased path:
// moving only sets the current point, lines and arcs join the open figure, CloseFigure ends it.
// Coordinates round to integers (halves to even); arcs are laid down as short lines. The figures
// are kept so that the path can be laid down again after it served as a clip.
class TZebPath : public TZebBasePath {
    TV_CLASS(TZebPath, TZebBasePath)
public:
    explicit TZebPath(TZebCanvas& canvas);

    void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) override;
    void CloseFigure() override;
    void AddPoints(std::span<const TPoint> points, float tension, bool closed) override;
    // Picture brush: the picture fills the path's bounding box clipped to the path; gradient
    // brush: the gradient likewise; otherwise the path is filled unless the brush is clear. The
    // outline follows when the pen is visible.
    void DrawWith(TZebCanvas& canvas) override;
    void AddLineTo(float x, float y) override;
    void MoveToXY(float x, float y) override;
    void AddText(const String& text, float x, float y) override;

    // The figures as laid down: each starts with a move; for tests and the outline's users.
    int FigureCount() const;

private:
    struct Step {
        enum Kind { Move, Line, Close, Polygon, Text } kind;
        std::vector<TPoint> points;
        String text;
    };
    void lineTo(TPoint p);
    void replay(HDC dc) const;

    TZebCanvas& canvas_;
    std::vector<Step> steps_;
    TPoint current_;  // where the next line starts
    TPoint last_;     // the end of the open figure
    bool figureOpen_ = false;
};
