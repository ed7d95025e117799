#pragma once
// Print arithmetic shared by the report window and the evaluation printout: millimetres
// to twips, the page metrics of a printer in whole millimetres, the margins of plain and
// letterhead paper, and the rule that ends a page.
#include <QtGlobal>

// mm x 567 / 10, rounded half to even; 0 when negative or above 32767 (above 577 mm).
qint32 gflngMmToTwips(qint32 mm);

// The page metrics of the current printer, in whole millimetres. The right and bottom
// values are minus the unprintable strips at the right and bottom edges.
struct PageMetrics {
  qint32 leftOffset = 0;   // printable area from the left paper edge
  qint32 topOffset = 0;    // printable area from the top paper edge
  qint32 paperWidth = 0;
  qint32 paperHeight = 0;
  qint32 rightValue = 0;   // printable width - (paper width - left offset)
  qint32 bottomValue = 0;  // printable height - (paper height - top offset)
  qint32 printableWidth = 0;
  qint32 printableHeight = 0;
};

// Builds the metrics from the paper and printable rectangles in millimetres (rounded
// half to even to whole millimetres).
PageMetrics pageMetricsFromMm(double paperWidth, double paperHeight, double left, double top,
                              double printableWidth, double printableHeight);

// Margins in twips, measured in the printable area.
struct Margins {
  qint32 top = 0;
  qint32 left = 0;
  qint32 bottom = 0;
};

// Plain paper: top 20 mm, left 20 mm, bottom value + 10 mm; letterhead paper: top 35 mm
// (below the printed letterhead), bottom value + 25 mm (above its foot).
Margins sSetMargins(const PageMetrics &m, bool letterhead);

// The y (twips) at which the foot of a page is printed: paper height - bottom margin.
qint32 footY(const PageMetrics &m, const Margins &margins);

// A page is full once y has passed 90 % of the usable height.
bool pageFull(double yTwips, const PageMetrics &m, const Margins &margins);
