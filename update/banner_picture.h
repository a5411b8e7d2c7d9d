// The banner picture that the results window shows: loaded on the main thread from the downloaded
// file and drawn there into the window's picture item.
#pragma once

#include "acapi/dg.h"
#include "foundation/nx_location.h"

// The results window's item that the banner is drawn into.
constexpr short kBannerItem = 7;

// Loads the picture file as the banner; a file that is no JPEG or PNG picture of a known size
// within the bound, or that does not load, leaves no banner.
void LoadBannerPicture(const NX_Location& path);
// Draws the banner, when one is loaded, fitted and centred in the item.
void DrawBanner(const DGUserUpdateData& update);
// Lets the loaded banner go (a window opened or closed); a banner still downloading keeps
// coming, for the window open when it arrives.
void ForgetBannerPicture();
