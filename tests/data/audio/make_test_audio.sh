#!/bin/sh
# Regenerates the small audio files the audio tests play. Needs python3 and
# the Debian package "lame"; the results are committed, so the build does not.
set -e
cd "$(dirname "$0")"
tone() { # name seconds frequency
    python3 - "$1.wav" "$2" "$3" <<'PY'
import math, struct, sys, wave
name, seconds, freq = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
rate = 22050
with wave.open(name, "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate)
    frames = int(seconds * rate)
    w.writeframes(b"".join(struct.pack("<h", int(12000 * math.sin(2 * math.pi * freq * i / rate)))
                           for i in range(frames)))
PY
    lame --quiet --cbr -b 32 "$1.wav" "$1.mp3"
    rm "$1.wav"
}
tone tone_short 0.6 440
tone tone_long 1.5 660
: > empty.mp3
# Text that merely carries an .mp3 name: no decoder accepts it.
printf 'this is not an mp3 file, only text pretending to be one\n%.0s' 1 2 3 4 5 6 7 8 > corrupt.mp3
