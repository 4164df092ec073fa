// FlatBox: the filled quad and its line loop.
#include "media/FlatBox.h"

#include <GL/gl.h>

void FlatBox::Plot(double x0, double y0, double x1, double y1, float r, float g, float b, float a)
{
    glDisable(GL_TEXTURE_2D);
    glColor4f(r, g, b, a);
    glBegin(GL_QUADS);
    glVertex2d(x0, y0);
    glVertex2d(x1, y0);
    glVertex2d(x1, y1);
    glVertex2d(x0, y1);
    glEnd();
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    Outline(x0, y0, x1, y1);
}

void FlatBox::Outline(double x0, double y0, double x1, double y1)
{
    glBegin(GL_LINE_LOOP);
    glVertex2d(x0, y0);
    glVertex2d(x1, y0);
    glVertex2d(x1, y1);
    glVertex2d(x0, y1);
    glEnd();
}

void FlatBox::PlotBox(double x0, double y0, double x1, double y1, float r, float g, float b, float a)
{
    glLineWidth(1.0f);
    Plot(x0, y0, x1, y1, r, g, b, a);
}

void FlatBox::PlotPanel(double x0, double y0, double x1, double y1)
{
    PlotBox(x0, y0, x1, y1, 1.0f, 1.0f, 1.0f, 0.4f);
    Outline(x0 + 2.0, y0 + 2.0, x1 - 2.0, y1 - 2.0);
}
