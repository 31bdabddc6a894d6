#include "ui/qt/image_list.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <functional>

#include "tree/image_keys.h"

namespace lumaveil::qt {

namespace {

constexpr int kSize = 16;
const QColor kMask(192, 192, 192);

// Pictures are drawn without antialiasing so that only the background carries the mask colour.
const QColor kOutline(64, 64, 64);
const QColor kFolderYellow(240, 200, 80);
const QColor kFolderFront(255, 224, 128);
const QColor kMetal(200, 200, 208);
const QColor kMetalDark(128, 128, 136);
const QColor kScreenBlue(40, 96, 200);
const QColor kPaper(255, 255, 255);
const QColor kLed(32, 200, 64);

QString Key(std::string_view key) { return QString::fromUtf8(key.data(), int(key.size())); }

void Box(QPainter& p, int x, int y, int w, int h, const QColor& fill) {
  p.fillRect(x, y, w, h, fill);
  p.setPen(kOutline);
  p.drawRect(x, y, w - 1, h - 1);
}

void ClosedFolder(QPainter& p) {
  Box(p, 1, 3, 6, 3, kFolderYellow);
  Box(p, 1, 4, 14, 10, kFolderYellow);
}

void OpenFolder(QPainter& p) {
  Box(p, 1, 3, 6, 3, kFolderYellow);
  Box(p, 1, 4, 12, 10, kFolderYellow);
  p.setBrush(kFolderFront);
  p.setPen(kOutline);
  p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
}

void DriveBody(QPainter& p) {
  Box(p, 1, 6, 14, 6, kMetal);
  p.setPen(kMetalDark);
  p.drawLine(3, 9, 8, 9);
}

void HardDrive(QPainter& p) {
  DriveBody(p);
  p.fillRect(11, 8, 2, 2, kLed);
}

void RemovableDrive(QPainter& p) {
  Box(p, 4, 2, 8, 12, kMetal);
  p.fillRect(6, 0, 4, 3, kMetalDark);  // the plug of a memory stick
  p.fillRect(7, 10, 2, 2, kLed);
}

void FloppyDrive(QPainter& p) {
  Box(p, 1, 1, 14, 14, QColor(48, 64, 128));
  Box(p, 4, 1, 8, 5, kMetal);
  Box(p, 3, 9, 10, 6, kPaper);
}

void CdRom(QPainter& p) {
  p.setPen(kOutline);
  p.setBrush(QColor(216, 224, 240));
  p.drawEllipse(1, 1, 13, 13);
  p.setBrush(kMask);  // the hole shows what lies behind
  p.drawEllipse(6, 6, 3, 3);
}

void NetDrive(QPainter& p) {
  Box(p, 1, 2, 14, 6, kMetal);
  p.fillRect(11, 4, 2, 2, kLed);
  p.setPen(kOutline);
  p.drawLine(7, 8, 7, 12);
  p.drawLine(1, 13, 14, 13);
}

void UnknownDrive(QPainter& p) {
  DriveBody(p);
  p.setPen(QColor(160, 0, 0));
  p.drawLine(10, 1, 12, 1);
  p.drawPoint(13, 2);
  p.drawLine(12, 3, 11, 4);
  p.drawPoint(11, 5);
}

void Monitor(QPainter& p) {
  Box(p, 1, 1, 14, 10, kMetal);
  p.fillRect(3, 3, 10, 6, kScreenBlue);
  p.fillRect(6, 11, 4, 2, kMetalDark);
  Box(p, 3, 13, 10, 2, kMetal);
}

void GenericFile(QPainter& p) {
  p.setPen(kOutline);
  p.setBrush(kPaper);
  p.drawPolygon(
      QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
  p.drawLine(10, 1, 10, 4);
  p.drawLine(10, 4, 13, 4);
  p.setPen(kMetalDark);
  for (int y = 6; y <= 12; y += 2) p.drawLine(5, y, 11, y);
}

void MyDocs(QPainter& p) {
  ClosedFolder(p);
  Box(p, 5, 1, 7, 8, kPaper);
  p.setPen(kScreenBlue);
  p.drawLine(6, 3, 10, 3);
  p.drawLine(6, 5, 10, 5);
  Box(p, 1, 7, 14, 7, kFolderFront);
}

void Desktop(QPainter& p) {
  Box(p, 0, 1, 16, 13, QColor(0, 128, 128));
  p.fillRect(2, 3, 3, 3, kPaper);
  p.fillRect(2, 7, 3, 3, kFolderYellow);
  p.fillRect(1, 12, 14, 1, kMetal);
}

const std::map<QString, std::function<void(QPainter&)>>& Drawings() {
  static const std::map<QString, std::function<void(QPainter&)>> drawings = {
      {Key(tree::image::kMyComputer), Monitor},
      {Key(tree::image::kGenericFile), GenericFile},
      {Key(tree::image::kRemovableDrive), RemovableDrive},
      {Key(tree::image::kMyDocs), MyDocs},
      {Key(tree::image::kCdRom), CdRom},
      {Key(tree::image::kClosedFolder), ClosedFolder},
      {Key(tree::image::kDesktop), Desktop},
      {Key(tree::image::kOpenFolder), OpenFolder},
      {Key(tree::image::kUnknownDrive), UnknownDrive},
      {Key(tree::image::kFloppyDrive), FloppyDrive},
      {Key(tree::image::kHardDrive), HardDrive},
      {Key(tree::image::kNetDrive), NetDrive},
  };
  return drawings;
}

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
  auto drawing = Drawings().find(key);
  if (drawing == Drawings().end()) return QPixmap();
  QImage image(kSize, kSize, QImage::Format_ARGB32);
  image.fill(kMask);
  {
    QPainter painter(&image);
    drawing->second(painter);
  }
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (image.pixelColor(x, y) == kMask) image.setPixelColor(x, y, Qt::transparent);
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace lumaveil::qt
