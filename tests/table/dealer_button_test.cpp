#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include "platform/graphics_items.h"
#include "program/startup.h"
#include "state/app.h"
#include "state/initial_setup.h"
#include "support/app_fixture.h"
#include "table/table_drawing.h"
#include "table/table_geometry.h"

namespace zuv {
namespace {

// A data folder with the real card pictures and a dealer button of the test's making.
class DealerButtonPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    const QDir source(testing::SourceFolder() + "/cardimages");
    ASSERT_TRUE(QDir(folder.path()).mkpath("cardimages"));
    for (const QString& name : source.entryList({"*.png"})) {
      if (name == "dealerbutton.png") continue;
      ASSERT_TRUE(QFile::link(source.filePath(name), cards().filePath(name))) << name.toStdString();
    }
    app.dataFolders = {folder.path()};
  }
  QDir cards() const { return QDir(folder.path() + "/cardimages"); }
  void writeButton(int pixels, const QString& scale) {
    QImage image(pixels, pixels, QImage::Format_ARGB32);
    image.fill(Qt::white);
    if (!scale.isNull()) image.setText("Zuv-DisplayScale", scale);
    ASSERT_TRUE(image.save(cards().filePath("dealerbutton.png"), "PNG"));
  }
  std::optional<QString> start() {
    if (auto problem = InitialSetup(app)) return problem;
    plottable(app);
    return DisplaySetup(app);
  }
  double buttonWidth() const { return table_geometry::DataBoxOf(*app.TABLE.dealerbutton).width(); }

  QTemporaryDir folder;
  App app;
};

TEST_F(DealerButtonPicture, MissingPictureIsNamedWithItsFolder) {
  const auto problem = start();
  ASSERT_TRUE(problem.has_value());
  EXPECT_TRUE(problem->contains("\"dealerbutton.png\"")) << problem->toStdString();
  EXPECT_TRUE(problem->contains(QDir::toNativeSeparators(cards().absolutePath()))) << problem->toStdString();
  EXPECT_EQ(app.TABLE.dealerbutton, nullptr);
}

TEST_F(DealerButtonPicture, UnreadablePictureIsReported) {
  QFile broken(cards().filePath("dealerbutton.png"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("not a picture");
  broken.close();
  const auto problem = start();
  ASSERT_TRUE(problem.has_value());
  EXPECT_TRUE(problem->contains("dealerbutton.png"));
}

TEST_F(DealerButtonPicture, SizeComesFromTheDisplayPixels) {
  writeButton(60, "3");  // 20 display pixels
  ASSERT_FALSE(start().has_value());
  EXPECT_NEAR(buttonWidth(), 20.0 / 240 * 1.29, 1e-9);
}

TEST_F(DealerButtonPicture, PictureWithoutAScaleIsTakenAtItsPixelSize) {
  writeButton(26, QString());
  ASSERT_FALSE(start().has_value());
  EXPECT_NEAR(buttonWidth(), 26.0 / 240 * 1.29, 1e-9);
}

TEST_F(DealerButtonPicture, NonsenseScaleIsIgnored) {
  writeButton(30, "zero");
  ASSERT_FALSE(start().has_value());
  EXPECT_NEAR(buttonWidth(), 30.0 / 240 * 1.29, 1e-9);
}

TEST_F(DealerButtonPicture, StartUpStopsWithTheMessage) {
  const auto problem = zuvpoker(app);
  ASSERT_TRUE(problem.has_value());
  EXPECT_TRUE(problem->contains("dealerbutton.png"));
}

}  // namespace
}  // namespace zuv
