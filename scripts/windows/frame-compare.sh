# Sourced: compares 960 x 544 frames with the frame-rate text masked.
# A frame the Windows game reads back itself (--screenshot) matches the GL game's within 1%
# a pixel, with none beyond (read_back_difference must be 0): the world steps to the same
# bits (Box2D and the game's trig on vela's portable maths), and what is left is Wine
# drawing Direct3D 11 through GL, whose blending puts a few dozen edge pixels of a moving
# scene one level apart. A body out of place moves whole edges. Captures of the running
# window go through Wine's presentation and the X server at whatever frame it shows, which
# nothing here controls: those keep a tolerance of 2% per channel, and at most 0.1% of the
# pixels beyond that.
FRAME_TOLERANCE=${FRAME_TOLERANCE:-522}
FPS_MASK="rectangle 840,0 959,40"

# mask_frame <in.png> <out.png>: the frame without alpha and frame-rate text.
mask_frame() {
  convert "$1" -alpha off -fill black -draw "$FPS_MASK" "$2"
}

# frame_difference <masked reference.png> <frame.png> [diff.png]: how many pixels differ by
# more than the tolerance's 2% (FRAME_FUZZ).
frame_difference() {
  local count
  count=$(convert "$2" -alpha off -fill black -draw "$FPS_MASK" miff:- |
    compare -metric AE -fuzz "${FRAME_FUZZ:-2%}" "$1" miff:- "${3:-null:}" 2>&1 >/dev/null || true)
  # A size mismatch or an unreadable file is a failure, not a count.
  case "$count" in
    '' | *[!0-9]*) echo 999999999 ;;
    *) echo "$count" ;;
  esac
}

# read_back_difference <masked reference.png> <frame.png> [diff.png]: how many pixels differ
# by more than 1%.
read_back_difference() {
  FRAME_FUZZ=1% frame_difference "$@"
}
