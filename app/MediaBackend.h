#pragma once

// Chooses Qt Multimedia's FFmpeg backend when it is installed and the user has
// not named a backend in QT_MEDIA_BACKEND: the GStreamer backend stalls
// playback on machines without a sound server, FFmpeg plays with or without
// one. Call before the first player is made.
void ChooseMediaBackend();
