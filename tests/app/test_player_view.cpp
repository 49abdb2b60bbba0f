// The player view on real clips: names that are not ASCII, and every way of
// moving the seek slider's handle.
#include "AppTestSupport.h"
#include "PlayerView.h"

#include <QMediaPlayer>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kClipMs = 60000;

// A view with a clip of kClipMs loaded and paused at 0.
class LoadedView {
public:
    explicit LoadedView(const QString& name) : clip(dir.filePath(name)) {
        made = MakeClip(clip, kClipMs / 1000);
        view.resize(640, 480);
        view.show();
    }
    bool open() {
        view.openVideo(QUrl::fromLocalFile(clip));
        return WaitFor([this] { return view.player()->duration() > 0 || view.player()->error(); });
    }
    QSlider* slider() { return view.findChild<QSlider*>(QStringLiteral("seekSlider")); }

    QTemporaryDir dir;
    QString clip;
    QString made;
    PlayerView view;
};

TEST(PlayerView, OpensClipsWhoseNamesAreNotAscii) {
    for (const char* name : {"前视/drive.MOV", "café.MOV", "a b&#%?.MOV"}) {
        LoadedView loaded(QString::fromUtf8(name));
        if (!loaded.made.isEmpty()) GTEST_SKIP() << loaded.made.toStdString();
        ASSERT_TRUE(loaded.open()) << name;
        EXPECT_EQ(loaded.view.player()->error(), QMediaPlayer::NoError)
            << name << ": " << loaded.view.player()->errorString().toStdString();
        EXPECT_EQ(loaded.view.player()->source().toLocalFile(), loaded.clip);
    }
}

TEST(PlayerView, EveryWayOfMovingTheHandleSeeks) {
    LoadedView loaded(QStringLiteral("drive.MOV"));
    if (!loaded.made.isEmpty()) GTEST_SKIP() << loaded.made.toStdString();
    ASSERT_TRUE(loaded.open());
    QSlider* slider = loaded.slider();
    QMediaPlayer* player = loaded.view.player();
    ASSERT_TRUE(WaitFor([&] { return slider->maximum() >= kClipMs - 100; }));
    const int end = slider->maximum();

    // A click three quarters along the groove, away from the handle.
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = Qt::Horizontal;
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(groove.left() + groove.width() * 3 / 4, groove.center().y()));
    EXPECT_TRUE(WaitFor([&] { return std::abs(player->position() - end * 3 / 4) < end / 10; }))
        << "position " << player->position();

    const struct {
        Qt::Key key;
        std::function<qint64(qint64)> expected;  // from the position before the key
    } keys[] = {
        {Qt::Key_Home, [](qint64) { return 0; }},
        {Qt::Key_Right, [&](qint64 from) { return from + slider->singleStep(); }},
        {Qt::Key_PageUp, [&](qint64 from) { return from + slider->pageStep(); }},
        {Qt::Key_End, [&](qint64) { return end; }},
        {Qt::Key_Left, [&](qint64 from) { return from - slider->singleStep(); }},
    };
    for (const auto& [key, expected] : keys) {
        const qint64 target = expected(slider->value());
        QTest::keyClick(slider, key);
        EXPECT_EQ(slider->value(), target) << key;
        EXPECT_TRUE(WaitFor([&] { return std::abs(player->position() - target) < 1000; }))
            << key << ": position " << player->position() << ", expected " << target;
    }
}

}  // namespace
