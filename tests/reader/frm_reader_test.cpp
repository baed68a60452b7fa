#include "reader/frm_reader.h"

#include "reader_test_support.h"

#include "controls/easy_button.h"
#include "engine/book.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

using testing::PadWorld;
using testing::numberedBook;
using testing::waitUntilIdle;

// Other pad sizes take their share of the height, as the journeys see.
TEST(ReaderWindowSize, FollowsThePadSize_AndFitsTheScreen)
{
    EXPECT_EQ(readerWindowSize(u"", {1920, 1000}), QSize(1170, 900)); // 90 when unset
    EXPECT_EQ(readerWindowSize(u"100", {1920, 1000}), QSize(1261, 970)); // 450 twips short
    EXPECT_EQ(readerWindowSize(u"100", {1000, 1000}), QSize(1000, 769)); // narrow: the width
}

class FrmReaderTest : public ::testing::Test {
protected:
    frmReader *openWindow(const std::u16string &path)
    {
        auto *window = new frmReader(world.context());
        world.prepare(*window->Reader1(), window->size());
        closed = std::make_unique<QSignalSpy>(window, &frmReader::closed);
        window->load(path);
        return window;
    }

    PadWorld world;
    std::unique_ptr<QSignalSpy> closed;
};

TEST_F(FrmReaderTest, Close_IsRefusedWhileATurnRuns_AndDoubleClickAlwaysCloses)
{
    QPointer<frmReader> window = openWindow(world.writeBook("Story.txt", numberedBook(400)));
    Reader *pad = window->Reader1();
    pad->setInstantAnimations(false);
    ASSERT_TRUE(waitUntilIdle(*pad));
    QTest::keyClick(pad, Qt::Key_Right);
    ASSERT_TRUE(pad->IsBusy());
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(closed->count(), 0);

    QTest::mouseDClick(pad, Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed->count() == 1; }));
    EXPECT_TRUE(closed->at(0).at(0).toBool());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));  // deleted later
}

TEST_F(FrmReaderTest, Popup_DoesWhatItOffered_WhateverItsCaptionSays)
{
    world.language.insert(u"DeleteBookMark", u"刪除書籤");  // Traditional: not 删除
    QPointer<frmReader> window = openWindow(world.writeBook("Story.txt", numberedBook(400)));
    Reader *pad = window->Reader1();
    ASSERT_TRUE(pad->showSpreadAt(6));
    ASSERT_TRUE(waitUntilIdle(*pad));
    pad->AddBMK();
    ASSERT_EQ(pad->bookmarks().tabCount(), 1);

    QTest::mouseRelease(pad, Qt::RightButton, {}, QPoint(90, 15));
    EasyButton *popup = window->eBtnReaderToolTip();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->Caption(), QStringLiteral("刪除書籤"));
    emit popup->Click();
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(pad->bookmarks().tabCount(), 0);
    window->close();
}

TEST_F(FrmReaderTest, ABookThatFails_ClosesTheWindow)
{
    QPointer<frmReader> window = openWindow(world.writeBook("Story.txt", numberedBook(10)));
    // The format error of a failed layout closes the window and says it failed.
    QMetaObject::invokeMethod(window->Reader1(), &Reader::bookFailed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed->count() == 1; }));
    EXPECT_FALSE(closed->at(0).at(0).toBool());
}

} // namespace
} // namespace quillmoth
