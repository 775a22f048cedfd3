#pragma once

// While one lives, load_datafile reads 16-bit bitmaps and RLE sprites with
// one read per row or sprite instead of Allegro's two calls per pixel,
// building the very objects Allegro's readers build. Anything else of those
// types (another depth, a screen that converts) still goes through
// Allegro's readers. Only for bytes that passed checkDatafile: the readers
// trust the sizes in a header as far as the bytes they find.
class BulkObjectReaders {
 public:
  BulkObjectReaders();
  ~BulkObjectReaders();
  BulkObjectReaders(const BulkObjectReaders&) = delete;
  BulkObjectReaders& operator=(const BulkObjectReaders&) = delete;

 private:
  bool installed = false;
};
