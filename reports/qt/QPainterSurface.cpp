#include "QPainterSurface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>

namespace {

// Fontconfig gives Liberation Mono for this family (metric-compatible with it); the face name
// the reports ask for carries the weight in its name, which Qt would not match.
const QString FIXED_FAMILY = QStringLiteral("Courier New");
constexpr double REFERENCE_PIXELS = 1000.0;
// A requested width further from the face's own than this keeps the face's own width.
constexpr int MIN_STRETCH = 50;
constexpr int MAX_STRETCH = 200;

FontDescription StockFont()
{
    FontDescription f;
    f.faceName = "System";
    return f;
}

QFont BaseFont(const FontDescription& request)
{
    QFont f(FIXED_FAMILY);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setKerning(false);
    const int weight = request.weight <= 0 ? FW_NORMAL : std::clamp(request.weight, 1, 1000);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setItalic(request.italic);
    f.setUnderline(request.underline);
    f.setStrikeOut(request.strikeOut);
    return f;
}

}  // namespace

QPainterSurface::QPainterSurface(QPainter& painter, const DeviceDescription& attribute)
    : MappedSurface(attribute), m_painter(painter), m_fonts(StockFont()), m_pens(PenDescription{})
{
}

QPainterSurface::~QPainterSurface() { Flush(); }

LPoint QPainterSurface::SetWindowOrg(LPoint logical)
{
    Flush();
    return MappedSurface::SetWindowOrg(logical);
}

int QPainterSurface::SetMapMode(int mode)
{
    Flush();
    return MappedSurface::SetMapMode(mode);
}

LPoint QPainterSurface::SetViewportOrg(LPoint device)
{
    Flush();
    return MappedSurface::SetViewportOrg(device);
}

FontHandle QPainterSurface::CreateFont(const FontDescription& request) { return m_fonts.Create(request); }

PenHandle QPainterSurface::CreatePen(const PenDescription& request) { return m_pens.Create(request); }

FontHandle QPainterSurface::SelectFont(FontHandle font) { return m_fonts.Select(font); }

PenHandle QPainterSurface::SelectPen(PenHandle pen)
{
    if (pen != m_pens.Selected())
        Flush();
    return m_pens.Select(pen);
}

bool QPainterSurface::DeleteFont(FontHandle font)
{
    if (!m_fonts.Delete(font))
        return false;
    m_realFonts.erase(font.id);
    return true;
}

bool QPainterSurface::DeletePen(PenHandle pen) { return m_pens.Delete(pen); }

Colour QPainterSurface::SetTextColour(Colour colour)
{
    const Colour previous = m_textColour;
    m_textColour = colour;
    return previous;
}

QPointF QPainterSurface::ToDevice(LPoint logical) const
{
    // Whole pixels, as the device itself addresses them.
    return {std::round(DeviceX(logical.x)), std::round(DeviceY(logical.y))};
}

void QPainterSurface::MoveTo(LPoint logical)
{
    Flush();
    m_position = logical;
}

void QPainterSurface::LineTo(LPoint logical)
{
    if (m_pending.isEmpty())
        m_pending.append(ToDevice(m_position));
    // Many samples fall on one pixel on screen; repeating a point adds nothing but work.
    const QPointF p = ToDevice(logical);
    if (p != m_pending.back())
        m_pending.append(p);
    m_lineDrawn = true;
    m_position = logical;
}

QPen QPainterSurface::RealizePen(const PenDescription& request) const
{
    const QColor colour(request.colour.red, request.colour.green, request.colour.blue);
    const double width = std::round(request.width * ScaleX());
    if (width <= 1.0) {
        QPen hairline(colour, 0);  // cosmetic: one device pixel
        hairline.setCosmetic(true);
        return hairline;
    }
    // Round ends and joins, as a wide pen has; up to 3 pixels they change no visible pixel and
    // would make a screen curve twice as slow to draw.
    if (width <= 3.0)
        return QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin);
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void QPainterSurface::Flush()
{
    if (m_pending.size() >= 2) {
        m_painter.setPen(RealizePen(m_pens.SelectedDescription()));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPolyline(m_pending);
    } else if (m_pending.size() == 1 && m_lineDrawn) {
        // Lines that went nowhere leave the pen's dot, as a curve of one sample does.
        m_painter.setPen(RealizePen(m_pens.SelectedDescription()));
        m_painter.drawPoint(m_pending.front());
    }
    m_pending.clear();
    m_lineDrawn = false;
}

