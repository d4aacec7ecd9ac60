// What the reports draw on: the screen, a printer page, a preview page, a PDF page or a test
// recorder. A surface has an output side (where the marks go) and an attribute side (the device
// whose metrics are read: the display for on-screen drawing, the printer for print and preview).
//
// Coordinates: logical units are what the reports use; with MM_HIMETRIC one unit is 0.01 mm,
// x grows to the right and y upwards. Device units are pixels of the attribute device, y down.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr int MM_TEXT = 1;      // 1 logical unit = 1 device pixel, y down
constexpr int MM_HIMETRIC = 3;  // 1 logical unit = 0.01 mm, y up

constexpr int HORZSIZE = 4;  // device capability: width of the attribute device, mm
constexpr int VERTSIZE = 6;  // device capability: height of the attribute device, mm

constexpr unsigned DT_CENTER = 1;      // each line centred between the rectangle's sides
constexpr unsigned DT_VCENTER = 4;     // no effect: lines always start at the rectangle's top
constexpr unsigned DT_SINGLELINE = 32; // not supported; the reports never give it

constexpr int PS_SOLID = 0;

constexpr int FW_NORMAL = 400;
constexpr int FW_HEAVY = 900;

struct LPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const LPoint& a, const LPoint& b) { return a.x == b.x && a.y == b.y; }
};

struct LSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const LSize& a, const LSize& b) { return a.cx == b.cx && a.cy == b.cy; }
};

// With y up, top is the larger y.
struct LRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const LRect& a, const LRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Colour& a, const Colour& b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const Colour& a, const Colour& b) { return !(a == b); }
};

// A font request. Sizes in logical units; a positive height is the character cell height,
// a negative one the em height, 0 the surface's default; width 0 is the face's own width.
struct FontDescription {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;  // 100..900; 0 normal
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    std::string faceName;
    friend bool operator==(const FontDescription& a, const FontDescription& b)
    {
        return a.height == b.height && a.width == b.width && a.escapement == b.escapement &&
               a.orientation == b.orientation && a.weight == b.weight && a.italic == b.italic &&
               a.underline == b.underline && a.strikeOut == b.strikeOut &&
               a.charSet == b.charSet && a.outPrecision == b.outPrecision &&
               a.clipPrecision == b.clipPrecision && a.quality == b.quality &&
               a.pitchAndFamily == b.pitchAndFamily && a.faceName == b.faceName;
    }
};

// Width in logical units; widths that come out below one device pixel draw a hairline.
struct PenDescription {
    int style = PS_SOLID;
    int width = 0;
    Colour colour;
    friend bool operator==(const PenDescription& a, const PenDescription& b)
    {
        return a.style == b.style && a.width == b.width && a.colour == b.colour;
    }
};

// Handles name objects of one surface only. Id 0 is no object; every surface starts with a
// stock font and a stock (black hairline) pen selected, which must not be deleted.
struct FontHandle {
    int id = 0;
    explicit operator bool() const { return id != 0; }
    friend bool operator==(FontHandle a, FontHandle b) { return a.id == b.id; }
    friend bool operator!=(FontHandle a, FontHandle b) { return a.id != b.id; }
};

struct PenHandle {
    int id = 0;
    explicit operator bool() const { return id != 0; }
    friend bool operator==(PenHandle a, PenHandle b) { return a.id == b.id; }
    friend bool operator!=(PenHandle a, PenHandle b) { return a.id != b.id; }
};

constexpr FontHandle STOCK_FONT{1};
constexpr PenHandle STOCK_PEN{1};

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Mapping. Each setter returns the previous value.
    virtual LPoint SetWindowOrg(LPoint logical) = 0;
    virtual int SetMapMode(int mode) = 0;
    virtual LPoint SetViewportOrg(LPoint device) = 0;
    // Attribute side: in MM_HIMETRIC (device width, minus device height) of the whole device.
    virtual LSize GetViewportExt() const = 0;
    // Scale only, no origin: x abs(window extent) / abs(viewport extent), rounded to nearest.
    virtual LSize SizeToLogical(LSize device) const = 0;
    virtual LSize SizeToDevice(LSize logical) const = 0;
    // The full transform, origins included, rounded to nearest.
    virtual LPoint PointToLogical(LPoint device) const = 0;

    // True for a print and for the preview.
    virtual bool IsPrinting() const = 0;
    // HORZSIZE or VERTSIZE of the attribute device, whole mm; 0 for any other index.
    virtual int GetDeviceCaps(int index) const = 0;

    // A handle of 0 when the object cannot be made; selecting it then changes nothing.
    virtual FontHandle CreateFont(const FontDescription& request) = 0;
    virtual PenHandle CreatePen(const PenDescription& request) = 0;
    // Returns the previous object, for the caller to select back; 0 if the handle is unknown.
    virtual FontHandle SelectFont(FontHandle font) = 0;
    virtual PenHandle SelectPen(PenHandle pen) = 0;
    // False for an unknown, stock or still selected object, which stays as it is.
    virtual bool DeleteFont(FontHandle font) = 0;
    virtual bool DeletePen(PenHandle pen) = 0;
    // Returns the previous text colour (black at first).
    virtual Colour SetTextColour(Colour colour) = 0;

    virtual void MoveTo(LPoint logical) = 0;
    // A line from the current position with the selected pen; the end becomes the position.
    virtual void LineTo(LPoint logical) = 0;

    // Lines break only at "\n"; the first at the rectangle's top, each next one a cell height
    // of the selected font lower; centred with DT_CENTER, else left-aligned; never wrapped;
    // clipped to the rectangle; opaque on white in the current text colour.
    virtual void DrawText(std::string_view text, const LRect& rect, unsigned flags) = 0;
};
