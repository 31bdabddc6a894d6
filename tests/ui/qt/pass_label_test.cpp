// Labels the pass rewrites for every file: every text is kept, repaints come at most once a
// frame, and the last text is what ends up painted.
#include <gtest/gtest.h>

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "ui/qt/app_test_support.h"
#include "ui/qt/pass_label.h"

namespace lumaveil::app {
namespace {

// What `text` looks like drawn whole, as the label draws it, in a box the label's size.
QImage DrawnWhole(const PassLabel& label, const QString& text) {
  QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(label.font());
  painter.setPen(Qt::black);
  painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, text);
  return image;
}

QImage Painted(PassLabel& label) {
  QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

TEST(PassLabelTest, OnlyTheLinesThatShowAreLaidOutAndTheyLookTheSame) {
  testing::EnsureApplication();
  PassLabel label("");
  label.resize(393, 41);
  // Long enough to need the head, short enough to lay out whole for the comparison.
  QString path = "D:\\";
  while (path.size() < 20000) path += QString(250, QChar('d')) + "\\";
  path += "file.txt";
  label.setText(path);
  EXPECT_EQ(label.text(), path);
  const QString shown = label.ShownText();
  EXPECT_TRUE(path.startsWith(shown));
  EXPECT_LT(shown.size(), 4096);
  EXPECT_EQ(Painted(label), DrawnWhole(label, path));

  // A text that fits is shown whole; a surrogate pair at the cut is never split.
  label.setText("D:\\a.txt");
  EXPECT_EQ(label.ShownText(), "D:\\a.txt");
  QString emoji = "a";
  for (int i = 0; i < 5000; ++i) emoji += QString::fromUtf8("\xf0\x9f\x98\x80");
  label.setText(emoji);
  EXPECT_FALSE(label.ShownText().back().isHighSurrogate());
}

// Counts the paints a label receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  QStringList painted;
  PassLabel* label = nullptr;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++paints;
      painted << label->text();
    }
    return false;
  }
};

TEST(PassLabelTest, ThousandsOfTextsFewPaintsAndTheLastOneShows) {
  testing::EnsureApplication();
  QWidget window;
  window.resize(300, 40);
  auto* label = new PassLabel(": 0", &window);
  label->setGeometry(0, 0, 300, 20);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  PaintCounter counter;
  counter.label = label;
  label->installEventFilter(&counter);

  constexpr int kTexts = 5000;
  for (int i = 1; i <= kTexts; ++i) {
    label->setText(QString(": %1").arg(i));
    EXPECT_EQ(label->text(), QString(": %1").arg(i));
    QCoreApplication::processEvents();
  }
  // The held-back text is painted when its frame is over.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !counter.painted.isEmpty() &&
                                           counter.painted.last() == ": 5000"; }, 2000));
  EXPECT_LT(counter.paints, kTexts / 10);
}

}  // namespace
}  // namespace lumaveil::app
