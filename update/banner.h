// The banner's download: fetched from the update host after the catalogue; when it arrives it
// becomes the picture of the results window open then.
#pragma once

// Starts the banner's download into the settings folder; without that folder no banner comes.
void StartBannerDownload();
// Lets the banner go as the module unloads, once its downloads have been stopped.
void ForgetBanner();
