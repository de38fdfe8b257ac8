#pragma once
// Paints a GraphPicture with GDI: on screen through a memory bitmap (one BitBlt a tick, so the
// graph never flickers) and into an Image for saving, with the same code, font and colours.
#include <windows.h>

#include "testwindows/GraphPicture.h"
#include "testwindows/ImageFile.h"

namespace sektra {

// Draws the picture at (0, 0) of `dc`, its text in `font`.
void PaintGraph(HDC dc, const GraphPicture& picture, HFONT font);

// Paints into a memory bitmap the size of the picture, then copies it to `target` at (x, y).
void PaintGraphBuffered(HDC target, int x, int y, const GraphPicture& picture, HFONT font);

// The picture's pixels; false when GDI could not give a bitmap of its size.
bool RenderGraph(const GraphPicture& picture, HFONT font, Image* image);

// The height in pixels of a line of `font`'s text, as the graphs lay it out.
int GraphTextHeight(HFONT font);

}  // namespace sektra
