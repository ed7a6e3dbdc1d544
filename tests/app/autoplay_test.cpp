#include "app/autoplay.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "support/game_test.hpp"
#include "window/form_main.hpp"

namespace vormelda::testing {
namespace {

class AutoplayTest : public GameTest {
 protected:
  void TearDown() override { CurrentScene = "loading"; }
};

// The look-ahead plays frames ahead on its own platform: whatever those frames reach (the game
// over screen's loop, kills, sounds, drawing), Decide returns with the game, the scene, the
// window's flags and the field as they were, and nothing heard or shown.
TEST_F(AutoplayTest, DecideReturnsAndLeavesNoTraceWhateverTheLookAheadReaches) {
  struct Case {
    const char* what;
    uint8_t lives;
    int16_t missCountdown;
  };
  for (const Case& c : {Case{"the last ship's explosion about to end the game", 1, 2},
                        Case{"a ship firing at an enemy about to fall", 3, 0}}) {
    SCOPED_TRACE(c.what);
    NewShip(185, 410);
    Player.Lives = c.lives;
    MissCountdown = c.missCountdown;
    FrameCount = 1000;
    Enemies.Erase();
    Enemies.Append(Enemy(1, 192, 300, 0, 1, 0, 1));
    CurrentScene = "stage";
    frmMain.picMain.Image = Surface(420, 560, 0xFF123456u);
    frmMain.picCharacter.Image = Surface(600, 800, kOpaqueWhite);
    ClearLog();
    const GameState before = Game;
    const int presents = host().PresentCount();

    std::ostringstream summary;
    Autoplay autoplay(AutoplayOptions{}, host(), summary);
    const InputLine keys = autoplay.Decide(1);

    EXPECT_FALSE(keys.heldKeys.empty());  // it fires at least
    EXPECT_TRUE(Game == before);
    EXPECT_EQ(CurrentScene, "stage");
    EXPECT_EQ(frmMain.Tag, "");
    EXPECT_FALSE(frmMain.KeyPreview);
    EXPECT_EQ(frmMain.picMain.Image.Pixels(), Surface(420, 560, 0xFF123456u).Pixels());
    EXPECT_EQ(host().PresentCount(), presents);
    EXPECT_TRUE(SoundCommands().empty());
    EXPECT_EQ(ShotSounds(), 0);
  }
}

}  // namespace
}  // namespace vormelda::testing
