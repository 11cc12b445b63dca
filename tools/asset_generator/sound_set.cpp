#include "sound_set.h"

#include "game_sound_art.h"
#include "menu_sound_art.h"
#include "music_art.h"

namespace assetgen {

void SoundSet::Write(AssetWriter& writer) const {
    const MenuSoundArt menu;
    writer.SaveSound("menu_move.wav", menu.Move());
    writer.SaveSound("menu_choose.wav", menu.Choose());
    writer.SaveSound("menu_back.wav", menu.Back());
    writer.SaveSound("win.wav", menu.Win());
    writer.SaveSound("lose.wav", menu.Lose());

    const GameSoundArt game;
    writer.SaveSound("throw.wav", game.Throw());
    writer.SaveSound("bounce.wav", game.Bounce());
    writer.SaveSound("strike.wav", game.Strike());
    writer.SaveSound("explosion.wav", game.Explosion());
    writer.SaveSound("kill.wav", game.Kill());
    writer.SaveSound("recall.wav", game.Recall());
    writer.SaveSound("charge.wav", game.Charge());

    writer.SaveMusic("music.ogg", MusicArt().MenuLoop(), kMusicQuality);
}

}  // namespace assetgen
