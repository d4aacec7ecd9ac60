// The metrics a surface's attribute side answers with: the whole device (a display) or a
// printer's printable area.
#pragma once

struct DeviceDescription {
    int widthPixels = 0;
    int heightPixels = 0;
    double widthMm = 0.0;
    double heightMm = 0.0;
    bool printing = false;  // a print or a preview
};

// Fixed devices for tests and benchmarks, so nothing depends on the machine's display.
// 1920 x 1080 at 96 dpi: 508 x 285.75 mm.
DeviceDescription Display1920x1080();
// A printable area at 600 dpi with a 5 mm border on every side of the sheet.
DeviceDescription A4PrinterAt600Dpi();
DeviceDescription LetterPrinterAt600Dpi();
