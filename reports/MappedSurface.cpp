#include "MappedSurface.h"

#include <cmath>
#include <cstdlib>

int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return 0;
    // Exact in double: |a * b| stays far below 2^53 for any coordinate of ours.
    return static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

MappedSurface::MappedSurface(const DeviceDescription& attribute) : m_attribute(attribute) {}

LPoint MappedSurface::SetWindowOrg(LPoint logical)
{
    const LPoint previous = m_windowOrg;
    m_windowOrg = logical;
    return previous;
}

int MappedSurface::SetMapMode(int mode)
{
    if (mode != MM_TEXT && mode != MM_HIMETRIC)
        return 0;
    const int previous = m_mapMode;
    m_mapMode = mode;
    return previous;
}

LPoint MappedSurface::SetViewportOrg(LPoint device)
{
    const LPoint previous = m_viewportOrg;
    m_viewportOrg = device;
    return previous;
}

LSize MappedSurface::GetViewportExt() const { return ViewportExt(); }

LSize MappedSurface::ViewportExt() const
{
    if (m_mapMode == MM_HIMETRIC)
        return {m_attribute.widthPixels, -m_attribute.heightPixels};
    return {1, 1};
}

LSize MappedSurface::GetWindowExt() const { return WindowExt(); }

LSize MappedSurface::WindowExt() const
{
    if (m_mapMode == MM_HIMETRIC)
        return {static_cast<int>(std::lround(m_attribute.widthMm * 100.0)),
                static_cast<int>(std::lround(m_attribute.heightMm * 100.0))};
    return {1, 1};
}

LSize MappedSurface::SizeToLogical(LSize device) const
{
    const LSize w = WindowExt();
    const LSize v = ViewportExt();
    return {MulDivRound(device.cx, std::abs(w.cx), std::abs(v.cx)),
            MulDivRound(device.cy, std::abs(w.cy), std::abs(v.cy))};
}

LSize MappedSurface::SizeToDevice(LSize logical) const
{
    const LSize w = WindowExt();
    const LSize v = ViewportExt();
    return {MulDivRound(logical.cx, std::abs(v.cx), std::abs(w.cx)),
            MulDivRound(logical.cy, std::abs(v.cy), std::abs(w.cy))};
}

LPoint MappedSurface::PointToLogical(LPoint device) const
{
    const LSize w = WindowExt();
    const LSize v = ViewportExt();
    return {MulDivRound(device.x - m_viewportOrg.x, w.cx, v.cx) + m_windowOrg.x,
            MulDivRound(device.y - m_viewportOrg.y, w.cy, v.cy) + m_windowOrg.y};
}

bool MappedSurface::IsPrinting() const { return m_attribute.printing; }

int MappedSurface::GetDeviceCaps(int index) const
{
    if (index == HORZSIZE)
        return static_cast<int>(std::lround(m_attribute.widthMm));
    if (index == VERTSIZE)
        return static_cast<int>(std::lround(m_attribute.heightMm));
    return 0;
}

double MappedSurface::DeviceX(double logicalX) const
{
    const LSize w = WindowExt();
    const LSize v = ViewportExt();
    if (w.cx == 0)
        return m_viewportOrg.x;
    return (logicalX - m_windowOrg.x) * v.cx / w.cx + m_viewportOrg.x;
}

double MappedSurface::DeviceY(double logicalY) const
{
    const LSize w = WindowExt();
    const LSize v = ViewportExt();
    if (w.cy == 0)
        return m_viewportOrg.y;
    return (logicalY - m_windowOrg.y) * v.cy / w.cy + m_viewportOrg.y;
}

double MappedSurface::ScaleX() const
{
    const LSize w = WindowExt();
    const LSize v = ViewportExt();
    return w.cx == 0 ? 0.0 : std::abs(static_cast<double>(v.cx) / w.cx);
}

double MappedSurface::ScaleY() const
{
    const LSize w = WindowExt();
    const LSize v = ViewportExt();
    return w.cy == 0 ? 0.0 : std::abs(static_cast<double>(v.cy) / w.cy);
}
