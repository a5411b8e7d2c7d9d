// The banner of the results window: fetched from the update host after the catalogue, then
// loaded and drawn into the window's picture item.
#pragma once

#include "acapi/dg.h"

// Starts the banner's download into the settings folder; without that folder no banner comes.
void StartBannerDownload();
// Draws the banner, when one is loaded, fitted and centred in the item.
void DrawBanner(const DGUserUpdateData& update);
// Lets the loaded banner go (a window opened or closed); a banner still downloading keeps
// coming, for the window open when it arrives.
void ForgetBannerPicture();
// Lets the banner go as the module unloads, once its downloads have been stopped.
void ForgetBanner();
