#include "ui/qt/image_list.h"

#include <QApplication>
#include <QImage>
#include <QStyle>
#include <algorithm>

#include "tree/image_keys.h"
#include "ui/qt/program_pictures.h"

namespace lumaveil::qt {

namespace {

constexpr int kSize = 16;
const QColor kMask(192, 192, 192);

QString Key(std::string_view key) { return QString::fromUtf8(key.data(), int(key.size())); }

struct Source {
  std::string_view key;
  const char* theme_name;  // nullptr: the icon themes have nothing that fits
  int standard;            // a QStyle::StandardPixmap, or -1 when the style has none
};

const Source kSources[] = {
    {tree::image::kMyComputer, "computer", QStyle::SP_ComputerIcon},
    {tree::image::kGenericFile, "text-x-generic", QStyle::SP_FileIcon},
    {tree::image::kRemovableDrive, "drive-removable-media", -1},
    {tree::image::kMyDocs, "folder-documents", -1},
    {tree::image::kCdRom, "drive-optical", QStyle::SP_DriveCDIcon},
    {tree::image::kClosedFolder, "folder", QStyle::SP_DirClosedIcon},
    {tree::image::kDesktop, "user-desktop", QStyle::SP_DesktopIcon},
    {tree::image::kOpenFolder, "folder-open", QStyle::SP_DirOpenIcon},
    {tree::image::kUnknownDrive, nullptr, -1},
    {tree::image::kFloppyDrive, "media-floppy", QStyle::SP_DriveFDIcon},
    {tree::image::kHardDrive, "drive-harddisk", QStyle::SP_DriveHDIcon},
    {tree::image::kNetDrive, "folder-remote", QStyle::SP_DriveNetIcon},
};

QPixmap Picture(const Source& source) {
  if (source.theme_name && QIcon::hasThemeIcon(source.theme_name)) {
    return QIcon::fromTheme(source.theme_name).pixmap(kSize, kSize);
  }
  if (source.standard >= 0) {
    const QIcon icon =
        QApplication::style()->standardIcon(static_cast<QStyle::StandardPixmap>(source.standard));
    if (!icon.isNull()) return icon.pixmap(kSize, kSize);
  }
  return ShippedPicture(Key(source.key));
}

}  // namespace

void ImageList::Add(const QString& key, const QPixmap& picture) {
  if (icons_.count(key)) return;
  keys_.append(key);
  icons_[key] = QIcon(picture);
}

QIcon ImageList::Icon(const QString& key) const {
  auto it = icons_.find(key);
  return it == icons_.end() ? QIcon() : it->second;
}

ImageList CreateMainImageList() {
  static_assert(std::size(kSources) == tree::kImageListKeys.size());
  ImageList list;
  for (const Source& source : kSources) list.Add(Key(source.key), Picture(source));
  return list;
}

QPixmap ShippedPicture(const QString& key) {
  const auto& keys = tree::kImageListKeys;
  const auto found = std::find_if(keys.begin(), keys.end(),
                                  [&](std::string_view k) { return Key(k) == key; });
  if (found == keys.end()) return QPixmap();
  app::RegisterProgramResources();
  static const QImage strip(QStringLiteral(":/lumaveil/tree_pictures.bmp"));
  QImage image = strip.copy(int(found - keys.begin()) * kSize, 0, kSize, kSize)
                     .convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == kMask) image.setPixelColor(x, y, Qt::transparent);
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace lumaveil::qt