const QPainterSurface::RealFont& QPainterSurface::Realize(FontHandle handle)
{
    const FontDescription* request = m_fonts.Find(handle);
    static const FontDescription stock = StockFont();
    if (!request)
        request = &stock;
    RealFont& real = m_realFonts[handle.id];
    const double sx = ScaleX();
    const double sy = ScaleY();
    if (real.scaleX == sx && real.scaleY == sy)
        return real;

    QFont font = BaseFont(*request);
    // Cell height per em of the face, measured once per request at a large size.
    QFont reference = font;
    reference.setPixelSize(static_cast<int>(REFERENCE_PIXELS));
    const QFontMetricsF refMetrics(reference);
    const double cellPerEm = std::max(0.5, refMetrics.height() / REFERENCE_PIXELS);

    double cell;
    if (request->height > 0)
        cell = std::max(1.0, std::round(request->height * sy));
    else if (request->height < 0)
        cell = std::max(1.0, std::round(-request->height * sy * cellPerEm));
    else
        cell = std::max(1.0, std::round(16.0 * cellPerEm));  // no size asked: a legible default
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cell / cellPerEm))));

    const QFontMetricsF metrics(font);
    if (request->width > 0 && metrics.averageCharWidth() > 0) {
        const double wanted = request->width * sx;
        const int stretch = static_cast<int>(std::lround(100.0 * wanted / metrics.averageCharWidth()));
        if (stretch >= MIN_STRETCH && stretch <= MAX_STRETCH && stretch != 100)
            font.setStretch(stretch);
    }
    real.font = font;
    real.cell = cell;
    real.ascent = metrics.ascent() * cell / std::max(1e-9, metrics.height());
    real.scaleX = sx;
    real.scaleY = sy;
    return real;
}

QFont QPainterSurface::RealizedFont(FontHandle font) { return Realize(font).font; }

double QPainterSurface::CellHeight(FontHandle font) { return Realize(font).cell; }

void QPainterSurface::DrawText(std::string_view text, const LRect& rect, unsigned flags)
{
    Flush();
    const double x1 = std::round(DeviceX(rect.left));
    const double x2 = std::round(DeviceX(rect.right));
    const double y1 = std::round(DeviceY(rect.top));
    const double y2 = std::round(DeviceY(rect.bottom));
    const QRectF box(QPointF(std::min(x1, x2), std::min(y1, y2)),
                     QPointF(std::max(x1, x2), std::max(y1, y2)));
    if (box.isEmpty())
        return;

    const RealFont& real = Realize(m_fonts.Selected());
    const QFontMetricsF metrics(real.font);
    const QColor ink(m_textColour.red, m_textColour.green, m_textColour.blue);

    m_painter.save();
    m_painter.setClipRect(box, Qt::IntersectClip);
    m_painter.setFont(real.font);
    m_painter.setPen(ink);
    double top = box.top();
    std::size_t start = 0;
    while (start <= text.size() && top < box.bottom()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (end > start) {
            const QString line =
                QString::fromUtf8(text.data() + start, static_cast<qsizetype>(end - start));
            const double advance = metrics.horizontalAdvance(line);
            const double x = (flags & DT_CENTER) ? std::round(box.left() + (box.width() - advance) / 2)
                                                 : box.left();
            m_painter.fillRect(QRectF(x, top, advance, real.cell), Qt::white);
            m_painter.drawText(QPointF(x, top + real.ascent), line);
        }
        if (end == text.size())
            break;
        start = end + 1;
        top += real.cell;
    }
    m_painter.restore();
}
