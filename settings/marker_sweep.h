// At unload, the marker files of the running host version ("..._16.vlm") are removed from the
// settings folder, whoever left them there.
#pragma once

void SweepMarkers();
