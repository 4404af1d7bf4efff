#include <gtest/gtest.h>

#include <cmath>

#include "table/background_light.h"

namespace zuv {
namespace {

namespace light = background_light;

constexpr RGB kFelt{14 / 255.0, 70 / 255.0, 0};
constexpr RGB kPaleYellow{1, 1, 110 / 255.0};

void ExpectRgbNear(const RGB& seen, const RGB& expected, double tolerance) {
  EXPECT_NEAR(seen.r, expected.r, tolerance);
  EXPECT_NEAR(seen.g, expected.g, tolerance);
  EXPECT_NEAR(seen.b, expected.b, tolerance);
}

TEST(BackgroundLight, RampRisesWithTheCubeOfItsEntry) {
  ExpectRgbNear(light::Ramp(91), kPaleYellow, 1e-12);
  const double first = 1.0 / (91.0 * 91 * 91);
  ExpectRgbNear(light::Ramp(1), RGB{kFelt.r + (kPaleYellow.r - kFelt.r) * first,
                                    kFelt.g + (kPaleYellow.g - kFelt.g) * first, kPaleYellow.b * first},
                1e-12);
  const double half = std::pow(46.0 / 91, 3);  // entry 46 is only an eighth of the way
  EXPECT_NEAR(light::Ramp(46).g, kFelt.g + (1 - kFelt.g) * half, 1e-12);
  EXPECT_LT(light::Ramp(46).r, 0.2);
}

TEST(BackgroundLight, ColourFollowsTheDomeHeight) {
  ExpectRgbNear(*light::ColourAt(0, 0), kPaleYellow, 1e-12);
  // On the rim the height is 0: entry 1, felt green.
  ExpectRgbNear(*light::ColourAt(1.25, 0), light::Ramp(1), 1e-9);
  ExpectRgbNear(*light::ColourAt(0, -0.85), light::Ramp(1), 1e-9);
  // Half way out: height sqrt(1 - 0.25) * 0.4.
  const double entry = 1 + 90 * std::sqrt(0.75);
  ExpectRgbNear(*light::ColourAt(0.625, 0), light::Ramp(entry), 1e-12);
  ExpectRgbNear(*light::ColourAt(0, 0.425), light::Ramp(entry), 1e-12);
  EXPECT_FALSE(light::ColourAt(1.26, 0).has_value());
  EXPECT_FALSE(light::ColourAt(0.9, 0.6).has_value());
}

TEST(BackgroundLight, ImageIsSeeThroughOutsideTheEllipse) {
  const QImage image = light::Image(100, 2);
  EXPECT_EQ(image.size(), QSize(500, 340));
  EXPECT_EQ(image.devicePixelRatio(), 2.0);
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(image.pixel(499, 339)), 0);
  EXPECT_EQ(qAlpha(image.pixel(5, 170)), 255);
  const QColor centre = image.pixelColor(250, 170);
  EXPECT_NEAR(centre.redF(), 1, 0.01);
  EXPECT_NEAR(centre.blueF(), 110 / 255.0, 0.01);
}

}  // namespace
}  // namespace zuv
