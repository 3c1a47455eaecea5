"""Writes the test chime: six seconds of a soft two-note tone, 22050 Hz mono
16-bit WAV, which lame turns into the player's test MP3."""
import math
import struct
import sys
import wave

RATE = 22050
SECONDS = 6

with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(RATE)
    frames = bytearray()
    for i in range(RATE * SECONDS):
        pitch = 660.0 if (i // (RATE // 2)) % 2 else 440.0
        frames += struct.pack("<h", int(6000 * math.sin(2 * math.pi * pitch * i / RATE)))
    out.writeframes(bytes(frames))
