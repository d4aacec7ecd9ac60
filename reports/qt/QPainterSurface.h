// The drawing surface on a QPainter: a widget on screen, a printer or preview page, a PDF page
// or an image. The painter must be active. Its device's pixels are taken to be the pixels of
// the attribute device described (the whole display for a widget, the printable area for a
// page), and the painter's own transform is left as the caller set it.
#pragma once

#include "MappedSurface.h"
#include "SurfaceObjects.h"

#include <QFont>
#include <QPen>
#include <QPolygonF>

#include <map>

class QPainter;

class QPainterSurface : public MappedSurface {
public:
    QPainterSurface(QPainter& painter, const DeviceDescription& attribute);
    ~QPainterSurface() override;
    QPainterSurface(const QPainterSurface&) = delete;
    QPainterSurface& operator=(const QPainterSurface&) = delete;

    LPoint SetWindowOrg(LPoint logical) override;
    int SetMapMode(int mode) override;
    LPoint SetViewportOrg(LPoint device) override;
    FontHandle CreateFont(const FontDescription& request) override;
    PenHandle CreatePen(const PenDescription& request) override;
    FontHandle SelectFont(FontHandle font) override;
    PenHandle SelectPen(PenHandle pen) override;
    bool DeleteFont(FontHandle font) override;
    bool DeletePen(PenHandle pen) override;
    Colour SetTextColour(Colour colour) override;
    void MoveTo(LPoint logical) override;
    void LineTo(LPoint logical) override;
    void DrawText(std::string_view text, const LRect& rect, unsigned flags) override;

    // Draws the lines still held back (consecutive line-tos go out as one polyline).
    void Flush();

    // The Qt font a handle gives under the current mapping; a default QFont if unknown.
    QFont RealizedFont(FontHandle font);
    // The line pitch of a handle's font under the current mapping, device pixels.
    double CellHeight(FontHandle font);

private:
    struct RealFont {
        QFont font;
        double cell = 0;    // line pitch, device pixels
        double ascent = 0;  // top of the cell to the baseline, device pixels
        double scaleX = -1;
        double scaleY = -1;
    };

    const RealFont& Realize(FontHandle font);
    QPen RealizePen(const PenDescription& request) const;
    QPointF ToDevice(LPoint logical) const;

    QPainter& m_painter;
    SurfaceObjects<FontDescription, FontHandle> m_fonts;
    SurfaceObjects<PenDescription, PenHandle> m_pens;
    std::map<int, RealFont> m_realFonts;
    Colour m_textColour;
    LPoint m_position;
    QPolygonF m_pending;  // device points of the polyline not drawn yet
    bool m_lineDrawn = false;  // a line-to since the last move or flush
};
