// Build step: mkicons <DIR> writes the desktop icon of the program into the hicolor
// layout: DIR/scalable/apps/NAME.svg and DIR/<n>x<n>/apps/NAME.png, drawn by the same
// code as the program's own pictures.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>

#include "ui/common/Gui.h"

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mkicons DIR NAME\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  const QString name = QString::fromLocal8Bit(argv[2]);
  const auto fail = [&](const QString &path) {
    std::fprintf(stderr, "mkicons: cannot write %s\n", qPrintable(path));
    return 1;
  };
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString sub = QStringLiteral("%1x%1/apps").arg(size);
    const QString path = dir.filePath(sub + QLatin1Char('/') + name + QStringLiteral(".png"));
    if (!dir.mkpath(sub)) return fail(path);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !gui::programMark(size).save(&f, "PNG") || !f.commit())
      return fail(path);
  }
  const QString svgPath = dir.filePath(QStringLiteral("scalable/apps/") + name + QStringLiteral(".svg"));
  QSaveFile svg(svgPath);
  if (!dir.mkpath(QStringLiteral("scalable/apps")) || !svg.open(QIODevice::WriteOnly) ||
      svg.write(gui::programMarkSvg(256).toUtf8()) < 0 || !svg.commit())
    return fail(svgPath);
  return 0;
}
