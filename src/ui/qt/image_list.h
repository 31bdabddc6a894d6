// imgMain: the tree's twelve 16 x 16 pictures under their keys, in their order. Each comes
// from the desktop's icon theme where it has one, else from the style's standard icons, else
// from the program's own pictures.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <map>

namespace lumaveil::qt {

class ImageList {
 public:
  // Appends a picture under `key`; a key already present keeps its first picture.
  void Add(const QString& key, const QPixmap& picture);

  QStringList Keys() const { return keys_; }
  // The picture under `key`, or a null icon for a key the list does not hold.
  QIcon Icon(const QString& key) const;

 private:
  QStringList keys_;
  std::map<QString, QIcon> icons_;
};

// The twelve pictures of the main window's tree.
ImageList CreateMainImageList();

// The program's own 16 x 16 picture for `key`, from the strip of twelve that the Windows program
// shows too, its mask colour RGB(192,192,192) made transparent. Null for a key outside the list.
QPixmap ShippedPicture(const QString& key);

}  // namespace lumaveil::qt
