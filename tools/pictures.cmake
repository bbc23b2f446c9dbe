# The pictures make_pictures draws, as the game finds them beside the
# program: one a room, the exit (room 11) showing the end picture. Read by
# the build rules and by the install check alike.
set(THORNVALE_PICTURE_FILES
  data/media/img/room_1.bmp
  data/media/img/room_2.bmp
  data/media/img/room_3.bmp
  data/media/img/room_4.bmp
  data/media/img/room_5.bmp
  data/media/img/room_6.bmp
  data/media/img/room_7.bmp
  data/media/img/room_8.bmp
  data/media/img/room_9.bmp
  data/media/img/room_10.bmp
  data/media/img/endimg.bmp
  data/media/img/room_12.bmp
  data/media/img/room_13.bmp
  data/media/img/room_14.bmp
  data/media/img/room_15.bmp
  data/media/img/room_16.bmp
  data/media/img/room_17.bmp
  data/media/img/room_18.bmp
  data/media/img/room_19.bmp)
