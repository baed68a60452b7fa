#include "text_drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace quillmoth {

int qtTextFlags(int format)
{
    using namespace TextFormat;
    int flags = 0;
    if (format & kCenter)
        flags |= Qt::AlignHCenter;
    else if (format & kRight)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;

    // Vertical placement only applies to single-line text, as with DrawText.
    if (format & kSingleLine) {
        flags |= Qt::TextSingleLine;
        if (format & kVerticalCenter)
            flags |= Qt::AlignVCenter;
        else if (format & kBottom)
            flags |= Qt::AlignBottom;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
        if (format & kWordBreak)
            flags |= Qt::TextWordWrap;
    }
    // QPainter clips text that overflows its rectangle, as DrawText does.
    if (format & kNoClip)
        flags |= Qt::TextDontClip;
    if (format & kExpandTabs)
        flags |= Qt::TextExpandTabs;
    if (format & kHidePrefix)
        flags |= Qt::TextHideMnemonic;
    else if (!(format & kNoPrefix))
        flags |= Qt::TextShowMnemonic;
    return flags;
}

int drawFormattedText(QPainter &painter, QRect &rect, const QString &text, int format)
{
    using namespace TextFormat;
    const int flags = qtTextFlags(format);
    QString shown = text;
    const bool singleLine = format & kSingleLine;
    if (singleLine && (format & (kEndEllipsis | kWordEllipsis | kPathEllipsis))) {
        const QFontMetrics metrics(painter.font());
        const Qt::TextElideMode mode = (format & kPathEllipsis) ? Qt::ElideMiddle : Qt::ElideRight;
        shown = metrics.elidedText(text, mode, rect.width(), flags);
    }

    if (format & kCalculateRect) {
        const QFontMetrics metrics(painter.font());
        // An unbounded height lets every line count; the width bounds only
        // word-wrapped text.
        const int width = (!singleLine && (format & kWordBreak)) ? std::max(rect.width(), 1) : 1 << 20;
        const QRect bounds = metrics.boundingRect(QRect(rect.left(), rect.top(), width, 1 << 20),
                                                  (flags & ~Qt::AlignVertical_Mask) | Qt::AlignTop,
                                                  shown);
        rect.setWidth(bounds.width());
        rect.setHeight(bounds.height());
        return bounds.height();
    }

    QRect drawn;
    painter.drawText(rect, flags, shown, &drawn);
    return drawn.height();
}

int drawFormattedText(QPainter &painter, const QRect &rect, const QString &text, int format)
{
    QRect copy = rect;
    return drawFormattedText(painter, copy, text, format);
}

} // namespace quillmoth
