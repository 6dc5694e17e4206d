#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <QStringList>

namespace danfe {

// Drawing on a sheet in millimetres from its top left corner, with the DANFE's fonts and its
// boxed fields (a title in small bold capitals over the value).
class Canvas {
public:
    // painter draws on a device of resolution dots per inch.
    Canvas(QPainter& painter, int resolution);

    static QFont Sans(double points, bool bold = false);
    static QFont Serif(double points, bool bold = false);

    void Box(double x, double y, double w, double h) const;
    void Line(double x1, double y1, double x2, double y2, double widthMm = 0.2) const;
    void Fill(double x, double y, double w, double h) const;  // black
    // text in the rectangle, aligned by flags (Qt::Alignment), on one line.
    void Text(double x, double y, double w, double h, const QString& text, const QFont& font,
              int flags) const;
    // A box with its title and its value on one line; the value's font shrinks down to 6 pt
    // when it is too wide.
    void Field(double x, double y, double w, double h, const QString& title, const QString& value,
               int align = Qt::AlignLeft, double points = 8, bool bold = false) const;
    // A block's title above its boxes.
    void Section(double x, double y, const QString& title) const;
    // text broken into lines no wider than width (in millimetres) in font.
    QStringList Wrap(const QString& text, const QFont& font, double width) const;
    // The height of one line of font, in millimetres.
    double LineHeight(const QFont& font) const;
    // The word across the sheet (homologation, cancellation), in a light colour over it.
    void Stamp(const QString& word, double centreY, const QColor& colour) const;

    QPainter& painter() const { return painter_; }

private:
    QRectF Rect(double x, double y, double w, double h) const;

    QPainter& painter_;
    double dotsPerMm_;
};

}  // namespace danfe
