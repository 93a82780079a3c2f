#pragma once

#include "Canvas.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Object.h"
#include "toolkit/core/Types.h"

namespace tk {

// Images of one size with exact transparency, kept side by side in two strips: the pictures,
// black wherever they are transparent, and a mask that is white there and black elsewhere.
// Drawing ANDs the mask into the destination and ORs the picture over it, so an opaque pixel of
// any colour, the mask colour's neighbours included, is drawn as it is.
class TImageList : public TObject {
 public:
  // The toolkit's CreateSize. Sizes below 0 count as 0; a list of empty images takes none.
  TImageList(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return count_; }

  // Cuts image into Width-wide pieces from the left (a narrower rest is dropped) and appends
  // them; rows beyond the image's height stay black. With a mask, its white pixels are
  // transparent; without one the images are opaque. Answers the index of the first image
  // added, or -1 when none was.
  int Add(const TBitmap& image, const TBitmap* mask);
  // The same, transparent wherever the image's pixel equals maskColor.
  int AddMasked(const TBitmap& image, TColor maskColor);

  // Removes image index; the images after it move down by one. Bad indexes are ignored.
  void Delete(int index);

  // Draws image index at (x, y); disabled images show as grey shades of their own pixels.
  // Indexes out of range draw nothing.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
  // Gives image a copy of image index (transparent pixels black); false for a bad index.
  bool GetBitmap(int index, TBitmap& image) const;

 private:
  template <typename IsTransparent>
  int Append(const TBitmap& image, IsTransparent isTransparent);
  void Blend(TCanvas& canvas, int x, int y, TBitmap& picture, int pictureLeft, int maskLeft);

  int width_;
  int height_;
  int count_ = 0;
  TBitmap pictures_;
  TBitmap masks_;
};

}  // namespace tk
