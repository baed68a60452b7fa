# Imaging, text drawing, colours and the click-sound player.
list(APPEND platform_qt_sources
  colors.cpp
  imaging.cpp
  text_drawing.cpp
  wave_player.cpp
)
