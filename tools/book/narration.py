"""Speaks a word or phrase with espeak-ng and encodes it as a small mono MP3
with lame. Narration files are stored under the MD5 of their logical name."""
import hashlib
import os
import subprocess
import tempfile

VOICE = "en-us"
SPEED = "125"     # words per minute: slow enough for young listeners
PITCH = "60"
BITRATE = "32"    # kbit/s, mono, 22.05 kHz


def stored_name(logical):
    return hashlib.md5(logical.encode("utf-8")).hexdigest() + ".mp3"


def speak_to_mp3(text, mp3_path):
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, "word.wav")
        subprocess.run(["espeak-ng", "-v", VOICE, "-s", SPEED, "-p", PITCH, "-w", wav, text], check=True)
        subprocess.run(["lame", "--quiet", "-m", "m", "--resample", "22.05", "-b", BITRATE, wav, mp3_path],
                       check=True)
