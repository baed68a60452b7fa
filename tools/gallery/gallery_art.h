#pragma once

#include <QImage>
#include <QPixmap>

// Pictures the gallery draws for itself, so that it needs no files.
namespace gallery {

QPixmap folderIcon();
QPixmap bookIcon();

// Skins of four stacked frames: normal, hover, pressed and the hit mask
// (black inside).
QImage roundSkin(int diameter);
QImage pillSkin(int width, int height);

enum class ToolIcon { Cover, Clipboard, Preferences, Help };
QPixmap toolIcon(ToolIcon kind, int size);

// A small colourful landscape for the picture operations.
QImage samplePicture(int width, int height);

} // namespace gallery
