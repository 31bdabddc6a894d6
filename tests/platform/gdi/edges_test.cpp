#include "gdi_test_support.h"

namespace lumaveil::gdi::testing {
namespace {

using Edge = NoLeaks;

// s shadow, h highlight, l light, d dark shadow, b untouched background.
const std::map<COLORREF, char> kEdgeLegend = {{RGB(128, 128, 128), 's'},
                                              {RGB(255, 255, 255), 'h'},
                                              {RGB(212, 208, 200), 'l'},
                                              {RGB(64, 64, 64), 'd'},
                                              {kBlue, 'b'},
                                              {kRed, 'r'}};

std::vector<std::string> DrawKind(unsigned kind, RECT rect = RECT{0, 0, 6, 5},
                                  unsigned sides = BF_RECT) {
  Canvas canvas(7, 6, kBlue);
  EXPECT_TRUE(DrawEdge(canvas.dc(), &rect, kind, sides));
  return canvas.Rows(kEdgeLegend);
}

TEST_F(Edge, SunkenOuterIsShadowTopLeftAndHighlightBottomRight) {
  EXPECT_EQ(DrawKind(BDR_SUNKENOUTER), (std::vector<std::string>{
                                           "ssssshb",
                                           "sbbbbhb",
                                           "sbbbbhb",
                                           "sbbbbhb",
                                           "hhhhhhb",
                                           "bbbbbbb",
                                       }));
}

TEST_F(Edge, EtchedIsSunkenOuterAroundRaisedInner) {
  EXPECT_EQ(DrawKind(EDGE_ETCHED), (std::vector<std::string>{
                                       "ssssshb",
                                       "shhhshb",
                                       "shbbshb",
                                       "ssssshb",
                                       "hhhhhhb",
                                       "bbbbbbb",
                                   }));
}

TEST_F(Edge, BumpIsRaisedOuterAroundSunkenInner) {
  EXPECT_EQ(DrawKind(EDGE_BUMP), (std::vector<std::string>{
                                     "llllldb",
                                     "ldddldb",
                                     "ldbbldb",
                                     "llllldb",
                                     "ddddddb",
                                     "bbbbbbb",
                                 }));
}

// Each side is a line from its start towards its end, the end left out, whichever way the two
// lie: an empty rectangle still shows its left and right sides (measured on a real GDI, as the
// expectation of the zero-wide rectangle below was corrected to).
TEST_F(Edge, RectanglesTooSmallForTheInnerRingGetTheOuterOnly) {
  EXPECT_EQ(DrawKind(EDGE_ETCHED, RECT{1, 1, 3, 3}), (std::vector<std::string>{
                                                        "bbbbbbb",
                                                        "bshbbbb",
                                                        "bhhbbbb",
                                                        "bbbbbbb",
                                                        "bbbbbbb",
                                                        "bbbbbbb",
                                                    }));
  EXPECT_EQ(DrawKind(EDGE_BUMP, RECT{4, 4, 4, 9}), (std::vector<std::string>{
                                                       "bbbbbbb",
                                                       "bbbbbbb",
                                                       "bbbbbbb",
                                                       "bbbbbbb",
                                                       "bbbdlbb",
                                                       "bbldddb",
                                                   }));
}

// Sides not drawn neither shorten the others nor inset the inner ring on their side.
TEST_F(Edge, PartialSidesRunTheirFullLengthAndInsetOnlyWhereDrawn) {
  EXPECT_EQ(DrawKind(EDGE_BUMP, RECT{0, 0, 6, 5}, BF_LEFT | BF_TOP), (std::vector<std::string>{
                                                                        "llllllb",
                                                                        "ldddddb",
                                                                        "ldbbbbb",
                                                                        "ldbbbbb",
                                                                        "ldbbbbb",
                                                                        "bbbbbbb",
                                                                    }));
  EXPECT_EQ(DrawKind(EDGE_BUMP, RECT{0, 0, 6, 5}, BF_BOTTOM), (std::vector<std::string>{
                                                                 "bbbbbbb",
                                                                 "bbbbbbb",
                                                                 "bbbbbbb",
                                                                 "llllllb",
                                                                 "ddddddb",
                                                                 "bbbbbbb",
                                                             }));
}

// Without an outer ring the inner one lies on the rectangle's border; both outer bits together
// draw nothing at all.
TEST_F(Edge, AnInnerRingAloneTakesTheOuterPlaceAndBothOuterBitsDrawNothing) {
  EXPECT_EQ(DrawKind(BDR_SUNKENINNER, RECT{0, 0, 3, 3}), (std::vector<std::string>{
                                                            "ddlbbbb",
                                                            "dblbbbb",
                                                            "lllbbbb",
                                                            "bbbbbbb",
                                                            "bbbbbbb",
                                                            "bbbbbbb",
                                                        }));
  EXPECT_EQ(DrawKind(BDR_RAISEDOUTER | BDR_SUNKENOUTER | BDR_RAISEDINNER),
            std::vector<std::string>(6, "bbbbbbb"));
}

TEST_F(Edge, UsesTheSystemColoursInForceWhenDrawing) {
  struct RedShadow : SystemColorSource {
    std::optional<COLORREF> Color(int index) const override {
      if (index == COLOR_3DSHADOW) return kRed;
      return std::nullopt;
    }
  };
  SetSystemColorSource(std::make_shared<RedShadow>());
  const auto rows = DrawKind(BDR_SUNKENOUTER, RECT{0, 0, 3, 2});
  SetSystemColorSource(nullptr);
  EXPECT_EQ(rows[0], "rrhbbbb");
  EXPECT_EQ(rows[1], "hhhbbbb");
}

}  // namespace
}  // namespace lumaveil::gdi::testing
