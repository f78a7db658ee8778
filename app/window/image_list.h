// The command pictures as image lists. Every list holds the same 21 pictures
// in the same order, so an action's image index means the same picture in any
// list; the lists differ only in size (16 or 24 pixels) and in the variant:
// normal, disabled (greyed) or hot (under the mouse). The pictures are drawn
// in code, so no button depends on an icon theme being installed.
#pragma once

#include <QIcon>
#include <QPixmap>

#include <initializer_list>
#include <vector>

namespace kova {

enum class IconVariant { Normal, Disabled, Hot };

// How many command pictures there are (indices 0 to 20).
constexpr int kCommandPictureCount = 21;

class ImageList {
 public:
  ImageList(int size, IconVariant variant);

  int Size() const { return size_; }
  IconVariant Variant() const { return variant_; }
  int Count() const { return static_cast<int>(images_.size()); }
  // REQUIRES: 0 <= index < Count().
  const QPixmap& Image(int index) const { return images_[index]; }

 private:
  int size_;
  IconVariant variant_;
  std::vector<QPixmap> images_;
};

// One icon holding picture `index` of every given list, each list's variant
// as the matching icon mode, so that toolbars and menus choose the size and
// the look themselves. REQUIRES: 0 <= index < kCommandPictureCount.
QIcon CombinedIcon(int index, std::initializer_list<const ImageList*> lists);

}  // namespace kova
