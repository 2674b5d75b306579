// The program's pictures, drawn here rather than shipped as files: the
// program icon (a song sheet with a note, and the arrow of the conversion)
// and the 16 x 16 glyph of "Open Database..." (a database drum).
#pragma once

#include <QIcon>
#include <QImage>

// The program icon at `size` x `size` pixels, transparent around.
QImage RenderProgramIcon(int size);
// The icon in the sizes a window manager asks for.
QIcon ProgramIcon();

// The toolbar glyph, ImageList1's only picture.
inline constexpr int kGlyphSize = 16;
QImage RenderOpenDatabaseGlyph();
QIcon OpenDatabaseGlyph();
