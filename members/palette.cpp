#include "members/palette.h"

#include "acapi/dg.h"

PaletteRecord& Palette() {
    static PaletteRecord record;
    return record;
}

void ResetPalette() {
    PaletteRecord& palette = Palette();
    palette.dialogId = 0;
    palette.closed = true;
    palette.controlFlags = 0;
    palette.userToggled = false;
    palette.memberList.Clear();
}

void ClosePalette() {
    if (Palette().dialogId != 0 && DGIsDialogOpen(Palette().dialogId)) {
        DGModelessClose(Palette().dialogId);
    }
    ResetPalette();
}

bool IsPaletteShown() {
    const short dialog = Palette().dialogId;
    return dialog != 0 && DGIsDialogOpen(dialog) && DGIsModelessDialogVisible(dialog);
}
