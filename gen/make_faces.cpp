#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cstdio>

// Draws the face pictures faces/0.jpg .. faces/478.jpg: a simple face whose colours and features
// follow the face number, with the number itself in segment digits (no fonts needed).
namespace {

constexpr int kFaceCount = 479;
constexpr int kWidth = 138;
constexpr int kHeight = 174;

// Segments a..g of each digit, as bits 0..6.
constexpr std::array<int, 10> kDigitSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void drawDigit(QPainter& painter, int digit, QPointF origin, double w, double h) {
  const double t = w / 4;
  const std::array<QRectF, 7> segments = {
      QRectF(origin.x() + t, origin.y(), w - 2 * t, t),                   // a
      QRectF(origin.x() + w - t, origin.y() + t, t, h / 2 - t),           // b
      QRectF(origin.x() + w - t, origin.y() + h / 2, t, h / 2 - t),       // c
      QRectF(origin.x() + t, origin.y() + h - t, w - 2 * t, t),           // d
      QRectF(origin.x(), origin.y() + h / 2, t, h / 2 - t),               // e
      QRectF(origin.x(), origin.y() + t, t, h / 2 - t),                   // f
      QRectF(origin.x() + t, origin.y() + h / 2 - t / 2, w - 2 * t, t)};  // g
  for (int s = 0; s < 7; ++s) {
    if (kDigitSegments[digit] & (1 << s)) painter.drawRect(segments[s]);
  }
}

void drawNumber(QPainter& painter, int n) {
  const QString digits = QString::number(n);
  const double w = 14, h = 22, gap = 5;
  const double total = digits.size() * w + (digits.size() - 1) * gap;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 220));
  painter.drawRoundedRect(QRectF((kWidth - total) / 2 - 6, kHeight - 34, total + 12, 30), 4, 4);
  painter.setBrush(QColor(30, 30, 40));
  for (int i = 0; i < digits.size(); ++i) {
    drawDigit(painter, digits[i].digitValue(),
              QPointF((kWidth - total) / 2 + i * (w + gap), kHeight - 30), w, h);
  }
}

QImage drawFace(int n) {
  static const std::array<QColor, 7> skins = {
      QColor(255, 224, 196), QColor(241, 194, 157), QColor(224, 172, 125), QColor(198, 134, 88),
      QColor(160, 105, 65),  QColor(120, 78, 48),   QColor(90, 58, 38)};
  static const std::array<QColor, 6> hairs = {QColor(30, 25, 20),    QColor(90, 60, 30),
                                              QColor(200, 160, 80),  QColor(150, 60, 30),
                                              QColor(140, 140, 140), QColor(60, 40, 30)};
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(QColor::fromHsv((n * 37) % 360, 60, 235));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  const QColor skin = skins[n % skins.size()];
  const QColor hair = hairs[(n / 7) % hairs.size()];
  const double faceWidth = 74 + (n % 5) * 4;
  const QRectF face((kWidth - faceWidth) / 2, 28, faceWidth, 100 + (n % 3) * 4);

  painter.setPen(QPen(skin.darker(130), 2));
  painter.setBrush(skin);
  painter.drawEllipse(QRectF(face.left() - 8, face.center().y() - 10, 14, 22));  // ears
  painter.drawEllipse(QRectF(face.right() - 6, face.center().y() - 10, 14, 22));
  painter.drawEllipse(face);

  painter.setPen(Qt::NoPen);
  painter.setBrush(hair);
  const QRectF crown(face.left() - 3, face.top() - 6, face.width() + 6, face.height() * 0.6);
  switch ((n / 42) % 4) {
    case 0:  // short
      painter.drawChord(crown, 0, 180 * 16);
      break;
    case 1:  // side parting
      painter.drawChord(crown.adjusted(0, 0, 0, 8), 20 * 16, 170 * 16);
      break;
    case 2:  // receding
      painter.drawChord(crown.adjusted(8, 0, -8, 0), 30 * 16, 120 * 16);
      break;
    default:  // curls
      for (int i = 0; i < 7; ++i) {
        painter.drawEllipse(QPointF(face.left() + 8 + i * (face.width() - 16) / 6, face.top() + 6),
                            11, 11);
      }
  }

  const double eyeY = face.top() + face.height() * 0.45;
  const double eyeGap = 14 + (n % 4) * 2;
  painter.setBrush(Qt::white);
  painter.setPen(QPen(QColor(40, 40, 40), 1.5));
  painter.drawEllipse(QPointF(face.center().x() - eyeGap, eyeY), 8, 5);
  painter.drawEllipse(QPointF(face.center().x() + eyeGap, eyeY), 8, 5);
  painter.setBrush(QColor::fromHsv((n * 53) % 360, 160, 120));
  painter.drawEllipse(QPointF(face.center().x() - eyeGap, eyeY), 3, 3);
  painter.drawEllipse(QPointF(face.center().x() + eyeGap, eyeY), 3, 3);

  painter.setPen(QPen(hair, 3));
  painter.drawLine(QPointF(face.center().x() - eyeGap - 8, eyeY - 10 - (n % 3)),
                   QPointF(face.center().x() - eyeGap + 7, eyeY - 10));
  painter.drawLine(QPointF(face.center().x() + eyeGap - 7, eyeY - 10),
                   QPointF(face.center().x() + eyeGap + 8, eyeY - 10 - (n % 3)));

  painter.setPen(QPen(skin.darker(150), 2));
  painter.drawLine(QPointF(face.center().x(), eyeY + 6), QPointF(face.center().x() - 4, eyeY + 20));

  const double mouthY = face.top() + face.height() * 0.75;
  QPainterPath mouth;
  mouth.moveTo(face.center().x() - 14, mouthY);
  mouth.quadTo(face.center().x(), mouthY + ((n / 3) % 3 - 1) * 8, face.center().x() + 14, mouthY);
  painter.setPen(QPen(QColor(150, 50, 50), 2.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(mouth);

  if (n % 11 == 0) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(hair.red(), hair.green(), hair.blue(), 150));
    painter.drawChord(face.adjusted(6, 20, -6, 2), 200 * 16, 140 * 16);
  }
  drawNumber(painter, n);
  return image;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-faces OUTPUT_FOLDER\n");
    return 1;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(".")) {
    std::fprintf(stderr, "make-faces: cannot create %s\n", argv[1]);
    return 2;
  }
  for (int n = 0; n < kFaceCount; ++n) {
    const QString path = folder.filePath(QString::number(n) + ".jpg");
    if (!drawFace(n).save(path, "JPG", 85)) {
      std::fprintf(stderr, "make-faces: cannot write %s\n", qPrintable(path));
      return 2;
    }
  }
  return 0;
}
