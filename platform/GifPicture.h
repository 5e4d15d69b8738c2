// GIF pictures through giflib.
#pragma once

#include <QImage>

#include <string>

class PictureBox;

// The first frame of a GIF file as a Format_ARGB32 image of the logical screen's size; pixels of
// the frame's transparent index, and pixels outside the frame, are transparent.
// Throws std::runtime_error on any failure.
QImage DecodeGif(const std::string& path);

// Shows ExeDir()/name in the picture. On any failure it shows "Kunde inte visa bilden <name>."
// and leaves the picture as it was; it never throws.
void LoadGifPicture(PictureBox& picture, const std::string& name);
