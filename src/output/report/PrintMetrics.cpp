#include "output/report/PrintMetrics.h"

#include "core/common/Numbers.h"

qint32 gflngMmToTwips(qint32 mm) {
  const double twips = num::roundHalfEven(static_cast<double>(mm) * 567.0 / 10.0, 0);
  if (twips < 0.0 || twips > 32767.0) return 0;
  return static_cast<qint32>(twips);
}

PageMetrics pageMetricsFromMm(double paperWidth, double paperHeight, double left, double top,
                              double printableWidth, double printableHeight) {
  auto whole = [](double v) { return static_cast<qint32>(num::roundHalfEven(v, 0)); };
  PageMetrics m;
  m.paperWidth = whole(paperWidth);
  m.paperHeight = whole(paperHeight);
  m.leftOffset = whole(left);
  m.topOffset = whole(top);
  m.printableWidth = whole(printableWidth);
  m.printableHeight = whole(printableHeight);
  m.rightValue = m.printableWidth - (m.paperWidth - m.leftOffset);
  m.bottomValue = m.printableHeight - (m.paperHeight - m.topOffset);
  return m;
}

Margins sSetMargins(const PageMetrics &m, bool letterhead) {
  Margins g;
  g.top = gflngMmToTwips((letterhead ? 35 : 20) - m.topOffset);
  g.left = gflngMmToTwips(20 - m.leftOffset);
  g.bottom = gflngMmToTwips(m.bottomValue + (letterhead ? 25 : 10));
  return g;
}

qint32 footY(const PageMetrics &m, const Margins &margins) {
  return gflngMmToTwips(m.paperHeight) - margins.bottom;
}

bool pageFull(double yTwips, const PageMetrics &m, const Margins &margins) {
  const double usable = footY(m, margins);
  return usable > 0 && yTwips / usable > 0.9;
}
