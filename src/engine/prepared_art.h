#pragma once

struct BITMAP;
struct DATAFILE;

// The quickest Allegro call that puts a datafile bitmap on a target with
// exactly the pixels draw_sprite gives: a plain blit when the bitmap has no
// transparent pixel, its RLE sprite otherwise. What each bitmap needs is
// found on its first draw and kept until its datafile is unloaded.

// Draws bitmap with its top-left at (x, y), masked, as draw_sprite does.
void drawMasked(BITMAP* target, BITMAP* bitmap, int x, int y);
// As draw_sprite_h_flip, or draw_sprite_v_flip when vertical.
void drawMaskedFlipped(BITMAP* target, BITMAP* bitmap, int x, int y, bool vertical);
// True when bitmap has no pixel of its mask colour.
bool isOpaque(BITMAP* bitmap);
// Test seam: false draws every bitmap with draw_sprite, as plainly as it
// can be drawn, to compare the pixels against.
void setPreparedArtEnabled(bool enabled);
// Forgets what was prepared for the bitmaps of datafile and its nested
// datafiles; called right before it is unloaded.
void forgetPreparedArt(const DATAFILE* datafile);
