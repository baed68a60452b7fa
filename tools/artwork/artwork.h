#pragma once

#include <QImage>

// Every picture of the program, painted from scratch. Each function returns
// the finished picture at its shipped size; `scale` gives the double-size
// variants of icons for high-density screens.
namespace artwork {

// Shelf pieces: top 39 x 19, side post 80 x 170, board 90 x 170. The post and
// the board tile vertically every 170 pixels and the board horizontally every
// 90, with the post's inner part continuing the board's pattern.
QImage shelfTop();
QImage shelfPost();
QImage shelfBoard();

// The default cover, 112 x 135: cloth binding with a paper label that leaves
// room for the title the program writes on it.
QImage defaultCover();

// Page shadows: the fold between the pages (alpha only matters) and the soft
// band along a turning page.
QImage foldShadow();
QImage turnShadow();

// The 800 x 500 window background: warm paper.
QImage windowBackground();

// Bookmark ribbons, 100 x 300. The built-in one is pale so that the tab
// colour shows through; the others are for themes.
enum class Ribbon { Builtin, Crimson, Gold, Indigo, Jade };
QImage ribbon(Ribbon kind);

// Icons; `scale` 1 or 2.
QImage treeDrive(int scale);
QImage treeFolder(int scale);
QImage treeBook(int scale);
QImage treeRoot(int scale);
QImage buttonCover(int scale);
QImage buttonClipboard(int scale);
QImage buttonPreferences(int scale);
QImage buttonHelp(int scale);
QImage grabCursor(int scale);
// The program's own icon: an open book with a golden moth, 64 logical pixels.
QImage appIcon(int scale);

// Page backgrounds for themes.
enum class Paper { Parchment, RicePaper, Linen, NightBlue };
QImage pageBackground(Paper kind);

// Corner ornaments (top-left orientation, at most 120 x 120, transparent).
enum class Corner { Flourish, CloudFret, PlumBranch, Vine };
QImage cornerOrnament(Corner kind);

// Illustrations.
enum class Illustration { InkMountains, Lighthouse, Bamboo, SnowyNight };
QImage illustration(Illustration kind);

} // namespace artwork
