#include <gtest/gtest.h>

#include <QImage>

#include "ui/qt/image_list.h"
#include "tree_qt_application.h"

namespace lumaveil::testing {
namespace {

TEST(ImageList, EveryPictureIsSixteenPixelsAndAnUnknownKeyHasNone) {
  EnsureApplication();
  const qt::ImageList list = qt::CreateMainImageList();
  for (const QString& key : list.Keys()) {
    EXPECT_EQ(list.Icon(key).pixmap(16, 16).deviceIndependentSize().toSize(), QSize(16, 16))
        << key.toStdString();
  }
  EXPECT_TRUE(list.Icon("nosuchpicture").isNull());
}

TEST(ImageList, ShippedPicturesAreDistinctAndTheMaskColourShowsThrough) {
  EnsureApplication();
  std::vector<QImage> seen;
  for (const QString& key : qt::CreateMainImageList().Keys()) {
    const QImage image = qt::ShippedPicture(key).toImage();
    ASSERT_EQ(image.size(), QSize(16, 16)) << key.toStdString();
    int opaque = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const QColor c = image.pixelColor(x, y);
        opaque += c.alpha() != 0;
        EXPECT_TRUE(c.alpha() == 0 || c.rgb() != qRgb(192, 192, 192)) << key.toStdString();
      }
    }
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << key.toStdString();
    EXPECT_GT(opaque, 30) << key.toStdString();
    for (const QImage& other : seen) EXPECT_NE(image, other) << key.toStdString();
    seen.push_back(image);
  }
  EXPECT_TRUE(qt::ShippedPicture("nosuchpicture").isNull());
}

}  // namespace
}  // namespace lumaveil::testing
