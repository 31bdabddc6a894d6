// The progress bar's host widget: it sizes the control's window to itself, shows exactly the
// window's pixels, follows value changes, and lends the bar the desktop palette's highlight.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <memory>

#include "platform/gdi/system_colors.h"
#include "ui/qt/prgbar_widget.h"
#include "ui/qt/qt_system_colors.h"
#include "progressbar/property_bag.h"
#include "tree_qt_application.h"

namespace lumaveil::qt {
namespace {

constexpr std::int32_t kNavy = 0x006A240A;  // RGB(10, 36, 106)

QRgb ToQRgb(std::int32_t colorRef) {
  return qRgb(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

class PrgbarWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureApplication();
    widget_ = std::make_unique<PrgbarWidget>();
    widget_->resize(257, 17);
  }
  void TearDown() override { gdi::SetSystemColorSource(nullptr); }

  // How many columns show the colour somewhere (the block bar shades its rows).
  static int ColumnsWith(const QImage& image, QRgb color) {
    int count = 0;
    for (int x = 0; x < image.width(); ++x) {
      bool found = false;
      for (int y = 0; y < image.height() && !found; ++y) found = image.pixel(x, y) == color;
      count += found;
    }
    return count;
  }

  std::unique_ptr<PrgbarWidget> widget_;
};

TEST_F(PrgbarWidgetTest, WindowFollowsTheWidgetsSize) {
  widget_->show();
  QApplication::processEvents();
  EXPECT_EQ(widget_->Picture().size(), QSize(257, 17));
  widget_->resize(100, 9);
  QApplication::processEvents();
  EXPECT_EQ(widget_->Picture().size(), QSize(100, 9));
}

TEST_F(PrgbarWidgetTest, StoredColoursAndValueShowInThePaintedWidget) {
  progressbar::PropertyBag bag;
  bag.Set("Color", kNavy);
  bag.Set("Color2", kNavy);
  widget_->ReadProperties(bag);
  EXPECT_EQ(widget_->Bar().Color(), kNavy);

  widget_->SetValue(0);
  const int emptyNavy = ColumnsWith(widget_->grab().toImage(), ToQRgb(kNavy));
  widget_->SetValue(60);
  EXPECT_EQ(widget_->value(), 60);
  const QImage shown = widget_->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage window = widget_->Picture();
  ASSERT_EQ(shown.size(), window.size());
  EXPECT_EQ(shown, window) << "the widget shows the control's window pixel for pixel";
  const int navy = ColumnsWith(shown, ToQRgb(kNavy));
  EXPECT_GT(navy, emptyNavy + 100) << "about 60% of 257 columns are filled";
  EXPECT_LT(navy, 257 * 7 / 10);
  widget_->SetValue(100);
  EXPECT_GT(ColumnsWith(widget_->grab().toImage(), ToQRgb(kNavy)), navy);
}

TEST_F(PrgbarWidgetTest, DefaultColourIsTheDesktopHighlight) {
  QPalette palette;
  palette.setColor(QPalette::Active, QPalette::Highlight, QColor(200, 30, 90));
  const QtSystemColors colors(palette);
  EXPECT_EQ(colors.Color(gdi::COLOR_HIGHLIGHT), gdi::RGB(200, 30, 90));
  EXPECT_EQ(colors.Color(gdi::COLOR_SCROLLBAR), std::nullopt) << "left to the classic table";

  gdi::SetSystemColorSource(std::make_shared<QtSystemColors>(palette));
  PrgbarWidget bar;  // a fresh control resolves its default colour now
  bar.resize(257, 17);
  bar.SetValue(100);
  EXPECT_GT(ColumnsWith(bar.grab().toImage(), qRgb(200, 30, 90)), 150)
      << "the blocks of a full bar, gaps aside, in the highlight";
}

}  // namespace
}  // namespace lumaveil::qt
