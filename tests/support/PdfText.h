#pragma once
// Reads back what a printout put on paper: the text of each PDF page (pdftotext -layout)
// and every word with its box in points (pdftotext -bbox), both from poppler-utils.
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QVector>

namespace pdf {

struct Word {
  int page = 0;  // from 1
  QRectF box;    // points, origin at the top left of the paper
  QString text;
};

inline QString run(const QStringList &args) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), args);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) return QString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page, in layout order.
inline QStringList pages(const QString &file) {
  QStringList out = run({QStringLiteral("-layout"), file, QStringLiteral("-")}).split(QChar(0x0C));
  if (!out.isEmpty() && out.last().trimmed().isEmpty()) out.removeLast();
  return out;
}

inline QVector<Word> words(const QString &file) {
  const QString html = run({QStringLiteral("-bbox"), file, QStringLiteral("-")});
  QVector<Word> out;
  static const QRegularExpression token(
      QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
  int page = 0;
  for (auto it = token.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    if (m.captured(0).startsWith(QStringLiteral("<page"))) {
      ++page;
      continue;
    }
    Word w;
    w.page = page;
    w.box = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
    w.text = m.captured(5).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    out << w;
  }
  return out;
}

inline double mm(double millimetres) { return millimetres * 72.0 / 25.4; }

}  // namespace pdf
