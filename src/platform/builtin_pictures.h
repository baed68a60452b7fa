#pragma once

#include <QCursor>
#include <QImage>
#include <QString>

namespace quillmoth {

// Pictures the windows use straight from the executable (they are never
// written to disk). Each has a double-size variant for high-density screens,
// which QIcon and QPixmap pick up by themselves from the same path.
enum class BuiltinPicture {
    BookmarkRibbon,    // imgBMK: the bookmark ribbon when the theme has none, 100 x 300
    TreeDrive,         // imgDrive, 16 x 16
    TreeFolder,        // imgFolder, 16 x 16
    TreeBook,          // imgFile, 16 x 16
    TreeRoot,          // imgBfly: the root of the default book folder, 16 x 16
    ButtonCover,       // image button 0: change the cover, 24 x 24
    ButtonClipboard,   // image button 1: read the clipboard, 24 x 24
    ButtonPreferences, // image button 2: preferences, 24 x 24
    ButtonHelp,        // image button 3: help, 24 x 24
    GrabCursor,        // the custom pointer (pointer code 99), 32 x 32
};

// The resource path, for example ":/images/tree-drive.png".
QString builtinPicturePath(BuiltinPicture picture);

// The picture at its base size (never null for a built-in picture).
QImage builtinImage(BuiltinPicture picture);

// The "grab" pointer shown while a cover is dragged open and over bookmark
// tabs. Needs a running QGuiApplication.
QCursor grabCursor();

} // namespace quillmoth
