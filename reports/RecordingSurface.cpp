#include "RecordingSurface.h"

namespace {

FontDescription StockFont()
{
    FontDescription f;
    f.faceName = "System";
    return f;
}

}  // namespace

RecordingSurface::RecordingSurface(const DeviceDescription& attribute)
    : MappedSurface(attribute), m_fonts(StockFont()), m_pens(PenDescription{})
{
}

SurfaceCall& RecordingSurface::Record(SurfaceOp op) const
{
    m_calls.push_back({});
    m_calls.back().op = op;
    return m_calls.back();
}

std::vector<SurfaceCall> RecordingSurface::CallsOf(SurfaceOp op) const
{
    std::vector<SurfaceCall> out;
    for (const auto& c : m_calls)
        if (c.op == op)
            out.push_back(c);
    return out;
}

LPoint RecordingSurface::SetWindowOrg(LPoint logical)
{
    Record(SurfaceOp::SetWindowOrg).point = logical;
    return MappedSurface::SetWindowOrg(logical);
}

int RecordingSurface::SetMapMode(int mode)
{
    Record(SurfaceOp::SetMapMode).value = mode;
    return MappedSurface::SetMapMode(mode);
}

LPoint RecordingSurface::SetViewportOrg(LPoint device)
{
    Record(SurfaceOp::SetViewportOrg).point = device;
    return MappedSurface::SetViewportOrg(device);
}

LSize RecordingSurface::GetViewportExt() const
{
    Record(SurfaceOp::GetViewportExt);
    return MappedSurface::GetViewportExt();
}

LSize RecordingSurface::SizeToLogical(LSize device) const
{
    Record(SurfaceOp::SizeToLogical).size = device;
    return MappedSurface::SizeToLogical(device);
}

LSize RecordingSurface::SizeToDevice(LSize logical) const
{
    Record(SurfaceOp::SizeToDevice).size = logical;
    return MappedSurface::SizeToDevice(logical);
}

LPoint RecordingSurface::PointToLogical(LPoint device) const
{
    Record(SurfaceOp::PointToLogical).point = device;
    return MappedSurface::PointToLogical(device);
}

bool RecordingSurface::IsPrinting() const
{
    Record(SurfaceOp::IsPrinting);
    return MappedSurface::IsPrinting();
}

int RecordingSurface::GetDeviceCaps(int index) const
{
    Record(SurfaceOp::GetDeviceCaps).value = index;
    return MappedSurface::GetDeviceCaps(index);
}

FontHandle RecordingSurface::CreateFont(const FontDescription& request)
{
    const FontHandle h = m_fonts.Create(request);
    auto& c = Record(SurfaceOp::CreateFont);
    c.font = request;
    c.handle = h.id;
    return h;
}

PenHandle RecordingSurface::CreatePen(const PenDescription& request)
{
    const PenHandle h = m_pens.Create(request);
    auto& c = Record(SurfaceOp::CreatePen);
    c.pen = request;
    c.handle = h.id;
    return h;
}

FontHandle RecordingSurface::SelectFont(FontHandle font)
{
    Record(SurfaceOp::SelectFont).handle = font.id;
    return m_fonts.Select(font);
}

PenHandle RecordingSurface::SelectPen(PenHandle pen)
{
    Record(SurfaceOp::SelectPen).handle = pen.id;
    return m_pens.Select(pen);
}

bool RecordingSurface::DeleteFont(FontHandle font)
{
    Record(SurfaceOp::DeleteFont).handle = font.id;
    return m_fonts.Delete(font);
}

bool RecordingSurface::DeletePen(PenHandle pen)
{
    Record(SurfaceOp::DeletePen).handle = pen.id;
    return m_pens.Delete(pen);
}

Colour RecordingSurface::SetTextColour(Colour colour)
{
    Record(SurfaceOp::SetTextColour).colour = colour;
    const Colour previous = m_textColour;
    m_textColour = colour;
    return previous;
}

void RecordingSurface::MoveTo(LPoint logical)
{
    Record(SurfaceOp::MoveTo).point = logical;
    m_position = logical;
}

void RecordingSurface::LineTo(LPoint logical)
{
    auto& c = Record(SurfaceOp::LineTo);
    c.point = logical;
    c.from = m_position;
    c.handle = m_pens.Selected().id;
    c.pen = m_pens.SelectedDescription();
    m_position = logical;
}

void RecordingSurface::DrawText(std::string_view text, const LRect& rect, unsigned flags)
{
    auto& c = Record(SurfaceOp::DrawText);
    c.text = std::string(text);
    c.rect = rect;
    c.flags = flags;
    c.handle = m_fonts.Selected().id;
    c.font = m_fonts.SelectedDescription();
    c.colour = m_textColour;
}
