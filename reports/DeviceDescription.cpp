#include "DeviceDescription.h"

#include <cmath>

namespace {

constexpr double MM_PER_INCH = 25.4;
constexpr double PRINTER_BORDER_MM = 5.0;

DeviceDescription Printer(double sheetWidthMm, double sheetHeightMm, double dpi)
{
    DeviceDescription d;
    d.widthMm = sheetWidthMm - 2 * PRINTER_BORDER_MM;
    d.heightMm = sheetHeightMm - 2 * PRINTER_BORDER_MM;
    d.widthPixels = static_cast<int>(std::lround(d.widthMm / MM_PER_INCH * dpi));
    d.heightPixels = static_cast<int>(std::lround(d.heightMm / MM_PER_INCH * dpi));
    d.printing = true;
    return d;
}

}  // namespace

DeviceDescription Display1920x1080()
{
    DeviceDescription d;
    d.widthPixels = 1920;
    d.heightPixels = 1080;
    d.widthMm = 1920 / 96.0 * MM_PER_INCH;
    d.heightMm = 1080 / 96.0 * MM_PER_INCH;
    d.printing = false;
    return d;
}

DeviceDescription A4PrinterAt600Dpi() { return Printer(210.0, 297.0, 600.0); }

DeviceDescription LetterPrinterAt600Dpi() { return Printer(215.9, 279.4, 600.0); }
