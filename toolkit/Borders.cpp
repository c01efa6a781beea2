#include "toolkit/Borders.h"

#include <qdrawutil.h>
#include <QGuiApplication>
#include <QPalette>

namespace toolkit {

void paintBorder(QPainter& painter, const QRect& rect, BorderStyle style) {
    const QPalette& palette = QGuiApplication::palette();
    switch (style) {
        case BorderStyle::None:
            return;
        case BorderStyle::Sunken:
            qDrawWinPanel(&painter, rect, palette, true);
            return;
        case BorderStyle::Raised:
            qDrawWinPanel(&painter, rect, palette, false);
            return;
        case BorderStyle::ThinSunken:
            qDrawShadeRect(&painter, rect, palette, true, 1, 0);
            return;
        case BorderStyle::SunkenRaised:
            qDrawWinPanel(&painter, rect, palette, true);
            qDrawWinPanel(&painter, rect.adjusted(2, 2, -2, -2), palette, false);
            return;
        case BorderStyle::BlackLine:
            painter.setPen(Qt::black);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
            return;
    }
}

}  // namespace toolkit
