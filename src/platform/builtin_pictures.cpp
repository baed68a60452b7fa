#include "builtin_pictures.h"

#include "resource_extraction.h"

#include <QGuiApplication>
#include <QPixmap>

namespace quillmoth {

QString builtinPicturePath(BuiltinPicture picture)
{
    const char *name = "bookmark-ribbon";
    switch (picture) {
    case BuiltinPicture::BookmarkRibbon:
        name = "bookmark-ribbon";
        break;
    case BuiltinPicture::TreeDrive:
        name = "tree-drive";
        break;
    case BuiltinPicture::TreeFolder:
        name = "tree-folder";
        break;
    case BuiltinPicture::TreeBook:
        name = "tree-book";
        break;
    case BuiltinPicture::TreeRoot:
        name = "tree-root";
        break;
    case BuiltinPicture::ButtonCover:
        name = "button-cover";
        break;
    case BuiltinPicture::ButtonClipboard:
        name = "button-clipboard";
        break;
    case BuiltinPicture::ButtonPreferences:
        name = "button-preferences";
        break;
    case BuiltinPicture::ButtonHelp:
        name = "button-help";
        break;
    case BuiltinPicture::GrabCursor:
        name = "cursor-grab";
        break;
    }
    return QStringLiteral(":/images/%1.png").arg(QLatin1String(name));
}

QImage builtinImage(BuiltinPicture picture)
{
    ensureBuiltinResources();
    return QImage(builtinPicturePath(picture));
}

QCursor grabCursor()
{
    ensureBuiltinResources();
    // The hot spot sits in the palm, where the hand holds the page.
    constexpr int kHotSpotX = 16;
    constexpr int kHotSpotY = 17;
    const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap;
    if (ratio > 1.0)
        pixmap.load(QStringLiteral(":/images/cursor-grab@2x.png"));
    if (pixmap.isNull())
        pixmap.load(builtinPicturePath(BuiltinPicture::GrabCursor));
    else
        pixmap.setDevicePixelRatio(2.0);
    if (pixmap.isNull())
        return QCursor(Qt::ClosedHandCursor);
    return QCursor(pixmap, kHotSpotX, kHotSpotY);
}

} // namespace quillmoth
