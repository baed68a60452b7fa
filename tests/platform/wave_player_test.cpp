#include "platform/wave_player.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quillmoth;

// A stand-in player waits for the test's go-ahead (at most 30 s) before it
// copies the file it was given, so a play() that waited for the player could
// not return first. What the player is handed is checked by the button's
// sound test. Without a player the program stays silent.
TEST(WavePlayer, PlayReturnsWithoutWaitingForThePlayer)
{
    QTemporaryDir folder;
    const QString script = folder.filePath("fake-player"), heard = folder.filePath("heard.wav"),
                  goAhead = folder.filePath("go");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\nn=0\nwhile [ ! -e \"%2\" ] && [ $n -lt 600 ]; do sleep 0.05; "
                              "n=$((n+1)); done\ncp \"$1\" \"%1\"\n").arg(heard, goAhead).toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    WavePlayer player({script});
    ASSERT_TRUE(player.play(waveFile({1, 2, 3}, 8000)));
    EXPECT_FALSE(QFile::exists(heard));
    ASSERT_TRUE(QFile(goAhead).open(QIODevice::WriteOnly));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(heard); }, 20000));
    EXPECT_FALSE(player.play(QByteArray()));

    WavePlayer silent({QStringLiteral("no-such-player-program-here")});
    EXPECT_FALSE(silent.play(clickWave()));
}
