// The mapping half of a surface, shared by every surface of ours: window and viewport origins,
// MM_TEXT or MM_HIMETRIC, and the attribute side's metrics from a device description.
#pragma once

#include "DeviceDescription.h"
#include "DrawingSurface.h"

class MappedSurface : public DrawingSurface {
public:
    explicit MappedSurface(const DeviceDescription& attribute);

    LPoint SetWindowOrg(LPoint logical) override;
    int SetMapMode(int mode) override;
    LPoint SetViewportOrg(LPoint device) override;
    LSize GetViewportExt() const override;
    LSize SizeToLogical(LSize device) const override;
    LSize SizeToDevice(LSize logical) const override;
    LPoint PointToLogical(LPoint device) const override;
    bool IsPrinting() const override;
    int GetDeviceCaps(int index) const override;

    const DeviceDescription& Attribute() const { return m_attribute; }
    LSize GetWindowExt() const;

protected:
    // Logical to device without rounding, for the output side.
    double DeviceX(double logicalX) const;
    double DeviceY(double logicalY) const;
    // Device pixels per logical unit, both positive.
    double ScaleX() const;
    double ScaleY() const;

private:
    // Non-virtual, so that conversions made inside a surface are not seen as calls of its own.
    LSize ViewportExt() const;
    LSize WindowExt() const;

    DeviceDescription m_attribute;
    int m_mapMode = MM_TEXT;
    LPoint m_windowOrg;
    LPoint m_viewportOrg;
};

// a * b / c rounded to nearest, halves away from zero; 0 when c is 0.
int MulDivRound(int a, int b, int c);
