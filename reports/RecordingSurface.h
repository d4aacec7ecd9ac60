// A surface that draws nothing and remembers every call with its arguments, for tests. Its
// attribute side answers from a fixed device description.
#pragma once

#include "MappedSurface.h"
#include "SurfaceObjects.h"

#include <string>
#include <vector>

enum class SurfaceOp {
    SetWindowOrg,
    SetMapMode,
    SetViewportOrg,
    GetViewportExt,
    SizeToLogical,
    SizeToDevice,
    PointToLogical,
    IsPrinting,
    GetDeviceCaps,
    CreateFont,
    CreatePen,
    SelectFont,
    SelectPen,
    DeleteFont,
    DeletePen,
    SetTextColour,
    MoveTo,
    LineTo,
    DrawText,
};

// One call. Only the fields of its operation are filled; for drawing calls the surface's
// state at the time (selected font and pen, text colour, current position) is kept too.
struct SurfaceCall {
    SurfaceOp op{};
    LPoint point;         // origins, move-to, line-to, point conversion argument
    LSize size;           // size conversion argument
    int value = 0;        // map mode, device capability index
    int handle = 0;       // font or pen created, selected or deleted
    FontDescription font;        // CreateFont; DrawText: the selected font
    PenDescription pen;          // CreatePen; LineTo: the selected pen
    Colour colour;        // SetTextColour; DrawText: the text colour
    std::string text;     // DrawText
    LRect rect;           // DrawText
    unsigned flags = 0;   // DrawText
    LPoint from;          // LineTo: where the line starts
};

class RecordingSurface : public MappedSurface {
public:
    explicit RecordingSurface(const DeviceDescription& attribute);

    LPoint SetWindowOrg(LPoint logical) override;
    int SetMapMode(int mode) override;
    LPoint SetViewportOrg(LPoint device) override;
    LSize GetViewportExt() const override;
    LSize SizeToLogical(LSize device) const override;
    LSize SizeToDevice(LSize logical) const override;
    LPoint PointToLogical(LPoint device) const override;
    bool IsPrinting() const override;
    int GetDeviceCaps(int index) const override;
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

    const std::vector<SurfaceCall>& Calls() const { return m_calls; }
    std::vector<SurfaceCall> CallsOf(SurfaceOp op) const;
    // Fonts and pens not deleted yet, the stock ones included.
    std::size_t LiveFonts() const { return m_fonts.Count(); }
    std::size_t LivePens() const { return m_pens.Count(); }
    FontHandle SelectedFont() const { return m_fonts.Selected(); }
    PenHandle SelectedPen() const { return m_pens.Selected(); }
    Colour TextColour() const { return m_textColour; }

private:
    SurfaceCall& Record(SurfaceOp op) const;

    mutable std::vector<SurfaceCall> m_calls;
    SurfaceObjects<FontDescription, FontHandle> m_fonts;
    SurfaceObjects<PenDescription, PenHandle> m_pens;
    Colour m_textColour;
    LPoint m_position;
};
