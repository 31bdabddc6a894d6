#include <gtest/gtest.h>

#include <QImage>

#include "platform/qt/image_list.h"
#include "tree/image_keys.h"
#include "tree_qt_application.h"

namespace lumaveil::testing {
namespace {

class ImageListTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  static QStringList AllKeys() {
    QStringList keys;
    for (std::string_view key : tree::kImageListKeys) {
      keys.append(QString::fromUtf8(key.data(), int(key.size())));
    }
    return keys;
  }
};

TEST_F(ImageListTest, HoldsTwelvePicturesOfSixteenPixelsInTheirOrder) {
  const qt::ImageList list = qt::CreateMainImageList();
  EXPECT_EQ(list.Keys(), (QStringList{"mycomputer", "genericfile", "removabledrive", "mydocs",
                                      "cdrom", "closedfolder", "desktop", "openfolder",
                                      "unknowndrive", "floppydrive", "harddrive", "netdrive"}));
  for (const QString& key : list.Keys()) {
    const QIcon icon = list.Icon(key);
    ASSERT_FALSE(icon.isNull()) << key.toStdString();
    EXPECT_EQ(icon.pixmap(16, 16).deviceIndependentSize().toSize(), QSize(16, 16))
        << key.toStdString();
  }
  EXPECT_TRUE(list.Icon("nosuchpicture").isNull());
}

TEST_F(ImageListTest, ShippedPicturesAreDistinctAndTheMaskColourShowsThrough) {
  std::vector<QImage> seen;
  for (const QString& key : AllKeys()) {
    const QImage image = qt::ShippedPicture(key).toImage();
    ASSERT_EQ(image.size(), QSize(16, 16)) << key.toStdString();
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << key.toStdString();
    int opaque = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.alpha() == 0) continue;
        ++opaque;
        EXPECT_NE(c.rgb(), qRgb(192, 192, 192)) << key.toStdString() << " " << x << "," << y;
      }
    }
    EXPECT_GT(opaque, 30) << key.toStdString();
    for (const QImage& other : seen) EXPECT_NE(image, other) << key.toStdString();
    seen.push_back(image);
  }
  EXPECT_TRUE(qt::ShippedPicture("nosuchpicture").isNull());
}

TEST_F(ImageListTest, AKeyAddedTwiceKeepsItsFirstPictureAndPlace) {
  qt::ImageList list;
  list.Add("closedfolder", qt::ShippedPicture("closedfolder"));
  list.Add("openfolder", qt::ShippedPicture("openfolder"));
  list.Add("closedfolder", qt::ShippedPicture("harddrive"));
  EXPECT_EQ(list.Keys(), (QStringList{"closedfolder", "openfolder"}));
  EXPECT_EQ(list.Icon("closedfolder").pixmap(16, 16).toImage(),
            qt::ShippedPicture("closedfolder").toImage());
}

}  // namespace
}  // namespace lumaveil::testing
