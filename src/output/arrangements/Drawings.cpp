#include "output/arrangements/Drawings.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <functional>

#include "core/loads/Directions.h"

namespace drawing {

namespace {

// ---- the scene, in millimetre-like model units ---------------------------------------
// Oblique view: X to the right, Y receding to the upper right, Z up. The origin lies in
// the centre of the arrangement on the top face of the units (where the coordinates of
// the forces are measured from).
struct P3 {
  double x, y, z;
};

enum class Part { Rail, Unit, Carrier };

struct Box {
  double x0, x1, y0, y1, z0, z1;
  Part part;
  int grooves;  // rails: number of running tracks drawn on the top face
};

struct Scene {
  QVector<Box> boxes;     // in painting order, back to front
  QVector<P3> shapes;     // centres of the load shapes on the top faces
  QVector<double> shapeUnitY;  // centre y of the unit that carries shape k
  QVector<double> shapeUnitX;  // centre x of that unit
  bool single = false;    // one unit: moment arrows about the axes
  double xAxis = 0;       // half length of the X axis
  double yAxis = 0;       // half length of the Y axis through the origin
  double yStub = 0;       // half length of the Y direction lines at both ends
  double zUp = 0, zDown = 0;
  double xRailEnd = 0, yFront = 0, zBottom = 0;
  bool hasM = false, hasN = false;
  double m = 0, n = 0;
  double carrierX = 0, carrierY = 0;  // half sizes of the load carrier outline
  double unitHalfW = 0, unitBottom = 0;
  // Moment arrows of the single units: circles of radius momentR about the X axis at
  // x = momentX, about the Y axis at y = momentY and about the Z axis at z = momentZ.
  double momentX = 0, momentY = 0, momentZ = 0, momentR = 17;
};

constexpr double kRailDoubleW = 40, kRailSingleW = 16;
constexpr double kRailTop = -14, kRailBottom = -32;
constexpr double kCassetteL = 70, kCassetteW = 62, kCassetteBottom = -22;
constexpr double kShoeL = 58, kShoeW = 26, kShoeBottom = -20;
constexpr double kM = 190, kN = 150;
// The dimension line of m lies this far below the rails' bottom.
constexpr double kMLineDrop = 46;

// Oblique projection factors of the Y axis.
const double kYc = 0.75 * std::cos(30.0 * M_PI / 180.0);
const double kYs = 0.75 * std::sin(30.0 * M_PI / 180.0);

QPointF project(const P3 &p) { return {p.x + p.y * kYc, -p.z - p.y * kYs}; }

void addRail(Scene &s, double y, double halfLength, bool doubleRail) {
  const double w = doubleRail ? kRailDoubleW : kRailSingleW;
  s.boxes.append({-halfLength, halfLength, y - w / 2, y + w / 2, kRailBottom, kRailTop, Part::Rail,
                  doubleRail ? 2 : 1});
}

void addCassette(Scene &s, double x, double y) {
  s.boxes.append({x - kCassetteL / 2, x + kCassetteL / 2, y - kCassetteW / 2, y + kCassetteW / 2,
                  kCassetteBottom, 0, Part::Unit, 0});
}

void addShoe(Scene &s, double x, double y) {
  s.boxes.append({x - kShoeL / 2, x + kShoeL / 2, y - kShoeW / 2, y + kShoeW / 2, kShoeBottom, 0,
                  Part::Unit, 0});
}

Scene buildScene(ArrangementId id, bool compact = false) {
  // The small pictures draw the units closer together, so that they come out larger.
  const double M = compact ? 130 : kM, N = compact ? 105 : kN;
  Scene s;
  const ArrangementInfo &info = arrangement(id);
  s.hasM = info.hasM;
  s.hasN = info.hasN;
  s.m = M;
  s.n = N;
  const bool twoAlongX = info.hasM;
  const bool twoRails = info.hasN || id == ArrangementId::ERoEESch;
  const bool shoes = info.rollerShoe;
  const double unitHalfL = shoes ? kShoeL / 2 : kCassetteL / 2;
  const double unitSpanX = twoAlongX ? M / 2 + unitHalfL : unitHalfL;
  s.xRailEnd = unitSpanX + (compact ? 22 : twoAlongX ? 40 : 70);
  const QVector<double> xs = twoAlongX ? QVector<double>{-M / 2, M / 2} : QVector<double>{0.0};

  if (twoRails) {
    // The back rail with its units first, then the front one.
    for (const double y : {N / 2, -N / 2}) {
      addRail(s, y, s.xRailEnd, !shoes);
      for (const double x : xs) shoes ? addShoe(s, x, y) : addCassette(s, x, y);
    }
  } else {
    addRail(s, 0, s.xRailEnd, !shoes);
    for (const double x : xs) shoes ? addShoe(s, x, 0) : addCassette(s, x, 0);
  }

  const double unitHalfW = shoes ? kShoeW / 2 : kCassetteW / 2;
  s.carrierX = unitSpanX + 12;
  s.carrierY = (twoRails ? N / 2 : 0) + unitHalfW + 10;

  // Load shapes: the one unit, or the four load positions (0 at -x/-y, 1 at -x/+y,
  // 2 at +x/-y, 3 at +x/+y).
  switch (id) {
    case ArrangementId::EKaEDSch:
    case ArrangementId::ERoEESch:
      s.single = true;
      s.shapes = {{0, 0, 0}};
      s.shapeUnitY = {0};
      s.shapeUnitX = {0};
      break;
    case ArrangementId::ZKaEDSch: {  // the two tracks of each cassette
      const double ty = kCassetteW * 0.3;
      s.shapes = {{-M / 2, -ty, 0}, {-M / 2, ty, 0}, {M / 2, -ty, 0}, {M / 2, ty, 0}};
      s.shapeUnitY = {0, 0, 0, 0};
      s.shapeUnitX = {-M / 2, -M / 2, M / 2, M / 2};
      break;
    }
    case ArrangementId::ZKaZDSch: {  // the roller groups in front of and behind the centre
      const double gx = kCassetteL * 0.3;
      s.shapes = {{-gx, -N / 2, 0}, {-gx, N / 2, 0}, {gx, -N / 2, 0}, {gx, N / 2, 0}};
      s.shapeUnitY = {-N / 2, N / 2, -N / 2, N / 2};
      s.shapeUnitX = {0, 0, 0, 0};
      break;
    }
    case ArrangementId::VKaZDSch:
    case ArrangementId::ZRoEESch:
      s.shapes = {{-M / 2, -N / 2, 0}, {-M / 2, N / 2, 0}, {M / 2, -N / 2, 0}, {M / 2, N / 2, 0}};
      s.shapeUnitY = {-N / 2, N / 2, -N / 2, N / 2};
      s.shapeUnitX = {-M / 2, -M / 2, M / 2, M / 2};
      break;
  }
  s.unitHalfW = unitHalfW;
  s.unitBottom = shoes ? kShoeBottom : kCassetteBottom;

  s.xAxis = s.xRailEnd + 45;
  s.yAxis = s.carrierY + 26;
  s.yStub = std::max(45.0, s.carrierY * 0.55);
  // The moment arrows keep clear of the units: about X on the rail beside the unit (for
  // the pair of single rails beyond their left ends, where the rails leave room), about
  // Y beyond the back of the carrier.
  s.momentX = twoRails ? -(s.xRailEnd + 14) : (unitSpanX + s.xRailEnd) / 2;
  if (s.single) s.yAxis = s.carrierY + 52;
  s.momentY = s.carrierY + 36;
  s.zUp = 70;
  s.momentZ = s.zUp * 0.7;
  s.yFront = twoRails ? -N / 2 - std::max(kRailDoubleW, unitHalfW * 2) / 2 : -unitHalfW;
  // The lower end of the Z axis lies just below the front-most bottom edge, the m
  // dimension line below that.
  s.zDown = -(-kRailBottom + std::abs(s.yFront) * kYs + 10);
  s.zBottom = kRailBottom;
  return s;
}

// ---- mapping of the scene into the rect -----------------------------------------------
struct Mapping {
  double scale = 1, u = 1;
  QPointF offset;
  QPointF map(const P3 &p) const { return project(p) * scale + offset; }
};

QRectF sceneBounds(const Scene &s, bool compact) {
  QPolygonF pts;
  for (const Box &b : s.boxes)
    for (double x : {b.x0, b.x1})
      for (double y : {b.y0, b.y1})
        for (double z : {b.z0, b.z1}) pts << project({x, y, z});
  pts << project({-s.carrierX, -s.carrierY, 0}) << project({s.carrierX, s.carrierY, 0});
  if (!compact) {
    pts << project({-s.xAxis, -s.yStub, 0}) << project({s.xAxis, s.yStub, 0})
        << project({0, -s.yAxis, 0}) << project({0, s.yAxis, 0}) << project({0, 0, s.zUp})
        << project({0, 0, s.zDown}) << project({s.xAxis, -s.yStub, 0})
        << project({-s.xAxis, s.yStub, 0});
    if (s.hasM) pts << project({0, s.yFront, s.zBottom - 54});
  }
  return pts.boundingRect();
}

Mapping mapping(const Scene &s, const QRectF &rect, bool compact) {
  Mapping mp;
  mp.u = std::min(rect.width() / kDesignWidth, rect.height() / kDesignHeight);
  const QRectF b = sceneBounds(s, compact);
  // Room for the direction labels around the axes (they sit beyond the axis ends).
  const double mx = compact ? rect.width() * 0.03 : 44 * mp.u;
  const double my = compact ? rect.height() * 0.06 : 20 * mp.u;
  mp.scale = std::min((rect.width() - 2 * mx) / b.width(), (rect.height() - 2 * my) / b.height());
  const QPointF c = b.center() * mp.scale;
  mp.offset = rect.center() - c;
  return mp;
}

QPointF unit(const QPointF &v) {
  const double l = std::hypot(v.x(), v.y());
  return l > 0 ? v / l : v;
}

// ---- painting helpers ----------------------------------------------------------------
const QColor kOutline(30, 40, 90);
const QColor kRailTopFace(222, 226, 234), kRailFront(196, 201, 212), kRailSide(168, 174, 188);
const QColor kUnitTop(208, 208, 255), kUnitFront(176, 176, 240), kUnitSide(140, 140, 214);
const QColor kAxis(90, 90, 90);
const QColor kDim(0, 0, 160);

void drawBox(QPainter &p, const Mapping &mp, const Box &b) {
  auto m = [&](double x, double y, double z) { return mp.map({x, y, z}); };
  const bool rail = b.part == Part::Rail;
  p.setPen(QPen(kOutline, std::max(0.8, 1.0 * mp.u)));
  const QPolygonF front{m(b.x0, b.y0, b.z0), m(b.x1, b.y0, b.z0), m(b.x1, b.y0, b.z1), m(b.x0, b.y0, b.z1)};
  const QPolygonF top{m(b.x0, b.y0, b.z1), m(b.x1, b.y0, b.z1), m(b.x1, b.y1, b.z1), m(b.x0, b.y1, b.z1)};
  const QPolygonF side{m(b.x1, b.y0, b.z0), m(b.x1, b.y1, b.z0), m(b.x1, b.y1, b.z1), m(b.x1, b.y0, b.z1)};
  p.setBrush(rail ? kRailFront : kUnitFront);
  p.drawPolygon(front);
  p.setBrush(rail ? kRailTopFace : kUnitTop);
  p.drawPolygon(top);
  p.setBrush(rail ? kRailSide : kUnitSide);
  p.drawPolygon(side);
  if (rail) {
    // Running tracks along the rail: one for a single rail, two for a double rail.
    p.setPen(QPen(kRailSide.darker(120), std::max(0.6, 0.8 * mp.u)));
    const double w = b.y1 - b.y0;
    for (int g = 0; g < b.grooves; ++g) {
      const double y = b.grooves == 1 ? b.y0 + w / 2 : b.y0 + w * (g == 0 ? 0.25 : 0.75);
      p.drawLine(m(b.x0, y, b.z1), m(b.x1, y, b.z1));
    }
  } else {
    // The rollers' axle line on the front face tells a unit from a block.
    p.setPen(QPen(kOutline, std::max(0.6, 0.8 * mp.u)));
    p.setBrush(QColor(240, 240, 255));
    const double r = (b.z1 - b.z0) * 0.22;
    for (double fx : {0.27, 0.73}) {
      const QPointF c = m(b.x0 + (b.x1 - b.x0) * fx, b.y0, (b.z0 + b.z1) / 2);
      p.drawEllipse(c, r * mp.scale, r * mp.scale);
    }
  }
}

void arrowHead(QPainter &p, const QPointF &tip, const QPointF &dir, double size) {
  const QPointF d = unit(dir);
  const QPointF n(-d.y(), d.x());
  const QPolygonF head{tip, tip - d * size + n * size * 0.42, tip - d * size - n * size * 0.42};
  p.save();
  p.setBrush(p.pen().color());
  p.drawPolygon(head);
  p.restore();
}

// A line with an arrowhead at both ends.
void doubleArrow(QPainter &p, const QPointF &a, const QPointF &b, double size) {
  p.drawLine(a, b);
  arrowHead(p, a, a - b, size);
  arrowHead(p, b, b - a, size);
}

// An arrow on a circle about an axis, sweeping 270 degrees: the moment about that axis.
void momentArrow(QPainter &p, const Mapping &mp, const std::function<P3(double)> &circle) {
  QPolygonF arc;
  const int steps = 40;
  for (int i = 0; i <= steps; ++i) arc << mp.map(circle(M_PI * 1.5 * i / steps - M_PI * 0.25));
  p.drawPolyline(arc);
  arrowHead(p, arc.last(), arc.last() - arc.at(arc.size() - 3), 7 * mp.u);
}

}  // namespace

// ---- public ----------------------------------------------------------------------------

Layout layout(ArrangementId id, const QRectF &rect, bool compact) {
  const Scene s = buildScene(id, compact);
  const Mapping mp = mapping(s, rect, compact);
  Layout l;
  const double u = mp.u;
  const QSizeF shapeSize = s.single ? QSizeF(20 * u, 14 * u) : QSizeF(16 * u, 12 * u);
  for (const P3 &c : s.shapes) {
    const QPointF q = mp.map(c);
    l.loadShapes.append(QRectF(q - QPointF(shapeSize.width() / 2, shapeSize.height() / 2), shapeSize));
  }
  if (s.single) {
    // LabFo(0) beside the unit, LabFo(1..3) beside the moment arrows about X, Y and Z.
    const double r = s.momentR;
    l.loadLabels.append(mp.map({-s.carrierX, -s.carrierY, 0}) + QPointF(-34 * u, 10 * u));
    l.loadLabels.append(mp.map({s.momentX, 0, -r}) + QPointF(0, 14 * u));
    l.loadLabels.append(mp.map({r, s.momentY, 0}) + QPointF(38 * u, 0));
    l.loadLabels.append(mp.map({-r, 0, s.momentZ}) + QPointF(-44 * u, 0));
  } else {
    for (int k = 0; k < s.shapes.size(); ++k) {
      // Front positions get their value below the front face of their unit, back
      // positions above the back edge of its top face.
      // Two positions on one unit side by side along x get their values spread apart.
      const P3 c = s.shapes.at(k);
      const double y = s.shapeUnitY.at(k);
      const double dx = c.x < s.shapeUnitX.at(k) ? -18 * u : c.x > s.shapeUnitX.at(k) ? 18 * u : 0;
      if (k % 2 == 0)
        l.loadLabels.append(mp.map({c.x, y - s.unitHalfW, s.unitBottom}) + QPointF(dx, 11 * u));
      else
        l.loadLabels.append(mp.map({c.x, y + s.unitHalfW, 0}) + QPointF(dx, -14 * u));
    }
  }

  // Direction labels: X at the ends of the X axis, Z at the ends of the Z axis, Y at the
  // ends of the Y lines drawn at both ends of the X axis.
  const QPointF dx = unit(mp.map({1, 0, 0}) - mp.map({0, 0, 0}));
  const QPointF dy = unit(mp.map({0, 1, 0}) - mp.map({0, 0, 0}));
  const QPointF dz = unit(mp.map({0, 0, 1}) - mp.map({0, 0, 0}));
  const double gap = 24 * u;
  l.directionAnchors[0] = mp.map({s.xAxis, 0, 0}) + dx * gap;          // X +
  l.directionAnchors[2] = mp.map({-s.xAxis, 0, 0}) - dx * gap;         // - X
  l.directionAnchors[1] = mp.map({s.xAxis, s.yStub, 0}) + dy * gap * 0.8;   // Y + right
  l.directionAnchors[3] = mp.map({s.xAxis, -s.yStub, 0}) - dy * gap * 0.8;  // - Y right
  l.directionAnchors[6] = mp.map({-s.xAxis, -s.yStub, 0}) - dy * gap * 0.8; // - Y left
  l.directionAnchors[7] = mp.map({-s.xAxis, s.yStub, 0}) + dy * gap * 0.8;  // Y + left
  l.directionAnchors[5] = mp.map({0, 0, s.zUp}) + dz * gap * 0.55;     // Z +
  l.directionAnchors[4] = mp.map({0, 0, s.zDown}) - dz * gap * 0.55;   // - Z
  l.directionVectors = {dx, dy, -dx, -dy, -dz, dz, -dy, dy};

  const QSizeF field(52 * u, 20 * u);
  if (s.hasM) {
    const QPointF c = mp.map({0, s.yFront, s.zBottom - kMLineDrop});
    l.mField = QRectF(c - QPointF(field.width() / 2, field.height() / 2), field);
  }
  if (s.hasN) {
    const QPointF c = mp.map({s.xRailEnd + 14, 0, s.zBottom});
    l.nField = QRectF(c - QPointF(-6 * u, field.height() / 2), field);
  }
  return l;
}

void paint(QPainter &p, const QRectF &rect, ArrangementId id, const Options &o) {
  const Scene s = buildScene(id, o.compact);
  const Mapping mp = mapping(s, rect, o.compact);
  const Layout l = layout(id, rect, o.compact);
  const double u = mp.u;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipRect(rect);

  for (const Box &b : s.boxes) drawBox(p, mp, b);

  // The load carrier: the part of the user's machine that the forces act on, drawn as a
  // phantom outline on the top faces of the units.
  {
    QPen pen(kOutline, std::max(0.7, 0.9 * u), Qt::DashLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double cx = s.carrierX, cy = s.carrierY;
    p.drawPolygon(QPolygonF{mp.map({-cx, -cy, 0}), mp.map({cx, -cy, 0}), mp.map({cx, cy, 0}),
                            mp.map({-cx, cy, 0})});
  }

  if (o.compact) {
    p.setPen(QPen(kAxis, std::max(0.6, 1.2 * u), Qt::DashDotLine));
    p.drawLine(mp.map({-s.carrierX - 10, 0, 0}), mp.map({s.carrierX + 10, 0, 0}));
    p.drawLine(mp.map({0, -s.carrierY - 6, 0}), mp.map({0, s.carrierY + 6, 0}));
    p.restore();
    return;
  }

  // Centre lines through the origin.
  p.setPen(QPen(kAxis, std::max(0.6, 0.8 * u), Qt::DashDotLine));
  p.drawLine(mp.map({0, -s.yAxis, 0}), mp.map({0, s.yAxis, 0}));
  p.drawLine(mp.map({-s.xAxis, 0, 0}), mp.map({s.xAxis, 0, 0}));
  p.drawLine(mp.map({0, 0, s.zDown}), mp.map({0, 0, s.zUp}));

  // Direction arrows: X and Z through the origin, Y at both ends of the X axis.
  p.setPen(QPen(kAxis.darker(130), std::max(0.8, 1.1 * u)));
  const double head = 8 * u;
  auto towards = [&](const P3 &a, const P3 &b, double d) {  // stop short of b by d px
    const QPointF pa = mp.map(a), pb = mp.map(b);
    return pb - unit(pb - pa) * d;
  };
  arrowHead(p, mp.map({s.xAxis, 0, 0}), mp.map({1, 0, 0}) - mp.map({0, 0, 0}), head);
  arrowHead(p, mp.map({-s.xAxis, 0, 0}), mp.map({-1, 0, 0}) - mp.map({0, 0, 0}), head);
  arrowHead(p, mp.map({0, 0, s.zUp}), mp.map({0, 0, 1}) - mp.map({0, 0, 0}), head);
  arrowHead(p, mp.map({0, 0, s.zDown}), mp.map({0, 0, -1}) - mp.map({0, 0, 0}), head);
  for (const double x : {s.xAxis, -s.xAxis}) {
    doubleArrow(p, towards({x, s.yStub, 0}, {x, -s.yStub, 0}, 0),
                towards({x, -s.yStub, 0}, {x, s.yStub, 0}, 0), head);
  }

  // Moment arrows about the three axes for the single units: their values are the
  // equivalent loads Q1 (about X), Q2 (about Y) and Q3 (about Z).
  if (s.single) {
    p.setPen(QPen(kDim, std::max(0.8, 1.2 * u)));
    p.setBrush(Qt::NoBrush);
    const double r = s.momentR;
    const double xm = s.momentX, ym = s.momentY, zm = s.momentZ;
    momentArrow(p, mp, [&](double t) { return P3{xm, r * std::cos(t), r * std::sin(t)}; });
    momentArrow(p, mp, [&](double t) { return P3{r * std::cos(t), ym, r * std::sin(t)}; });
    momentArrow(p, mp, [&](double t) { return P3{r * std::cos(t), r * std::sin(t), zm}; });
  }

  // Distances: m along the rails between the unit centres, n across between the rails.
  QFont f = p.font();
  f.setPixelSize(std::max(6, static_cast<int>(std::lround(12 * u))));
  f.setBold(true);
  p.setFont(f);
  if (s.hasM) {
    p.setPen(QPen(kDim, std::max(0.6, 0.9 * u)));
    const double zd = s.zBottom - kMLineDrop;
    for (const double x : {-s.m / 2, s.m / 2})
      p.drawLine(mp.map({x, s.yFront, kCassetteBottom - 2}), mp.map({x, s.yFront, zd - 5}));
    const QPointF a = mp.map({-s.m / 2, s.yFront, zd}), b = mp.map({s.m / 2, s.yFront, zd});
    doubleArrow(p, a, b, 7 * u);
    const QRectF letter(l.mField.left() - 22 * u, l.mField.top(), 18 * u, l.mField.height());
    p.drawText(letter, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("m"));
  }
  if (s.hasN) {
    p.setPen(QPen(kDim, std::max(0.6, 0.9 * u)));
    const double xd = s.xRailEnd + 14;
    for (const double y : {-s.n / 2, s.n / 2})
      p.drawLine(mp.map({s.xRailEnd + 2, y, s.zBottom}), mp.map({xd + 6, y, s.zBottom}));
    doubleArrow(p, mp.map({xd, -s.n / 2, s.zBottom}), mp.map({xd, s.n / 2, s.zBottom}), 7 * u);
    const QRectF letter(l.nField.right() + 3 * u, l.nField.top(), 18 * u, l.nField.height());
    p.drawText(letter, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("n"));
  }

  // On paper: what the screen shows in controls on top of the drawing.
  if (o.directionTexts) {
    QFont lf = p.font();
    lf.setBold(false);
    lf.setPixelSize(std::max(6, static_cast<int>(std::lround(11 * u))));
    p.setFont(lf);
    p.setPen(Qt::black);
    for (int i = 0; i < loads::kDirectionLabelCount; ++i) {
      const QPointF c = l.directionAnchors[static_cast<size_t>(i)];
      p.drawText(QRectF(c.x() - 20 * u, c.y() - 8 * u, 40 * u, 16 * u), Qt::AlignCenter,
                 loads::directionCaption(i));
    }
    p.setPen(kDim);
    if (s.hasM && !o.mText.isEmpty())
      p.drawText(l.mField, Qt::AlignCenter, o.mText);
    if (s.hasN && !o.nText.isEmpty())
      p.drawText(l.nField, Qt::AlignCenter, o.nText);
  }
  for (int k = 0; k < l.loadShapes.size() && k < o.shapeFills.size(); ++k) {
    p.setPen(QPen(kOutline, std::max(0.6, 0.9 * u)));
    p.setBrush(o.shapeFills.at(k));
    p.drawEllipse(l.loadShapes.at(k));
  }
  if (!o.loadTexts.isEmpty()) {
    p.setPen(Qt::black);
    for (int k = 0; k < l.loadLabels.size() && k < o.loadTexts.size(); ++k) {
      const QPointF c = l.loadLabels.at(k);
      p.drawText(QRectF(c.x() - 45 * u, c.y() - 8 * u, 90 * u, 16 * u), Qt::AlignCenter,
                 o.loadTexts.at(k));
    }
  }
  p.restore();
}

}  // namespace drawing
