#!/usr/bin/env bash
# Renders assets/pictures/*.svg through QSvgRenderer (the renderer the game uses) and
# makes contact sheets and a board preview, so the artwork can be judged by eye.
# Also fails on a missing picture, a picture Qt cannot read, or an SVG feature Qt ignores.
# Usage: tools/render-pictures.sh [OUTDIR]   (default /tmp/art); needs Qt 6 Svg, g++, montage.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
pics=$here/assets/pictures
out=${1:-/tmp/art}
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
mkdir -p "$out/1x" "$out/2x"
export QT_QPA_PLATFORM=offscreen

expected=(board-background splash casino trophy logo app-icon)
for i in $(seq -w 1 42); do expected+=("square-$i"); done
for i in 1 2 3; do expected+=("token-$i"); done
for i in 1 2 3 4 5 6; do expected+=("die-$i"); done
for i in 1 2 3 4; do expected+=("building-$i"); done
for i in $(seq -w 0 14); do expected+=("icon-$i"); done
fail=0
for n in "${expected[@]}"; do
  [ -f "$pics/$n.svg" ] || { echo "missing: $n.svg"; fail=1; }
done
# Qt's SVG Tiny renderer drops these silently or draws them wrongly.
if grep -lE '<(filter|mask|clipPath|pattern|style|image|use|symbol|foreignObject)[ >]' "$pics"/*.svg; then
  echo "unsupported SVG elements in the files above"; fail=1
fi
for f in "$pics"/*.svg; do
  grep -q 'viewBox=' "$f" || { echo "no viewBox: $f"; fail=1; }
done

cat > "$build/render.cpp" <<'EOF'
#include <QGuiApplication>
#include <QSvgRenderer>
#include <QImage>
#include <QPainter>
#include <QFileInfo>
#include <QFont>
#include <cstdio>
struct Sq { int left, top, ground, lx, ly; };
static const Sq S[42] = {
 {64,56,0,0,0},{112,56,1,136,108},{160,56,2,180,108},{208,56,0,0,0},{256,56,3,244,108},{256,104,0,0,0},
 {256,152,4,276,204},{304,152,5,324,204},{352,152,6,372,204},{400,152,7,420,204},{400,104,0,0,0},
 {400,56,8,452,108},{448,56,9,468,108},{496,56,0,0,0},{496,104,10,480,124},{544,104,0,0,0},
 {544,152,11,524,172},{544,200,12,524,220},{544,248,13,524,268},{544,296,14,524,316},{544,344,0,0,0},
 {496,344,15,512,330},{448,344,16,464,330},{400,344,0,0,0},{352,344,17,368,330},{304,344,0,0,0},
 {304,392,18,288,412},{304,440,19,288,426},{256,440,0,0,0},{208,440,20,224,426},{160,440,21,176,426},
 {112,440,0,0,0},{112,392,22,164,412},{112,344,23,164,364},{64,344,0,0,0},{16,344,24,68,330},
 {16,296,0,0,0},{16,248,25,68,266},{16,200,26,68,250},{64,200,0,0,0},{64,152,27,116,172},{64,104,28,116,124}};

static int board(const QString &dir, double sc, const QString &out) {
  QImage img(qRound(792 * sc), qRound(592 * sc), QImage::Format_ARGB32_Premultiplied);
  img.fill(QColor(240, 240, 240));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(sc, sc);
  auto draw = [&](const QString &n, double x, double y, double w, double h) {
    QSvgRenderer r(dir + "/" + n + ".svg");
    r.render(&p, QRectF(x, y, w, h));
  };
  draw("board-background", 0, 40, 800, 620);
  const QColor owner[3] = {QColor(0, 0, 255), QColor(255, 255, 0), QColor(255, 0, 0)};
  for (int i = 0; i < 42; ++i) {
    const Sq &s = S[i];
    draw(QString("square-%1").arg(i + 1, 2, 10, QChar('0')), s.left, s.top, 49, 49);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    // an arbitrary spread of owners and levels, to see frames and buildings on both grasses
    const int g = s.ground;
    if (g && g % 3 != 0) {
      p.setPen(owner[g % 4 == 0 ? 2 : g % 2]);
      p.drawRect(QRectF(s.left + 0.5, s.top + 0.5, 48, 48));
      p.drawRect(QRectF(s.left + 1.5, s.top + 1.5, 46, 46));
      if (g % 5 != 0) draw(QString("building-%1").arg(g % 4 + 1), s.left, s.top, 49, 49);
    } else {
      p.setPen(Qt::black);
      p.drawRect(QRectF(s.left + 0.5, s.top + 0.5, 48, 48));
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    if (g) {
      QFont fo("DejaVu Sans"); fo.setPixelSize(11); fo.setBold(true); p.setFont(fo);
      p.setPen(Qt::white);
      p.drawText(QPointF(s.lx, s.ly + 10), QString::number(g));
    }
  }
  QFont t("DejaVu Sans"); t.setPixelSize(48); p.setFont(t); p.setPen(Qt::white);
  p.drawText(QRectF(64, 256, 481, 59), Qt::AlignCenter, "Quillbury 2007");
  auto token = [&](int k, int sq) {
    const Sq &s = S[sq - 1];
    int w = k == 1 ? 22 : 20, h = k == 2 ? 18 : 20;
    draw(QString("token-%1").arg(k), s.left + (49 - w) / 2, s.top + (49 - h) / 2, w, h);
  };
  token(1, 1); token(2, 1); token(3, 1); token(1, 8); token(2, 13); token(3, 9); token(1, 24); token(2, 38);
  draw("die-3", 152, 536, 31, 33);
  draw("die-5", 112, 512, 31, 33);
  p.setPen(QColor(0, 102, 204)); p.setBrush(Qt::white);
  p.drawRect(QRectF(360.5, 400.5, 233, 88));
  return img.save(out) ? 0 : 1;
}

int main(int argc, char **argv) {
  QGuiApplication app(argc, argv);
  if (argc >= 5 && QString(argv[1]) == "board")
    return board(argv[2], QString(argv[3]).toDouble(), argv[4]);
  if (argc < 4) { std::fprintf(stderr, "usage: render SCALE OUTDIR FILE.svg... | render board DIR SCALE OUT.png\n"); return 2; }
  const double scale = QString(argv[1]).toDouble();
  int bad = 0;
  for (int i = 3; i < argc; ++i) {
    QSvgRenderer r(QString::fromLocal8Bit(argv[i]));
    if (!r.isValid()) { std::fprintf(stderr, "invalid: %s\n", argv[i]); ++bad; continue; }
    const QSize sz = r.defaultSize();
    QImage img(qRound(sz.width() * scale), qRound(sz.height() * scale), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    r.render(&p);
    p.end();
    img.save(QString(argv[2]) + "/" + QFileInfo(argv[i]).completeBaseName() + ".png");
  }
  return bad ? 1 : 0;
}
EOF
# shellcheck disable=SC2046
g++ -O1 -fPIC "$build/render.cpp" -o "$build/render" $(pkg-config --cflags --libs Qt6Svg Qt6Gui)

for s in 1 2; do
  "$build/render" "$s" "$out/${s}x" "$pics"/*.svg 2>"$build/log$s" || fail=1
  # Qt reports what it could not draw under the qt.svg category.
  if grep -i 'svg' "$build/log$s"; then fail=1; fi
done

sheet() { # name scale files...
  local name=$1 s=$2; shift 2
  montage -background '#8a8a8a' -geometry +4+4 -tile 8x "${@/#/$out/${s}x/}" "$out/$name-${s}x.png"
}
for s in 1 2; do
  sheet squares "$s" $(for i in $(seq -w 1 42); do echo "square-$i.png"; done)
  sheet pieces "$s" token-{1,2,3}.png die-{1,2,3,4,5,6}.png building-{1,2,3,4}.png
  sheet icons "$s" $(for i in $(seq -w 0 14); do echo "icon-$i.png"; done)
  sheet large "$s" splash.png casino.png trophy.png logo.png app-icon.png
  "$build/render" board "$pics" "$s" "$out/board-${s}x.png" 2>/dev/null
done
ls "$out"/*.png
exit $fail
