// Random generator, hourglass guard, message boxes, picture control and template bitmap.
#include "app/Generell.h"
#include "platform/Hourglass.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <set>
#include <stdexcept>

namespace {

TEST(Random, SeededSequenceRepeatsAndStaysInRange)
{
    SetRandomSeed(42);
    std::vector<double> first;
    for (int i = 0; i < 1000; ++i) {
        const double r = Random();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        first.push_back(r);
    }
    SetRandomSeed(42);
    for (double r : first)
        ASSERT_EQ(Random(), r);

    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int k = RandomInt(7);
        ASSERT_GE(k, 0);
        ASSERT_LT(k, 7);
        seen.insert(k);
    }
    EXPECT_EQ(seen.size(), 7u);

    Randomize();
    const double a = Random();
    Randomize();
    EXPECT_NE(Random(), a);
}

TEST(Hourglass, BalancedOnEveryPath)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        Hourglass outer;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        try {
            Hourglass inner;
            throw std::runtime_error("load failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(MessageBox, PresenterSeesKindAndWin1252Text)
{
    std::vector<std::pair<MessageKind, QString>> shown;
    SetMessagePresenter([&](MessageKind kind, const QString& text) { shown.push_back({kind, text}); });
    ShowMessage("plain");
    ShowError(std::string("Fil \"\xD6rebro.crp\" saknas"));
    SetMessagePresenter({});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].first, MessageKind::Plain);
    EXPECT_EQ(shown[0].second, "plain");
    EXPECT_EQ(shown[1].first, MessageKind::Error);
    EXPECT_EQ(shown[1].second, QString::fromUtf8("Fil \"Örebro.crp\" saknas"));
}

TEST(PictureBox, ReportsPressesOfAnyButtonInPictureCoordinates)
{
    PictureBox picture;
    picture.setPictureSize(200, 100);
    picture.show();
    QSignalSpy spy(&picture, &PictureBox::mousePressed);
    QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(30, 40));
    QTest::mouseClick(&picture, Qt::RightButton, {}, QPoint(199, 0));

    picture.setStretched(true);
    picture.resize(400, 50); // the 200 x 100 bitmap is shown twice as wide, half as high
    QTest::mouseClick(&picture, Qt::MiddleButton, {}, QPoint(100, 40));

    picture.setEnabled(false);
    QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(1, 1));

    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy[0], (QList<QVariant>{30, 40, QVariant::fromValue(Qt::LeftButton)}));
    EXPECT_EQ(spy[1], (QList<QVariant>{199, 0, QVariant::fromValue(Qt::RightButton)}));
    EXPECT_EQ(spy[2], (QList<QVariant>{50, 80, QVariant::fromValue(Qt::MiddleButton)}));
}

TEST(PictureBox, ShowsTheCanvasAndLeavesOutTheTransparentColour)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    parent.setPalette(palette);
    parent.resize(60, 40);
    PictureBox picture(&parent);
    picture.setPictureSize(60, 40);
    EXPECT_EQ(picture.canvas().width(), 60);
    picture.canvas().fillAll(0xFFFFFF);
    picture.canvas().setPixel(5, 5, 0x000000);
    parent.show();
    QImage shown = parent.grab().toImage();
    EXPECT_EQ(shown.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(6, 5), qRgb(255, 255, 255));

    picture.setTransparent(true); // the bottom-left pixel is white: white is left out
    shown = parent.grab().toImage();
    EXPECT_EQ(shown.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(6, 5), qRgb(0, 0, 255));
}

TEST(PictureBox, ApplyTemplateBitmapCopiesAndSizesToTheControl)
{
    TemplateBitmap = QImage(10, 8, QImage::Format_RGB32);
    TemplateBitmap.fill(qRgb(255, 0, 0));
    PictureBox picture;
    picture.resize(30, 20);
    ApplyTemplateBitmap(picture);
    const Canvas& canvas = picture.canvas();
    EXPECT_EQ(canvas.width(), 30);
    EXPECT_EQ(canvas.height(), 20);
    EXPECT_EQ(canvas.pixel(9, 7), 0x0000FFu);
    picture.canvas().setPixel(0, 0, 0x000000); // a copy: the template stays as it was
    EXPECT_EQ(TemplateBitmap.pixel(0, 0), qRgb(255, 0, 0));
    TemplateBitmap = QImage();
}

} // namespace
