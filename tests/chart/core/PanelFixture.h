#pragma once
// A concrete chart panel for tests: it paints the panel background as a chart does, the rubber
// band while a zoom drag is active, counts its passes and can be told to fail.
#include <gtest/gtest.h>

#include <functional>

#include "chart/canvas/Canvas3D.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/ZebPanelExtended.h"

class TTestPanel : public TCustomZebPanelExtended {
    TV_CLASS(TTestPanel, TCustomZebPanelExtended)
public:
    explicit TTestPanel(TComponent* owner) : TCustomZebPanelExtended(owner) {}

    int Draws = 0;
    std::function<void(TTestPanel&, const TRect&)> Content;

    void DrawChart(const TRect& rect) override
    {
        ++Draws;
        if (!Canvas3D()->IsTrue3D()) PaintPanelBackground(rect);
        if (Content) Content(*this, rect);
        if (Zoom()->Active()) PaintZoomFrame();
    }
};

// The engine's units (the canvas class list) live for each suite. New panels draw on the
// pixel-exact canvas unless a test asks for another.
class PanelSuite : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        StartChartEngine();
        DefaultCanvasClassName = "TZebCanvas3D";
    }
    static void TearDownTestSuite() { StopChartEngine(); }
};
