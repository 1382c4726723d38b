# Names of the pictures the generator writes; must match PictureList.cpp.
set(ZENTRAVO_PICTURE_NAMES
  righty0 righty1 righty2 lefty0 lefty1 lefty2 stand
  righter0 righter1 righter2 lefter0 lefter1 lefter2
  heada headb headc headd head1 head2 head3 head4
  hand1 hand2 handa handb
  gun0 gun1 gun2 gun3 gun4 gun5
  bullet0 bullet1 bullet2 bullet3 bullet4 bullet5 bullet6 bullet7
  title2 cloud logo icon bugicon bugleft bugright msgicon)
set(ZENTRAVO_DATA_FILES
  z_step.wav z_squint.wav z_blink.wav z_boink.wav z_gun.wav z_rico.wav z_scroll.wav
  z_wumble.mid Z_Preview.bmp)
