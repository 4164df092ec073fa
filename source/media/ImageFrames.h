// Numbered picture frames: "base00.png", "base01.png", ... loaded into a kind's own array.
#pragma once

#include "media/Image.h"

// Loads count frames into images, whose slots must be empty. A picture that cannot be loaded frees
// the frames loaded so far, leaving every slot empty, and its error, which names the file, goes on.
void LoadImageFrames(Image** images, int count, char const* base, Image_Flags flags);

// Deletes count frames and empties their slots; empty slots are passed over.
void FreeImageFrames(Image** images, int count);
