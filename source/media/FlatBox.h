// FlatBox: untextured rectangles with a black edge, for panels, plates and buttons.
#pragma once

class FlatBox final
{
public:
    // A box filled in the given colour with a black edge, drawn at the current line width. Leaves
    // texturing off and the colour black.
    static void Plot(double x0, double y0, double x1, double y1, float r, float g, float b, float a);
    // The edge alone, in the current colour and line width.
    static void Outline(double x0, double y0, double x1, double y1);
    // A filled box with a black edge one pixel wide.
    static void PlotBox(double x0, double y0, double x1, double y1, float r, float g, float b, float a);
    // A white see-through panel with a black edge and a second black line just inside it.
    static void PlotPanel(double x0, double y0, double x1, double y1);
};
