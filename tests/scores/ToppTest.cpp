// The high-score list: one row per exercise in catalogue order with its best result.
#include "scores/Topp.h"

#include "ScoreWindowFixture.h"
#include "data/ovningar.h"
#include "exercises/ovning.h"
#include "platform/Errors.h"
#include "platform/PictureBox.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

class ToppTest : public ScoreWindowTest {
protected:
    void SetUp() override
    {
        ScoreWindowTest::SetUp();
        // Catalogue order deliberately differs from number order.
        COvning** link = &catalogue.First;
        for (const auto& [number, name] : std::vector<std::pair<int, std::string>>{
                 {12, "Sveriges st\xE4" "der"}, {3, "Europas l\xE4nder"}, {40, "Afrikas floder"}}) {
            auto* exercise = new COvning;
            exercise->Number = number;
            exercise->Names[1] = name;
            *link = exercise;
            link = &exercise->Next;
        }
    }

    QStringList Row(int row) const
    {
        QStringList texts;
        for (int column = 0; column < 4; ++column) {
            const QTableWidgetItem* item = window.grdLista->item(row, column);
            texts << (item ? item->text() : QString());
        }
        return texts;
    }

    COvningar catalogue;
    TfrmTopplista window;
};

TEST_F(ToppTest, OneRowPerExerciseInCatalogueOrderWithItsBestResult)
{
    WriteBytes(Path(), Record(3, 2, "Second", 70) + Record(3, 1, "Best", 88) + Record(50, 1, "Not listed", 99)
                         + Record(95, 1, "Beyond the table", 99) + Record(40, 1, "", 0));
    window.LoadList(Path(), catalogue);

    ASSERT_EQ(window.grdLista->rowCount(), 3);
    EXPECT_EQ(Row(0), (QStringList{"12", QStringLiteral("Sveriges st\u00E4der"), "", ""}));
    EXPECT_EQ(Row(1), (QStringList{"3", QStringLiteral("Europas l\u00E4nder"), "Best", "88 %"}));
    EXPECT_EQ(Row(2), (QStringList{"40", "Afrikas floder", "", ""}));
    EXPECT_EQ(window.grdLista->columnCount(), 4);
    EXPECT_TRUE(window.grdLista->isColumnHidden(0));
    EXPECT_EQ(window.grdLista->columnWidth(1), 295);
    EXPECT_EQ(window.grdLista->columnWidth(2), 120);
    EXPECT_EQ(window.grdLista->columnWidth(3), 50);
    EXPECT_EQ(window.grdLista->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(ToppTest, NoFileYetShowsTheExercisesWithEmptyResults)
{
    window.LoadList(Path(), catalogue);
    ASSERT_EQ(window.grdLista->rowCount(), 3);
    EXPECT_EQ(Row(1), (QStringList{"3", QStringLiteral("Europas l\u00E4nder"), "", ""}));
}

TEST_F(ToppTest, DamagedFileRaisesItsError)
{
    WriteBytes(Path(), Record(3, 1, "Best", 88) + Record(3, 0, "Bad", 50));
    EXPECT_THROW(window.LoadList(Path(), catalogue), EInOutError);
}

TEST_F(ToppTest, EachPressSwapsTheFlowersSoTwoPressesRestoreThem)
{
    window.LoadList(Path(), catalogue);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint start1 = window.imgBlomma1->pos();
    const QPoint start2 = window.imgBlomma2->pos();
    for (PictureBox* pressed : {window.imgBlomma1, window.imgBlomma2}) {
        SCOPED_TRACE(pressed->objectName().toStdString());
        QTest::mousePress(pressed, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(window.imgBlomma1->pos(), QPoint(start2.x(), start1.y()));
        EXPECT_EQ(window.imgBlomma2->pos(), QPoint(start1.x(), start2.y()));
        QTest::mousePress(pressed, Qt::RightButton, {}, QPoint(5, 5));
        EXPECT_EQ(window.imgBlomma1->pos(), start1);
        EXPECT_EQ(window.imgBlomma2->pos(), start2);
    }
}

TEST_F(ToppTest, ShowingLabelsAndColoursTheWindow)
{
    window.LoadList(Path(), catalogue);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "Topplistan");
    EXPECT_EQ(window.lblRubrik->text(), "T O P P L I S T A N");
    EXPECT_EQ(window.size(), QSize(632, 453));
    EXPECT_EQ(window.grdLista->palette().color(QPalette::Base), ToQColor(PanelColor));
    EXPECT_EQ(window.Panel1->palette().color(QPalette::Window), ToQColor(FrameColor));
    EXPECT_EQ(window.imgBlomma1->canvas().image().size(), QSize(32, 32));
}

TEST_F(ToppTest, OkClosesAndF1OpensTheHelpContents)
{
    window.LoadList(Path(), catalogue);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.grdLista, Qt::Key_F1);
    EXPECT_EQ(boxes.helpTopics, std::vector<int>{0});
    QTest::mouseClick(window.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

} // namespace
