#pragma once

#include "colour.h"

namespace assetgen {

// The one palette every picture draws from, so the game reads as one piece.
namespace palette {

// Pictures of sprites are drawn at twice their size on screen, for sharpness.
constexpr int kSpriteScale = 2;

constexpr Colour kInk = Colour::Hex(0x2b1d2e);  // outlines
constexpr float kLine = 1.5f;                   // outline width at sprite scale
constexpr Colour kShadow = Colour::Hex(0x2b1d2e, 0.25f);
constexpr Colour kShine = Colour::Hex(0xffffff, 0.45f);

constexpr Colour kSkyTop = Colour::Hex(0x1f4f96);
constexpr Colour kSkyMid = Colour::Hex(0x58a6e6);
constexpr Colour kSkyLow = Colour::Hex(0xbfe9fb);
constexpr Colour kSun = Colour::Hex(0xfff2a8);

constexpr Colour kGrass = Colour::Hex(0x6cc24a);
constexpr Colour kGrassDark = Colour::Hex(0x3f8f2f);
constexpr Colour kGrassLight = Colour::Hex(0xa8e070);
constexpr Colour kHillFar = Colour::Hex(0x9fd3a8);
constexpr Colour kHillNear = Colour::Hex(0x7cc46a);
constexpr Colour kDirt = Colour::Hex(0x9b6b43);
constexpr Colour kDirtDark = Colour::Hex(0x6e4a2e);
constexpr Colour kPebble = Colour::Hex(0xc9a27a);

constexpr Colour kWood = Colour::Hex(0xd89b57);
constexpr Colour kWoodDark = Colour::Hex(0xa3662f);
constexpr Colour kWoodLight = Colour::Hex(0xf0c487);
constexpr Colour kStone = Colour::Hex(0xa9adc1);
constexpr Colour kStoneDark = Colour::Hex(0x7b7f99);
constexpr Colour kStoneLight = Colour::Hex(0xd3d6e4);
constexpr Colour kMetal = Colour::Hex(0x9aa3ad);
constexpr Colour kMetalDark = Colour::Hex(0x5f6873);

constexpr Colour kSkin = Colour::Hex(0xf6c59a);
constexpr Colour kSkinShade = Colour::Hex(0xde9f72);
constexpr Colour kHeroShirt = Colour::Hex(0x2f86de);
constexpr Colour kHeroShirtShade = Colour::Hex(0x1f5fa8);
constexpr Colour kHeroPants = Colour::Hex(0x3c4a6e);
constexpr Colour kHeroCap = Colour::Hex(0xe8463a);
constexpr Colour kShoe = Colour::Hex(0x5a3a2a);

constexpr Colour kVillainSkin = Colour::Hex(0x8fcf5a);
constexpr Colour kVillainSkinShade = Colour::Hex(0x5f9f3a);
constexpr Colour kVillainSuit = Colour::Hex(0x7b4bb4);
constexpr Colour kVillainSuitShade = Colour::Hex(0x573489);
constexpr Colour kVillainMask = Colour::Hex(0x2b1d2e);

constexpr Colour kFrag = Colour::Hex(0x5f8f3a);
constexpr Colour kFragDark = Colour::Hex(0x3d6424);
constexpr Colour kFragLight = Colour::Hex(0x9cc66a);

constexpr Colour kFireCore = Colour::Hex(0xfffbd6);
constexpr Colour kFireYellow = Colour::Hex(0xffd84a);
constexpr Colour kFireOrange = Colour::Hex(0xff8a2a);
constexpr Colour kFireRed = Colour::Hex(0xd83a22);
constexpr Colour kSmoke = Colour::Hex(0x6b6472);
constexpr Colour kSmokeLight = Colour::Hex(0xb9b3bf);

constexpr Colour kCloud = Colour::Hex(0xffffff);
constexpr Colour kCloudShade = Colour::Hex(0xd2e4f5);
constexpr Colour kPanel = Colour::Hex(0xfffaf0, 0.88f);

constexpr Colour kTitleTop = Colour::Hex(0xfff3a0);
constexpr Colour kTitleMid = Colour::Hex(0xffc636);
constexpr Colour kTitleBottom = Colour::Hex(0xff7a1f);

}  // namespace palette

}  // namespace assetgen
