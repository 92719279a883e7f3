// Copy of the composed load screen to the clipboard.
#pragma once

// Puts one CF_BITMAP of 800 x 520 showing exactly what the view shows. The picture and its
// bitmap are made first: when either fails, or the clipboard cannot be opened, nothing is
// reported and the clipboard keeps what it had.
void CopyToClipboard();
