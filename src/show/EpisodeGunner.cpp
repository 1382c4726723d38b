// "Ricochet Shot": an arm swings a pistol in at the right edge and fires; the
// bullet ricochets off the left, top, bottom and right edges, flies back to
// the middle, unrolls a banner, rolls it up and leaves at the left. Every
// frame is a sprite of its own, shown and hidden in place.
#include "platform/Forms.h"
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeGunner() {
  constexpr float kStep = 125;
  constexpr float kRecoil = 75;
  const auto SW = vb::Screen::Width;
  const auto SH = vb::Screen::Height;

  // While `goes_on` holds, a step of (dx, dy) and a tick.
  auto leg = [this](Image& b, float dx, float dy, auto goes_on) {
    while (goes_on()) {
      b.Move(b.Left() + dx, b.Top() + dy);
      WaitTick();
    }
  };
  // The bullet turns: the new frame takes over one step from the old one.
  auto ricochet = [this](Image& from, Image& to, float dLeft, float dTop) {
    PlayEffect("z_rico.wav");
    to.SetTop(from.Top() + dTop);
    to.SetLeft(from.Left() + dLeft);
    from.SetVisible(false);
    to.SetVisible(true);
  };
  auto swap = [](Image& from, Image& to) {
    from.SetVisible(false);
    to.SetVisible(true);
  };

  Wait4Sec();

  // The arm comes in and takes aim.
  gun[0].SetVisible(true);
  for (GunFrame = 1; GunFrame <= 5; ++GunFrame) {
    gun[GunFrame].SetVisible(true);
    gun[GunFrame - 1].SetVisible(false);
    WaitTick();
  }
  Wait1Sec();

  // The shot, with a recoil of one tick.
  gun[5].SetLeft(gun[5].Left() + kRecoil);
  PlayEffect("z_gun.wav");
  WaitTick();
  gun[5].SetLeft(gun[5].Left() - kRecoil);

  Image& flat = bullet[0];
  Image& slant = bullet[1];
  Image& down = bullet[2];
  flat.SetLeft(gun[5].Left() - flat.Width());
  flat.SetTop(gun[5].Top() + gun[5].Height() - flat.Height());
  flat.SetVisible(true);

  leg(flat, -kStep, 0, [&] { return flat.Left() > 0; });
  ricochet(flat, slant, kStep, -kStep);
  leg(slant, kStep, -kStep, [&] { return slant.Top() > 0; });
  ricochet(slant, down, 0, kStep);

  // The arm swings back up and goes while the bullet starts to fall.
  for (GunFrame = 4; GunFrame >= 0; --GunFrame) {
    down.Move(down.Left(), down.Top() + kStep);
    gun[GunFrame + 1].SetVisible(false);
    gun[GunFrame].SetVisible(true);
    WaitTick();
  }
  gun[0].SetVisible(false);

  leg(down, 0, kStep, [&] { return down.Top() + down.Height() < SH(); });
  ricochet(down, slant, kStep, -kStep);
  // Up to the right edge, or to the top edge on a screen too wide to reach it
  // first: the banner must hang where it can be seen.
  leg(slant, kStep, -kStep, [&] { return slant.Left() + slant.Width() < SW() && slant.Top() > 0; });
  ricochet(slant, flat, -kStep, 0);
  leg(flat, -kStep, 0, [&] { return flat.Left() > SW() / 2; });

  // The banner unrolls to the left and down from the bullet, right edges level.
  PlayEffect("z_scroll.wav");
  for (int k = 3; k <= 7; ++k) {
    Image& before = k == 3 ? flat : bullet[k - 1];
    bullet[k].SetTop(before.Top());
    bullet[k].SetLeft(before.Left() + before.Width() - bullet[k].Width());
    swap(before, bullet[k]);
    if (k < 7) WaitTick();
  }
  Wait6Sec();

  // Rolled up again: frames 6, 5, 4, 4, 3, a tick each, then the bullet.
  swap(bullet[7], bullet[6]);
  WaitTick();
  swap(bullet[6], bullet[5]);
  WaitTick();
  swap(bullet[5], bullet[4]);
  WaitTick();
  swap(bullet[5], bullet[4]);
  WaitTick();
  swap(bullet[4], bullet[3]);
  WaitTick();
  swap(bullet[3], flat);

  leg(flat, -kStep, 0, [&] { return flat.Left() + flat.Width() > 0; });
}
