#include "danfe/canvas.h"

#include <QFontDatabase>
#include <QPen>

namespace danfe {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr double kTitlePoints = 5.5;

}  // namespace

Canvas::Canvas(QPainter& painter, int resolution)
    : painter_(painter), dotsPerMm_(resolution / 25.4) {}

QFont Canvas::Sans(double points, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont Canvas::Serif(double points, bool bold) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QRectF Canvas::Rect(double x, double y, double w, double h) const {
    return {x * dotsPerMm_, y * dotsPerMm_, w * dotsPerMm_, h * dotsPerMm_};
}

void Canvas::Box(double x, double y, double w, double h) const {
    painter_.setPen(QPen(Qt::black, 0.2 * dotsPerMm_));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(Rect(x, y, w, h));
}

void Canvas::Line(double x1, double y1, double x2, double y2, double widthMm) const {
    painter_.setPen(QPen(Qt::black, widthMm * dotsPerMm_));
    painter_.drawLine(QPointF(x1 * dotsPerMm_, y1 * dotsPerMm_),
                      QPointF(x2 * dotsPerMm_, y2 * dotsPerMm_));
}

void Canvas::Fill(double x, double y, double w, double h) const {
    painter_.fillRect(Rect(x, y, w, h), Qt::black);
}

void Canvas::Text(double x, double y, double w, double h, const QString& text, const QFont& font,
                  int flags) const {
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    painter_.drawText(Rect(x, y, w, h), flags | Qt::TextSingleLine, text);
}

void Canvas::Field(double x, double y, double w, double h, const QString& title,
                   const QString& value, int align, double points, bool bold) const {
    Box(x, y, w, h);
    // Titles keep to the manual's 5 pt at the least.
    QFont titleFont = Sans(kTitlePoints, true);
    if (QFontMetricsF(titleFont, painter_.device()).horizontalAdvance(title) / dotsPerMm_ >
        w - 1.2) {
        titleFont.setPointSizeF(5);
    }
    Text(x + 0.6, y + 0.3, w - 1.2, 2.4, title, titleFont, Qt::AlignLeft | Qt::AlignTop);
    if (value.isEmpty()) {
        return;
    }
    QFont font = Sans(points, bold);
    while (font.pointSizeF() > 6 &&
           QFontMetricsF(font, painter_.device()).horizontalAdvance(value) / dotsPerMm_ > w - 1.2) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    Text(x + 0.6, y + 2.4, w - 1.2, h - 2.6, value, font, align | Qt::AlignVCenter);
}

void Canvas::Section(double x, double y, const QString& title) const {
    Text(x, y, 200, 2.6, title, Sans(kTitlePoints + 0.5, true), Qt::AlignLeft | Qt::AlignBottom);
}

QStringList Canvas::Wrap(const QString& text, const QFont& font, double width) const {
    const QFontMetricsF metrics(font, painter_.device());
    const double limit = width * dotsPerMm_;
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (metrics.horizontalAdvance(joined) <= limit) {
                line = joined;
                continue;
            }
            if (!line.isEmpty()) {
                lines.append(line);
            }
            // A word wider than the line is cut where it reaches the edge.
            line = word;
            while (metrics.horizontalAdvance(line) > limit && line.size() > 1) {
                qsizetype cut = line.size() - 1;
                while (cut > 1 && metrics.horizontalAdvance(line.left(cut)) > limit) {
                    --cut;
                }
                lines.append(line.left(cut));
                line = line.mid(cut);
            }
        }
        if (!line.isEmpty() || lines.isEmpty()) {
            lines.append(line);
        }
    }
    return lines;
}

double Canvas::LineHeight(const QFont& font) const {
    return font.pointSizeF() * kMmPerPoint * 1.15;
}

void Canvas::Stamp(const QString& word, double centreY, const QColor& colour) const {
    // Level rather than slanted, so that the word reads as a word in the PDF's text too.
    painter_.setFont(Sans(54, true));
    painter_.setPen(colour);
    painter_.drawText(Rect(0, centreY - 15, 210, 30), Qt::AlignCenter, word);
}

}  // namespace danfe
