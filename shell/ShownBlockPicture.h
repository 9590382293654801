#pragma once

#include <QByteArray>
#include <vector>

#include "model/Block.h"
#include "shell/PictureWriter.h"

// The block a diagram window shows, with the blocks it has collapsed, as the bytes of a
// picture file drawn as --export-image draws a design in the same view. Kept apart from the
// command line's declarations, which the window's own names would clash with.
QByteArray RenderShownBlock(TBlock& shown, PictureFormat format, bool flowchart,
                            const std::vector<TElement*>& collapsed);
