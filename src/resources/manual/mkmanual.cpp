// Turns the manual's HTML source into the PDF document that the program opens as its
// help: mkmanual [--lang en] <AnlFN.html> <AnlFN.pdf> [SHOTS]. Runs at build time on the
// offscreen platform. SHOTS is the folder of the screenshot tool's pictures; the HTML
// shows SHOTS/NAME.png as <img src="shot:NAME.png">. --lang en labels the drawn sketch
// in English, for the English manual.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <cstdio>

namespace {

void arrow(QPainter &p, QPointF from, QPointF to, const QString &label, QPointF labelOffset) {
  p.drawLine(from, to);
  const QLineF l(to, from);
  QLineF a = l;
  a.setLength(14);
  QLineF w1 = a, w2 = a;
  w1.setAngle(l.angle() + 22);
  w2.setAngle(l.angle() - 22);
  QPainterPath head;
  head.moveTo(to);
  head.lineTo(w1.p2());
  head.lineTo(w2.p2());
  head.closeSubpath();
  p.fillPath(head, p.pen().color());
  p.drawText(to + labelOffset, label);
}

// The labels of the sketch in the manual's language.
struct SketchLabels {
  QString centre, top, cassette, rail;
};
const SketchLabels kGerman{QStringLiteral("Mitte: x = 0, y = 0"), QStringLiteral("Oberseite: z = 0"),
                           QStringLiteral("Kassette"), QStringLiteral("Doppelschiene")};
const SketchLabels kEnglish{QStringLiteral("Centre: x = 0, y = 0"), QStringLiteral("Top face: z = 0"),
                            QStringLiteral("Cassette"), QStringLiteral("Double rail")};

// A cassette on its double rail in a slanted view, with the three axes through the
// centre and the height z measured from the cassette's top face.
QImage axesSketch(const SketchLabels &labels) {
  QImage img(840, 400, QImage::Format_ARGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF skew(150, -70);  // depth direction (Y) in the sketch
  auto box = [&](QPointF base, double len, double h, double depth, QColor face, QColor top) {
    const QPointF d = skew * depth;
    QPolygonF front{base, base + QPointF(len, 0), base + QPointF(len, -h), base + QPointF(0, -h)};
    QPolygonF upper{base + QPointF(0, -h), base + QPointF(len, -h), base + QPointF(len, -h) + d, base + QPointF(0, -h) + d};
    QPolygonF side{base + QPointF(len, 0), base + QPointF(len, 0) + d, base + QPointF(len, -h) + d, base + QPointF(len, -h)};
    p.setPen(QPen(QColor(30, 40, 90), 2));
    p.setBrush(face);
    p.drawPolygon(front);
    p.setBrush(top);
    p.drawPolygon(upper);
    p.setBrush(face.darker(115));
    p.drawPolygon(side);
  };
  // rail along X, cassette on it
  box(QPointF(40, 330), 600, 50, 0.55, QColor(215, 220, 232), QColor(232, 236, 244));
  box(QPointF(230, 280), 210, 80, 0.55, QColor(150, 160, 255), QColor(190, 196, 255));

  QFont f = p.font();
  f.setPixelSize(26);
  f.setBold(true);
  p.setFont(f);
  // The origin of x and y is the centre of the arrangement, that of z the top face.
  const QPointF centre = QPointF(335, 200) + skew * 0.275;
  p.setPen(QPen(QColor(200, 0, 0), 3));
  arrow(p, centre, centre + QPointF(380, 0), QStringLiteral("X"), QPointF(10, 8));
  arrow(p, centre, centre + skew * 1.0, QStringLiteral("Y"), QPointF(8, -4));
  arrow(p, centre, centre + QPointF(0, -160), QStringLiteral("Z"), QPointF(10, 6));
  p.setBrush(QColor(200, 0, 0));
  p.drawEllipse(centre, 6, 6);

  f.setPixelSize(21);
  f.setBold(false);
  p.setFont(f);
  p.setPen(QColor(30, 40, 90));
  p.drawLine(centre + QPointF(-8, 4), QPointF(150, 120));
  p.drawText(QPointF(20, 96), labels.centre);
  p.drawText(QPointF(20, 122), labels.top);
  p.drawText(QPointF(250, 262), labels.cassette);
  p.drawText(QPointF(60, 368), labels.rail);
  return img;
}

}  // namespace

int main(int argc, char **argv) {
  QGuiApplication app(argc, argv);
  // The arguments after the options (Qt keeps argc and argv for itself).
  int n = argc;
  char **arg = argv;
  bool english = false;
  if (n > 2 && QByteArray(arg[1]) == "--lang") {
    english = QByteArray(arg[2]) == "en";
    if (!english && QByteArray(arg[2]) != "de") n = 0;  // neither: the usage below
    arg += 2;
    n -= 2;
  }
  if (n != 3 && n != 4) {
    std::fprintf(stderr, "usage: mkmanual [--lang de|en] <manual.html> <manual.pdf> [screenshots]\n");
    return 2;
  }
  QFile in(QString::fromLocal8Bit(arg[1]));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "mkmanual: cannot read %s\n", arg[1]);
    return 1;
  }
  QTextDocument doc;
  doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("axes")),
                  axesSketch(english ? kEnglish : kGerman));
  if (n == 4) {
    const QDir shots(QString::fromLocal8Bit(arg[3]));
    for (const QString &name : shots.entryList({QStringLiteral("*.png")}, QDir::Files)) {
      const QImage picture(shots.filePath(name));
      if (!picture.isNull())
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("shot:") + name), picture);
    }
  }
  // Both languages share one look: manual.css beside the HTML.
  QFile css(QFileInfo(in).dir().filePath(QStringLiteral("manual.css")));
  if (!css.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "mkmanual: cannot read %s\n", qPrintable(css.fileName()));
    return 1;
  }
  doc.setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
  doc.setHtml(QString::fromUtf8(in.readAll()));
  // A picture the HTML names but nobody provided would leave an empty frame in the
  // manual: the build stops instead.
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QString name = format.toImageFormat().name();
      if (!doc.resource(QTextDocument::ImageResource, QUrl(name)).isValid()) {
        std::fprintf(stderr, "mkmanual: no picture %s\n", qPrintable(name));
        return 1;
      }
    }

  // Written beside the target and renamed at the end, so that a broken run never
  // leaves half a manual in the Help folder.
  QSaveFile out(QString::fromLocal8Bit(arg[2]));
  if (!out.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "mkmanual: cannot write %s\n", arg[2]);
    return 1;
  }
  {
    QPdfWriter pdf(&out);
    pdf.setTitle(doc.metaInformation(QTextDocument::DocumentTitle));
    pdf.setCreator(QStringLiteral("TarvelCALC Rollenführungen"));
    pdf.setResolution(300);
    // The document keeps its own margins (2 cm) and numbers the pages itself.
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                  QPageLayout::Millimeter));
    doc.print(&pdf);
  }
  if (!out.commit()) {
    std::fprintf(stderr, "mkmanual: cannot write %s\n", arg[2]);
    return 1;
  }
  return 0;
}
